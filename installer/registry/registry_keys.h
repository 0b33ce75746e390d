#pragma once
// Registry helpers shared by the record, the application entry and registry entries.
#include <windows.h>
#include "installer/core/strbuf.h"

// Deletes root\path with all its subkeys, depth first; the result of the final deletion
// (ERROR_SUCCESS or a system error code). An empty or null path deletes nothing. view is a
// registry view flag (KEY_WOW64_64KEY) or 0 for the program's own view.
LONG DeleteKeyTree(HKEY root, const char* path, REGSAM view = 0);
// What a default value is read in: 256 characters and the NUL.
const int kKeyDefaultBytes = 257;
// The default value of key\subkey, at most maxLength bytes with its NUL; false when unreadable.
bool ReadKeyDefault(StrBuf& text, HKEY key, const char* subkey, int maxLength = kKeyDefaultBytes);
// Sets the default value of key\subkey (of key itself when subkey is null or empty) as
// REG_SZ, creating a missing subkey.
bool WriteKeyDefault(const char* text, HKEY key, const char* subkey);
// root\path opened, or created when it cannot be opened and create is set; null when
// neither worked. The caller closes it.
HKEY OpenOrCreateKey(const char* path, HKEY root, bool create);
