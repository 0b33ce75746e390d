// Loads the tablet library and the configuration manager by name from its own folder, where
// a test has planted rogue copies; "restricted" first limits the search as Instally does.
// Exit code: 1 when the tablet library loaded, 2 when the configuration manager did, plus
// 4 and 8 when each came from the system directory; 100 on a usage error.
#include <windows.h>
#include <cstring>
#include "installer/core/library_search.h"

namespace {
int Load(const char* name, int loadedBit, int systemBit) {
    HMODULE library = LoadLibraryA(name);
    if (!library) return 0;
    char path[MAX_PATH], system[MAX_PATH];
    int bits = loadedBit;
    UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    if (GetModuleFileNameA(library, path, MAX_PATH) && systemLength &&
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, systemLength, system, systemLength) == CSTR_EQUAL)
        bits |= systemBit;
    FreeLibrary(library);
    return bits;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 100;
    if (std::strcmp(argv[1], "restricted") == 0) RestrictLibrarySearch();
    else if (std::strcmp(argv[1], "open") != 0) return 100;
    return Load("WINTAB32.DLL", 1, 4) | Load("Cfgmgr32.dll", 2, 8);
}
