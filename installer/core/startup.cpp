#include "installer/core/startup.h"

#include <commctrl.h>
#include <cstdio>
#include <objbase.h>
#include "installer/core/handles.h"
#include "installer/core/language.h"
#include "installer/core/library_search.h"
#include "installer/core/messages.h"
#include "installer/core/os_version.h"
#include "installer/core/system_code_page.h"
#include "installer/core/sequences.h"
#include "installer/core/system_paths.h"
#include "installer/script/application.h"
#include "installer/ui/window_classes.h"

UINT InstallStatusMessage = RegisterWindowMessageA("Zorvant_InstallStatus");

namespace {
HINSTANCE g_instance = nullptr;
int g_runMode = RunQuitMode;
int g_osVersionCode = -1;
int g_nativeArchitecture = 0;
UINT g_autoPlayMessage = 0;
StrBuf g_defaultDirOverride;
StrBuf g_recordKey;

template <typename Fn>
Fn Kernel32Function(const char* name) {
    HMODULE kernel = GetModuleHandleA("kernel32");
    return kernel ? reinterpret_cast<Fn>(GetProcAddress(kernel, name)) : nullptr;
}

void EnableShutdownPrivileges() {
    KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return;
    struct { DWORD count; LUID_AND_ATTRIBUTES privileges[3]; } wanted{};
    const char* names[3] = {"SeShutdownPrivilege", "SeRestorePrivilege", "SeBackupPrivilege"};
    wanted.count = 3;
    for (int i = 0; i < 3; ++i) {
        LookupPrivilegeValueA(nullptr, names[i], &wanted.privileges[i].Luid);
        wanted.privileges[i].Attributes = SE_PRIVILEGE_ENABLED;
    }
    AdjustTokenPrivileges(token.get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted), 0, nullptr, nullptr);
}

void ShutDown() {
    fflush(nullptr);
    UnregisterMeterClass();
    CoUninitialize();
    fflush(nullptr);
    DisableFsRedirection();
}
}  // namespace

HINSTANCE ProgramInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }
void SetProgramInstance(HINSTANCE instance) { g_instance = instance; }
int RunMode() { return g_runMode; }
void SetRunMode(int mode) { g_runMode = mode; }
const StrBuf& DefaultDirOverride() { return g_defaultDirOverride; }
const StrBuf& UninstallRecordKey() { return g_recordKey; }
UINT AutoPlayMessage() { return g_autoPlayMessage; }

int GetOsVersionCode() {
    if (g_osVersionCode != -1) return g_osVersionCode;
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;   // the full 148-byte structure
    bool known = GetVersionExA(&info) != 0;
    g_osVersionCode = OsVersionCodeFor(known, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    return g_osVersionCode;
}

int NativeArchitecture() { return g_nativeArchitecture; }

void ComputeNativeArchitecture() {
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    using NativeInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
    auto isWow64 = Kernel32Function<IsWow64Fn>("IsWow64Process");
    auto nativeInfo = Kernel32Function<NativeInfoFn>("GetNativeSystemInfo");
    BOOL wow64 = FALSE;   // only whether the call succeeds matters
    bool found = isWow64 && nativeInfo;
    bool succeeded = found && isWow64(GetCurrentProcess(), &wow64);
    SYSTEM_INFO info{};
    if (succeeded) nativeInfo(&info);
    g_nativeArchitecture = NativeArchitectureFrom(found, succeeded, info.wProcessorArchitecture);
}

void DisableFsRedirection() {
    using RedirectFn = BOOLEAN(WINAPI*)(BOOLEAN);
    if (auto redirect = Kernel32Function<RedirectFn>("Wow64EnableWow64FsRedirection")) redirect(FALSE);
}

int SystemLanguageId() { return GetSystemDefaultLangID(); }
void SetThreadLanguage() { SetThreadLocale(MAKELCID(ThreadLanguageFor(SystemLanguageId()), SORT_DEFAULT)); }
int FontCharset() { return FontCharsetFor(SystemLanguageId()); }
StrBuf LanguageSuffix() { return StrBuf(LanguageSuffixFor(SystemLanguageId())); }

int ParseCommandLine(const char* commandLine) {
    CommandLineOptions options = ReadCommandLine(commandLine);
    Application& app = TheApplication();
    app.settings.silent = options.silent;
    app.noDetection = options.noDetection;
    app.deviceType = options.deviceType;
    g_defaultDirOverride = options.defaultDir;
    if (options.sourceDirGiven) app.SetSourceDir(options.sourceDir);
    if (!options.hasRecordKey) return RunInstallMode;

    g_recordKey = options.recordKey;
    StrBuf installDir;
    char* buffer = installDir.GetBuffer(256);
    LONG size = 257;
    if (!buffer || RegQueryValueA(HKEY_CLASSES_ROOT, g_recordKey, buffer, &size) != ERROR_SUCCESS) {
        installDir.ReleaseBuffer(0);
        return RunQuitMode;
    }
    installDir.ReleaseBuffer();
    app.SetInstallDir(installDir);
    return RunUninstallMode;
}

int ProgramMain(HINSTANCE instance, const char* commandLine) {
    // First of all: the medium's folder may hold planted libraries.
    RestrictLibrarySearch();
    UseSystemLeadBytes();   // before the first path is cut: the module folder below
    SetThreadLanguage();
    ComputeNativeArchitecture();
    DisableFsRedirection();

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
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterMeterClass(instance);
    g_autoPlayMessage = RegisterWindowMessageA("QueryCancelAutoPlay");

    int result = RunMode() == RunInstallMode ? RunInstall(instance) : RunUninstall(instance);

    ShutDown();
    if (result != 0) ExitWindowsEx(EWX_REBOOT, 0);
    return result;
}
