#pragma once
// Plain file operations of the installation: presence, forced deletion and LZ-expanding copy.
#include <windows.h>
#include "installer/core/handles.h"

// True when the path opens as an existing file for reading (a directory is not a file).
bool FileExists(const char* path);
// Clears read-only and other attributes, then deletes; the deletion's result.
bool ForceDelete(const char* path);
// Copies source to destination as LZCopy does: compressed sources are expanded (by our own
// expander; by the LZ library only when the name does not open as it is), others copied as
// they are, the copy dated like the source. The byte count, or a negative LZERROR_ value (a
// compressed source cut short fails as a read); a destination the copy did not create is
// never deleted.
LONG LzCopyFile(const char* sourcePath, const char* destinationPath);
// True only when bytes were copied: an empty source counts as a failed copy and leaves no file.
bool ExpandCopy(const char* sourcePath, const char* destinationPath);
// The same copy to a destination that is not there yet: a file already there (or anything
// else of that name) is left as it is and the copy fails, with one look at the destination.
bool ExpandCopyToNewFile(const char* sourcePath, const char* destinationPath);
// The source as the copy reads it (shared with readers and writers), or nothing when it does
// not open under its own name. An install finds its source with it and copies from the same
// handle: one opening per file.
FileHandle OpenCopySource(const char* path);
// The copy to a new file from a source already opened (nothing: as the two-name form).
bool ExpandCopyToNewFile(FileHandle source, const char* sourcePath, const char* destinationPath);
