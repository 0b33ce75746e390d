#include "installer/run/startup.h"

#include <commctrl.h>
#include <cstdio>
#include <objbase.h>
#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/run/sequences.h"
#include "installer/core/system_functions.h"
#include "installer/core/system_paths.h"
#include "installer/registry/registry_keys.h"
#include "installer/tree/application.h"
#include "installer/ui/window_classes.h"

namespace {
void EnableShutdownPrivileges() {
    // Only the NT family has privileges; the calls are looked up so the 95 family starts too.
    using OpenTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
    using LookupFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
    using AdjustFn = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
    auto openToken = SystemFunction<OpenTokenFn>("advapi32", "OpenProcessToken");
    auto lookup = SystemFunction<LookupFn>("advapi32", "LookupPrivilegeValueA");
    auto adjust = SystemFunction<AdjustFn>("advapi32", "AdjustTokenPrivileges");
    KernelHandle token;
    if (!openToken || !lookup || !adjust ||
        !openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()))
        return;
    struct { DWORD count; LUID_AND_ATTRIBUTES privileges[3]; } wanted{};
    const char* names[3] = {"SeShutdownPrivilege", "SeRestorePrivilege", "SeBackupPrivilege"};
    wanted.count = 3;
    for (int i = 0; i < 3; ++i) {
        lookup(nullptr, names[i], &wanted.privileges[i].Luid);
        wanted.privileges[i].Attributes = SE_PRIVILEGE_ENABLED;
    }
    adjust(token.get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted), 0, nullptr, nullptr);
}

void InitCommonControlClasses() {
    // The first Windows 95 has only the older call, which registers the same classes.
    using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    auto initEx = SystemFunction<InitExFn>("comctl32", "InitCommonControlsEx");
    if (!initEx || !initEx(&controls)) InitCommonControls();
}

void ShutDown() {
    fflush(nullptr);
    UnregisterMeterClass();
    CoUninitialize();
    fflush(nullptr);
    DisableFsRedirection();
}
}  // namespace

int ParseCommandLine(const char* commandLine) {
    CommandLineOptions options = ReadCommandLine(commandLine);
    Application& app = TheApplication();
    app.settings.silent = options.silent;
    app.noDetection = options.noDetection;
    app.deviceType = options.deviceType;
    SetDefaultDirOverride(options.defaultDir);
    if (options.sourceDirGiven) app.SetSourceDir(options.sourceDir);
    if (!options.hasRecordKey) return RunInstallMode;

    SetUninstallRecordKey(options.recordKey);
    StrBuf installDir;
    if (!ReadKeyDefault(installDir, HKEY_CLASSES_ROOT, UninstallRecordKey())) return RunQuitMode;
    app.SetInstallDir(installDir);
    return RunUninstallMode;
}

int ProgramMain(HINSTANCE instance, const char* commandLine) {
    PrepareProcess();
    SetProgramInstance(instance);
    Application& app = TheApplication();
    LoadResString(app.settings.uninstallName, instance, 42);
    app.SetSourceDir(ModuleDirectory(instance));

    SetRunMode(RunQuitMode);
    SetRunMode(ParseCommandLine(commandLine));
    if (RunMode() == RunQuitMode) { DisableFsRedirection(); return 1; }

    if (!RegisterBackgroundClass(instance)) {
        ShowMessage(nullptr, 1, nullptr, MB_OK);
        DisableFsRedirection();
        return 1;
    }

    if (GetOsVersionCode() >= 400) EnableShutdownPrivileges();
    if (FAILED(CoInitialize(nullptr))) { DisableFsRedirection(); return 2; }
    InitCommonControlClasses();
    RegisterMeterClass(instance);
    RegisterAutoPlayMessage();

    int result = RunMode() == RunInstallMode ? RunInstall(instance) : RunUninstall(instance);

    ShutDown();
    if (result != 0) ExitWindowsEx(EWX_REBOOT, 0);
    return result;
}
