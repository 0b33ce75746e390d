#include "installer/files/disk_and_directories.h"

#include <windows.h>
#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/system_paths.h"
#include "installer/files/file_copy.h"
#include "installer/files/protected_folders.h"
#include "installer/script/script_reader.h"

uint64_t FreeDiskBytes(const char* rootPath) {
    using FreeSpaceExFn = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto freeSpaceEx = kernel ? reinterpret_cast<FreeSpaceExFn>(GetProcAddress(kernel, "GetDiskFreeSpaceExA")) : nullptr;
    if (freeSpaceEx) {
        ULARGE_INTEGER available{}, total{}, totalFree{};
        freeSpaceEx(rootPath, &available, &total, &totalFree);
        return available.QuadPart;
    }
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    GetDiskFreeSpaceA(rootPath, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters);
    DWORD bytesPerCluster = sectorsPerCluster * bytesPerSector;   // fits 32 bits on those systems
    return static_cast<uint64_t>(bytesPerCluster) * freeClusters;
}

bool HasEnoughSpace(const char* path, uint64_t neededK, uint64_t* freeK) {
    StrBuf root = StrBuf(path).Left(3);
    uint64_t available = FreeDiskBytes(root) >> 10;
    // The message that reports it formats 32 bits; the comparison keeps the full value.
    if (freeK) *freeK = available & 0xFFFFFFFFu;
    return available > neededK;
}

bool DirectoryExists(const char* path) {
    StrBuf remembered = CurrentDirectory();
    bool changed = SetCurrentDirectoryA(path) != 0;
    SetCurrentDirectoryA(remembered);
    return changed;
}

namespace {
// After CreateDirectoryA failed with "already exists": a file of that name is in the way.
bool ExistingIsDirectory(const char* path) { return !FileExists(path); }

// The first component of the walk; "\\server\share" stays one piece.
StrBuf FirstComponent(StrBuf& rest) {
    if (rest.Length() >= 2 && rest[0] == '\\' && rest[1] == '\\') {
        StrBuf unc("\\\\");
        rest = rest.Mid(2);
        unc += NextField(rest, '\\', false);
        unc += '\\';
        unc += NextField(rest, '\\', false);
        return unc;
    }
    return NextField(rest, '\\', false);
}
}  // namespace

bool CreateDirectoryTree(const char* path) {
    if (!path || !*path) return false;
    if (CreateDirectoryA(path, nullptr)) return true;
    if (GetLastError() == ERROR_ALREADY_EXISTS) return ExistingIsDirectory(path);

    StrBuf rest(path);
    StrBuf accumulated = FirstComponent(rest);
    while (!rest.IsEmpty()) {
        StrBuf component = NextField(rest, '\\', false);
        if (component.IsEmpty()) continue;   // doubled or trailing backslash
        AppendPath(accumulated, component);
        if (FileExists(accumulated)) return false;
        CreateDirectoryA(accumulated, nullptr);
    }
    if (CreateDirectoryA(path, nullptr)) return true;
    return GetLastError() == ERROR_ALREADY_EXISTS && ExistingIsDirectory(path);
}

namespace {
bool PruneTree(const char* path, bool deleteFiles) {
    if (!SetCurrentDirectoryA(path)) return true;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA("*.*", &found));
    if (find) {
        do {
            StrBuf entry;
            entry.Format("%s\\%s", path, found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                // A link to a folder elsewhere is never followed: its contents are not ours.
                if (found.cFileName[0] == '.' || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
                PruneTree(entry, deleteFiles);
                SetCurrentDirectoryA(path);
            } else if (deleteFiles) {
                SetFileAttributesA(entry, FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(entry);
            }
        } while (FindNextFileA(find.get(), &found));
    }
    find.reset();
    SetCurrentDirectoryA("\\");
    return RemoveDirectoryA(path) != 0;
}
}  // namespace

bool DeleteDirectoryTree(const char* path, bool deleteFiles) {
    if (!path) return true;
    // An installation folder may resolve to one of these; pruning them would strip empty
    // folders that other software expects to find there.
    if (IsProtectedFolder(path, WindowsDirectory(), SystemDirectory())) return false;
    return PruneTree(path, deleteFiles);
}
