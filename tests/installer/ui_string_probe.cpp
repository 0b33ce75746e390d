// Prints, in UTF-8, the strings the installer loads in the system's language.
#include <cstdio>
#include <cstdlib>
#include <windows.h>
#include "installer/run/startup.h"

int main(int argc, char** argv) {
    SetThreadLanguage();
    for (int i = 1; i < argc; ++i) {
        UINT id = static_cast<UINT>(atoi(argv[i]));
        char ansi[512] = "";
        LoadStringA(GetModuleHandleA(nullptr), id, ansi, sizeof ansi);
        WCHAR wide[512] = L"";
        MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 512);
        char utf8[1536] = "";
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8, nullptr, nullptr);
        printf("%u=%s\n", id, utf8);
    }
    return 0;
}
