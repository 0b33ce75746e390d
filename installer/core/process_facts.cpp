#include "installer/core/process_facts.h"

#include "installer/core/language.h"
#include "installer/core/library_search.h"
#include "installer/core/os_version.h"
#include "installer/core/system_code_page.h"
#include "installer/core/system_functions.h"
#include "installer/core/system_libraries.h"

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
}  // namespace

HINSTANCE ProgramInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }
void SetProgramInstance(HINSTANCE instance) { g_instance = instance; }
int RunMode() { return g_runMode; }
void SetRunMode(int mode) { g_runMode = mode; }
const StrBuf& DefaultDirOverride() { return g_defaultDirOverride; }
void SetDefaultDirOverride(const StrBuf& dir) { g_defaultDirOverride = dir; }
const StrBuf& UninstallRecordKey() { return g_recordKey; }
void SetUninstallRecordKey(const StrBuf& key) { g_recordKey = key; }
UINT AutoPlayMessage() { return g_autoPlayMessage; }
void RegisterAutoPlayMessage() { g_autoPlayMessage = RegisterWindowMessageA("QueryCancelAutoPlay"); }

int GetOsVersionCode() {
    if (g_osVersionCode != -1) return g_osVersionCode;
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;   // the full 148-byte structure
    bool known = GetVersionExA(&info) != 0;
    g_osVersionCode = OsVersionCodeFor(known, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
    return g_osVersionCode;
}

int NativeArchitecture() { return g_nativeArchitecture; }
void SetNativeArchitecture(int code) { g_nativeArchitecture = code; }

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
