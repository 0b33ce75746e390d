// Loads the tablet library and the configuration manager by name from its own folder, where
// a test has planted rogue copies; "restricted" first limits the search as Instally does,
// then also uses the version and LZ libraries, which it imports on first use as Instally does.
// Exit code: 1 when the tablet library loaded, 2 when the configuration manager did, plus
// 4 and 8 when each came from the system directory; 16 and 32 when the version and LZ
// libraries worked and came from there; 100 on a usage error.
#include <windows.h>
#include <lzexpand.h>
#include <cstring>
#include "installer/core/library_search.h"

namespace {
bool FromSystemDirectory(HMODULE library) {
    char path[MAX_PATH], system[MAX_PATH];
    UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    return library && GetModuleFileNameA(library, path, MAX_PATH) && systemLength &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, systemLength, system, systemLength) == CSTR_EQUAL;
}

int Load(const char* name, int loadedBit, int systemBit) {
    HMODULE library = LoadLibraryA(name);
    if (!library) return 0;
    int bits = loadedBit | (FromSystemDirectory(library) ? systemBit : 0);
    FreeLibrary(library);
    return bits;
}

// Calls into the libraries imported on first use: a rogue copy would have no such functions.
int UseDelayedImports() {
    char self[MAX_PATH];
    if (!GetModuleFileNameA(nullptr, self, MAX_PATH)) return 0;
    int bits = 0;
    DWORD ignored = 0;
    GetFileVersionInfoSizeA(self, &ignored);
    if (FromSystemDirectory(GetModuleHandleA("version.dll"))) bits |= 16;
    OFSTRUCT of{};
    INT lz = LZOpenFileA(self, &of, OF_READ);
    if (lz >= 0) {
        char head[2] = {};
        if (LZRead(lz, head, 2) == 2 && head[0] == 'M' && head[1] == 'Z' && FromSystemDirectory(GetModuleHandleA("lz32.dll")))
            bits |= 32;
        LZClose(lz);
    }
    return bits;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 100;
    bool restricted = std::strcmp(argv[1], "restricted") == 0;
    if (restricted) RestrictLibrarySearch();
    else if (std::strcmp(argv[1], "open") != 0) return 100;
    int bits = Load("WINTAB32.DLL", 1, 4) | Load("Cfgmgr32.dll", 2, 8);
    if (restricted) bits |= UseDelayedImports();
    return bits;
}
