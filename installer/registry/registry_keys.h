#pragma once
// Registry helpers shared by the record, the application entry and registry entries.
#include <windows.h>
#include "installer/core/strbuf.h"

// Deletes root\path with all its subkeys, depth first; the result of the final deletion.
LONG DeleteKeyTree(HKEY root, const char* path);
