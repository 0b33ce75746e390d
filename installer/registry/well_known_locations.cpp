#include "installer/registry/well_known_locations.h"

#include <shlobj.h>
#include "installer/core/handles.h"
#include "installer/core/system_paths.h"
#include "installer/registry/path_macro.h"
#include "installer/registry/registry_view.h"

namespace {
const char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char* const kOfficeVersions[] = {"15.0", "14.0", "13.0", "12.0", "11.0", "10.0", "9.0", "8.0", "7.0"};

// A named value (or the default value for null) of an open key, at most maxChars characters.
bool QueryText(HKEY key, const char* name, int maxChars, StrBuf& out) {
    char* buffer = out.GetBuffer(maxChars);
    if (!buffer) return false;
    DWORD type = 0, size = static_cast<DWORD>(maxChars);
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        out.ReleaseBuffer(0);
        return false;
    }
    buffer[size < static_cast<DWORD>(maxChars) ? size : static_cast<DWORD>(maxChars)] = 0;   // may lack its NUL
    out.ReleaseBuffer();
    return true;
}

bool ExpandAppPath(const StrBuf& program, StrBuf& result) {
    if (program.IsEmpty()) return false;   // would read the App Paths key itself
    RegKey key;
    StrBuf path = StrBuf(kAppPaths) + "\\" + program;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KitRegistryView(), key.put()) != ERROR_SUCCESS) return false;
    if (!QueryText(key.get(), "Path", 256, result)) {
        QueryText(key.get(), nullptr, 256, result);
        // Programs with spaces in their path are often registered in quotes.
        if (result.Length() > 0 && result[0] == '"') result = result.Mid(1);
        int slash = result.ReverseFind('\\');
        result = slash < 0 ? StrBuf() : result.Left(slash);
    }
    return !result.IsEmpty();
}

bool ExpandOfficeWord(StrBuf& result) {
    for (const char* version : kOfficeVersions) {
        if (!FindWordInstallRoot(version, result)) continue;
        if (result.Length() >= 2 && result[result.Length() - 1] == '"') result = result.Mid(1, result.Length() - 2);
        // An empty root would turn the rest of the path into a path from the drive's root.
        if (!result.IsEmpty()) return true;
    }
    return false;
}

bool ExpandProgramFiles(StrBuf& result) {
    RegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_READ | KitRegistryView(), key.put()) != ERROR_SUCCESS) return false;
    QueryText(key.get(), "ProgramFilesDir", 512, result);
    return !result.IsEmpty();
}

bool ExpandNamedMacro(const StrBuf& name, StrBuf& result) {
    switch (MacroFolderNamed(name)) {
    case MacroFolder::Windows: result = WindowsDirectory(); return true;
    case MacroFolder::System: result = SystemDirectory(); return true;
    case MacroFolder::System32: result = WindowsDirectory() + "\\System32"; return true;
    case MacroFolder::OfficeWord: return ExpandOfficeWord(result);
    case MacroFolder::ProgramFiles: return ExpandProgramFiles(result);
    case MacroFolder::Unknown: break;
    }
    return false;
}
}  // namespace

bool FindWordInstallRoot(const char* version, StrBuf& root) {
    RegKey key;
    StrBuf path = StrBuf("Software\\Microsoft\\Office\\") + version + "\\Word\\InstallRoot";
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KitRegistryView(), key.put()) != ERROR_SUCCESS) return false;
    return QueryText(key.get(), "Path", 256, root);
}

bool ExpandPathMacro(StrBuf& path) {
    PathMacro macro = ParsePathMacro(path);
    if (macro.form == PathMacroForm::None) return true;
    StrBuf result;
    bool expanded = false;
    if (macro.form == PathMacroForm::AppPath) expanded = ExpandAppPath(macro.argument, result);
    else if (macro.form == PathMacroForm::Named) expanded = ExpandNamedMacro(macro.name, result);
    if (!expanded) return false;
    path = result + macro.rest;
    return true;
}

int GetSpecialFolderPath(HWND owner, int csidl, StrBuf& out) {
    out.Empty();
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.put())) || !allocator) return 0;
    LPITEMIDLIST items = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(owner, csidl, &items)) || !items) return 0;
    char* buffer = out.GetBuffer(512);
    bool ok = buffer && SHGetPathFromIDListA(items, buffer);
    allocator->Free(items);
    if (buffer) out.ReleaseBuffer(ok ? -1 : 0);
    return out.Length();
}
