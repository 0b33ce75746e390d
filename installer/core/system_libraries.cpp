#include "installer/core/system_libraries.h"

#include "installer/core/path_text.h"
#include "installer/core/system_paths.h"

const char* const kSystemLibraries[3] = {"version.dll", "lz32.dll", "cfgmgr32.dll"};

namespace {
FsRedirectionSwitch g_watcher = nullptr;
bool g_redirectionOff = false;
}  // namespace

void SwitchFsRedirection(bool on) {
    g_redirectionOff = !on;
    if (g_watcher) { g_watcher(on); return; }
    using RedirectFn = BOOLEAN(WINAPI*)(BOOLEAN);
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto redirect = kernel ? reinterpret_cast<RedirectFn>(GetProcAddress(kernel, "Wow64EnableWow64FsRedirection"))
                           : nullptr;
    if (redirect) redirect(on ? TRUE : FALSE);
}

void SetFsRedirectionSwitch(FsRedirectionSwitch watcher) { g_watcher = watcher; }

bool LoadSystemLibraries() {
    StrBuf system = SystemDirectory();
    if (system.IsEmpty()) return false;
    bool all = true;
    for (const char* name : kSystemLibraries)
        all = LoadLibraryA(JoinPath(system, name)) != nullptr && all;   // kept for the run
    return all;
}

HMODULE LoadLibraryRedirected(const char* name) {
    bool wasOff = g_redirectionOff;
    if (wasOff) SwitchFsRedirection(true);
    HMODULE library = LoadLibraryA(name);
    DWORD error = GetLastError();
    if (wasOff) SwitchFsRedirection(false);
    SetLastError(error);
    return library;
}
