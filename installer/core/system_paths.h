#pragma once
// Directory queries, temporary files and the careful replacement of the record's script copies.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "installer/core/path_text.h"

StrBuf ProgramFilePath(HINSTANCE instance);
StrBuf ModuleDirectory(HINSTANCE instance);   // without the trailing backslash
StrBuf WindowsDirectory();
StrBuf SystemDirectory();
StrBuf CurrentDirectory();
StrBuf ShortPathName(const char* path);       // empty when the system cannot answer
// Creates a new empty file "ST~xxxx.TMP" in the directory and returns its path ("" on failure).
StrBuf TempFileIn(const char* directory);
// Whether a temporary name fits in the directory: at most 246 characters, as Windows allows.
// (Wine's GetTempFileNameA goes on past that, makes the file and returns its name cut short.)
bool TempNameFits(const char* directory);
// Keeps the target when the new file has the same bytes (and deletes the new one);
// renames the new file over a missing target; false when both exist and differ.
bool ReplaceIfDifferent(const char* target, const char* newFile);
