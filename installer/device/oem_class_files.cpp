#include "installer/device/oem_class_files.h"
#include <windows.h>
#include "installer/core/handles.h"
#include "installer/core/system_paths.h"

namespace {
const int ClassChars = 64;

bool HasClass(const char* path, const char* className) {
    char value[ClassChars] = {};
    GetPrivateProfileStringA("Version", "Class", "", value, sizeof value, path);
    return CompareNoCase(value, className) == 0;
}

// The folder is entered first, as the test whether it exists; the previous current
// directory comes back afterwards so that later relative paths are unchanged.
bool CleanFolder(const char* folder, const char* pattern, const char* className) {
    StrBuf previous = CurrentDirectory();
    if (!SetCurrentDirectoryA(folder)) return false;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(JoinPath(folder, pattern), &found));
    for (bool more = search.valid(); more; more = FindNextFileA(search.get(), &found) != 0) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        StrBuf path;
        path.Format("%s\\%s", folder, found.cFileName);
        if (HasClass(path, className)) DeleteFileA(path);
    }
    SetCurrentDirectoryA(previous);
    return true;
}
}  // namespace

bool DeleteOemClassFiles(const char* className) {
    if (!className) return false;
    StrBuf windows = WindowsDirectory();
    if (windows.IsEmpty()) return false;
    StrBuf inf = windows + "\\INF";
    if (!CleanFolder(inf, "oem*.inf", className)) return false;
    return CleanFolder(inf + "\\OTHER", "*.inf", className);
}
