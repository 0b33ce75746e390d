#pragma once
// Plain file operations of the installation: presence, forced deletion and LZ-expanding copy.
#include <windows.h>

// True when the path opens as an existing file for reading (a directory is not a file).
bool FileExists(const char* path);
// Clears read-only and other attributes, then deletes; the deletion's result.
bool ForceDelete(const char* path);
// Copies source to destination through the LZ library: compressed sources are expanded,
// others copied as they are. The byte count LZCopy reports, or a negative LZERROR_ value.
LONG LzCopyFile(const char* sourcePath, const char* destinationPath);
// True only when bytes were copied: an empty source counts as a failed copy.
bool ExpandCopy(const char* sourcePath, const char* destinationPath);
