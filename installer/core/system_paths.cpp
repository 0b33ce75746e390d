#include "installer/core/system_paths.h"

#include <cstdlib>
#include <cstring>
#include "installer/core/handles.h"
#include "installer/core/process_facts.h"

StrBuf ProgramFilePath(HINSTANCE instance) {
    StrBuf path;
    char* buffer = path.GetBuffer(MAX_PATH);
    if (!buffer) return path;
    DWORD length = GetModuleFileNameA(instance, buffer, MAX_PATH);
    path.ReleaseBuffer(length < MAX_PATH ? static_cast<int>(length) : 0);
    return path;
}

StrBuf ModuleDirectory(HINSTANCE instance) { return DirectoryPart(ProgramFilePath(instance)); }

namespace {
template <typename Query>
StrBuf AskSystem256(Query query) {
    StrBuf path;
    char* buffer = path.GetBuffer(256);
    if (!buffer) return path;
    UINT length = query(buffer, 256);
    path.ReleaseBuffer(length > 0 && length < 256 ? static_cast<int>(length) : 0);
    return path;
}
}  // namespace

StrBuf WindowsDirectory() { return AskSystem256([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); }); }
StrBuf SystemDirectory() { return AskSystem256([](char* b, UINT n) { return GetSystemDirectoryA(b, n); }); }

StrBuf CurrentDirectory() {
    StrBuf path;
    DWORD room = 260;
    for (int attempt = 0; attempt < 2; ++attempt) {
        char* buffer = path.GetBuffer(static_cast<int>(room));
        if (!buffer) return StrBuf();
        DWORD length = GetCurrentDirectoryA(room, buffer);
        if (length == 0) { path.ReleaseBuffer(0); return path; }
        if (length < room) { path.ReleaseBuffer(static_cast<int>(length)); return path; }
        room = length + 10;
    }
    path.ReleaseBuffer(0);
    return path;
}

StrBuf ShortPathName(const char* path) {
    StrBuf shortPath;
    DWORD room = 256;
    for (int attempt = 0; attempt < 2; ++attempt) {
        char* buffer = shortPath.GetBuffer(static_cast<int>(room));
        if (!buffer) return StrBuf();
        DWORD length = GetShortPathNameA(path, buffer, room);
        if (length == 0) { shortPath.ReleaseBuffer(0); return shortPath; }
        if (length < room) { shortPath.ReleaseBuffer(static_cast<int>(length)); return shortPath; }
        room = length;
    }
    shortPath.ReleaseBuffer(0);
    return shortPath;
}

bool TempNameFits(const char* directory) { return directory && lstrlenA(directory) <= MAX_PATH - 14; }

StrBuf TempFileIn(const char* directory) {
    StrBuf path;
    if (!TempNameFits(directory)) return path;
    char* buffer = path.GetBuffer(MAX_PATH);
    if (!buffer) return path;
    UINT number = GetTempFileNameA(directory, "ST~", 0, buffer);
    path.ReleaseBuffer(number ? -1 : 0);
    // Wine's GetTempFileNameA gives a name also when the file could not be made (a read-only
    // medium refuses it with "write protected", not "exists"): only a file that is there counts.
    if (!path.IsEmpty() && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) path.Empty();
    return path;
}

namespace {
bool SameBytes(HANDLE a, HANDLE b) {
    const DWORD kBlock = 30000;
    char* work = static_cast<char*>(malloc(2 * kBlock));   // one block of each file
    if (!work) return false;
    bool same = true;
    for (;;) {
        DWORD readA = 0, readB = 0;
        BOOL okA = ReadFile(a, work, kBlock, &readA, nullptr);
        BOOL okB = ReadFile(b, work + kBlock, kBlock, &readB, nullptr);
        if (!okA || !okB || readA != readB || memcmp(work, work + kBlock, readA) != 0) { same = false; break; }
        if (readA < kBlock) break;
    }
    free(work);
    return same;
}

FileHandle OpenForReading(const char* path) {
    return FileHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}
}  // namespace

bool ReplaceIfDifferent(const char* target, const char* newFile) {
    SetCurrentDirectoryA(ModuleDirectory(ProgramInstance()));
    if (GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES) return MoveFileA(newFile, target) != 0;
    if (GetFileAttributesA(newFile) == INVALID_FILE_ATTRIBUTES) return true;
    bool same;
    {
        FileHandle a = OpenForReading(target);
        FileHandle b = OpenForReading(newFile);
        if (!a || !b) return false;
        same = SameBytes(a.get(), b.get());
    }
    if (!same) return false;
    DeleteFileA(newFile);
    return true;
}
