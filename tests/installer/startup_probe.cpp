// Runs the installer's first steps with the redirection switch watched, beside rogue copies of
// the libraries it loads. Exit code: 64 when the version, LZ and configuration-manager libraries
// were loaded from the system directory by the time redirection went off, 128 when the tablet
// library was then loaded with redirection back on around the load alone.
#include <windows.h>
#include <string>
#include "installer/run/startup.h"
#include "installer/core/system_libraries.h"

namespace {
std::string g_switches;
bool g_loadedWhenOff = false;

bool FromSystemDirectory(HMODULE library) {
    char path[MAX_PATH], system[MAX_PATH];
    UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    return library && GetModuleFileNameA(library, path, MAX_PATH) && systemLength &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, systemLength, system, systemLength) == CSTR_EQUAL;
}

void WatchSwitch(bool on) {
    if (!on && g_switches.empty()) {
        g_loadedWhenOff = true;
        for (const char* name : kSystemLibraries)
            g_loadedWhenOff = g_loadedWhenOff && FromSystemDirectory(GetModuleHandleA(name));
    }
    g_switches += on ? "on " : "off ";
}
}  // namespace

int main() {
    SetFsRedirectionSwitch(WatchSwitch);
    PrepareProcess();
    g_switches += "| ";
    HMODULE tablet = LoadLibraryRedirected("WINTAB32.DLL");
    if (tablet) FreeLibrary(tablet);
    return (g_loadedWhenOff ? 64 : 0) | (g_switches == "off | on off " ? 128 : 0);
}
