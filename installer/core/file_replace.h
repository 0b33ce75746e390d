#pragma once
// Putting a new file in the place of an existing one, so that a failure leaves the old file.
#include <windows.h>

// MoveFileExA looked up by name: the Windows 95 family has no such call (its programs must
// still start there). False with ERROR_CALL_NOT_IMPLEMENTED where it is missing.
bool MoveFileExByName(const char* from, const char* to, DWORD flags);

// Moves newFile over target: in one step with MoveFileEx on the NT family; on the Windows 95
// family by renames, the target first set aside and put back when the new file cannot be
// moved in. False leaves target as it was and newFile where it was.
bool ReplaceFileWith(const char* target, const char* newFile);
// The renames alone (the Windows 95 family's way), for tests.
bool ReplaceByRenames(const char* target, const char* newFile);
