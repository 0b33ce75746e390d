#pragma once
// Folders that pruning must never touch: other software relies on the empty folders in them.
#include "installer/core/strbuf.h"

// True for a drive root ("C:", "C:\", "\", "\\server\share"), the Windows directory, the
// system directory, or an empty path. Case and trailing backslashes are ignored.
bool IsProtectedFolder(const char* path, const char* windowsDir, const char* systemDir);
