#include "installer/core/file_replace.h"

#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"

namespace {
bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// A free name beside the target for its old copy while the new one is moved in.
StrBuf AsideName(const char* target) {
    StrBuf directory = DirectoryPart(target);
    if (directory.IsEmpty()) directory = ".";
    StrBuf aside;
    char* buffer = aside.GetBuffer(MAX_PATH);
    if (!buffer) return aside;
    UINT made = GetTempFileNameA(directory, "OLD", 0, buffer);
    aside.ReleaseBuffer(made ? -1 : 0);
    if (made) DeleteFileA(aside);   // only the name is wanted: the rename must not replace
    return aside;
}
}  // namespace

bool MoveFileExByName(const char* from, const char* to, DWORD flags) {
    using MoveFileExFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto moveEx = kernel ? reinterpret_cast<MoveFileExFn>(GetProcAddress(kernel, "MoveFileExA")) : nullptr;
    if (!moveEx) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    return moveEx(from, to, flags) != 0;
}

bool ReplaceByRenames(const char* target, const char* newFile) {
    if (!Exists(newFile)) return false;
    if (!Exists(target)) return MoveFileA(newFile, target) != 0;
    StrBuf aside = AsideName(target);
    if (aside.IsEmpty() || !MoveFileA(target, aside)) return false;   // held open: nothing changed
    if (!MoveFileA(newFile, target)) {
        DWORD error = GetLastError();
        MoveFileA(aside, target);
        SetLastError(error);
        return false;
    }
    SetFileAttributesA(aside, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(aside);
    return true;
}

bool ReplaceFileWith(const char* target, const char* newFile) {
    if (GetOsVersionCode() >= 400) {
        if (MoveFileExByName(newFile, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH))
            return true;
        // Where the call exists but is not carried out, the renames still serve.
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    }
    return ReplaceByRenames(target, newFile);
}
