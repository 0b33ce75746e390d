#pragma once
// Joining paths as the installer does everywhere.
#include "installer/core/strbuf.h"

// Appends a backslash unless the directory already ends with one, then the name.
void AppendPath(StrBuf& directory, const char* name);
StrBuf JoinPath(const char* directory, const char* name);
// Everything before the last backslash ("" when there is none); a root keeps its backslash.
StrBuf DirectoryPart(const char* path);
// Everything after the last backslash (the whole path when there is none).
StrBuf LastPathComponent(const char* path);
