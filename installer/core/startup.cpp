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
#include "installer/core/system_functions.h"
#include "installer/core/system_libraries.h"
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
Fn Kernel32Function(const char* name) { return SystemFunction<Fn>("kernel32", name); }

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

void DisableFsRedirection() { SwitchFsRedirection(false); }

void PrepareProcess() {
    // First of all: the medium's folder may hold planted libraries.
    RestrictLibrarySearch();
    UseSystemLeadBytes();   // before the first path is cut: the module folder
    SetThreadLanguage();
    ComputeNativeArchitecture();
    // Before redirection goes off: afterwards a 32-bit installer on 64-bit Windows would be
    // handed the 64-bit system libraries.
    LoadSystemLibraries();
    DisableFsRedirection();
}

int SystemLanguageId() { return GetSystemDefaultLangID(); }
void SetThreadLanguage() {
    // The 95 family has no thread locales: its resources come in the system's language anyway.
    using SetLocaleFn = BOOL(WINAPI*)(LCID);
    if (auto setLocale = Kernel32Function<SetLocaleFn>("SetThreadLocale"))
        setLocale(MAKELCID(ThreadLanguageFor(SystemLanguageId()), SORT_DEFAULT));
}
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
    g_autoPlayMessage = RegisterWindowMessageA("QueryCancelAutoPlay");

    int result = RunMode() == RunInstallMode ? RunInstall(instance) : RunUninstall(instance);

    ShutDown();
    if (result != 0) ExitWindowsEx(EWX_REBOOT, 0);
    return result;
}
