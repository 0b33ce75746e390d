#include "installer/core/library_search.h"

#include <windows.h>

namespace {
typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);
typedef BOOL(WINAPI* SetDllDirectoryFn)(LPCSTR);
const DWORD kSearchSystem32 = 0x00000800;   // LOAD_LIBRARY_SEARCH_SYSTEM32
}  // namespace

bool RestrictLibrarySearch() {
    // Both are looked up by name: older systems lack them, and the program must still start there.
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return false;
    if (auto dropCurrent = reinterpret_cast<SetDllDirectoryFn>(GetProcAddress(kernel, "SetDllDirectoryA")))
        dropCurrent("");
    auto limit = reinterpret_cast<SetDefaultDllDirectoriesFn>(GetProcAddress(kernel, "SetDefaultDllDirectories"));
    return limit && limit(kSearchSystem32);
}
