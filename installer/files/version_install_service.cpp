#include "installer/files/version_install_service.h"
#include "installer/core/code_page.h"

#include <cstring>
#include <lzexpand.h>
#include <vector>
#include "installer/core/file_replace.h"
#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/system_libraries.h"
#include "installer/core/system_paths.h"
#include "installer/files/file_copy.h"
#include "installer/files/lz_file.h"
#include "installer/files/progress_events.h"
#include "installer/files/version_compare.h"

namespace {
VersionInstallFn g_override = nullptr;

VersionFacts ReadVersionFacts(const char* path) {
    VersionFacts facts;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return facts;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return facts;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        facts.hasFixedInfo = true;
        facts.fileVersion = (static_cast<uint64_t>(fixed->dwFileVersionMS) << 32) | fixed->dwFileVersionLS;
        facts.fileType = fixed->dwFileType;
    }
    WORD* translation = nullptr;
    if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
        translation && length >= 2 * sizeof(WORD)) {
        facts.hasTranslation = true;
        facts.language = translation[0];
        facts.codePage = translation[1];
    }
    return facts;
}

// Whether the existing destination can be read (0 when it can, or is missing): its version
// cannot be compared otherwise.
DWORD ReadingState(const char* path) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return 0;
    FileHandle reading(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (reading) return 0;
    return GetLastError() == ERROR_SHARING_VIOLATION ? VIF_FILEINUSE_BIT : VIF_CANNOTREADDST_BIT;
}

// Whether the existing destination can be replaced now (0 when it can, or is missing).
DWORD ReplacingState(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    if (attributes & FILE_ATTRIBUTE_READONLY) return VIF_WRITEPROT_BIT;
    // Anyone holding the file open (a running program, a loaded library) blocks this open.
    FileHandle exclusive(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!exclusive) return GetLastError() == ERROR_SHARING_VIOLATION ? VIF_FILEINUSE_BIT : VIF_WRITEPROT_BIT;
    return 0;
}

DWORD ReplaceFailure(DWORD error) {
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) return VIF_FILEINUSE_BIT;
    return error == ERROR_ACCESS_DENIED ? VIF_CANNOTDELETE_BIT : VIF_CANNOTRENAME_BIT;
}

DWORD ReturnTempName(const char* tempPath, LPSTR tempName, PUINT tempNameLength) {
    const char* name = tempPath + LastSeparator(tempPath) + 1;
    UINT needed = static_cast<UINT>(strlen(name)) + 1;
    if (!tempName || !tempNameLength || *tempNameLength < needed) {
        if (tempNameLength) *tempNameLength = needed;
        return VIF_TEMPFILE_BIT | VIF_BUFFTOOSMALL_BIT;
    }
    memcpy(tempName, name, needed);
    *tempNameLength = needed;
    return VIF_TEMPFILE_BIT;
}

bool NonEmpty(LPCSTR text) { return text && *text; }

// The LZ library's own test takes no path of 128 characters or more.
bool SourceThere(const char* path) {
    if (!FitsOfStruct(path)) return FileExists(path);
    OFSTRUCT probe{};
    return LZOpenFileA(const_cast<char*>(path), &probe, OF_EXIST) >= 0;
}
}  // namespace

DWORD WINAPI OwnVersionInstall(DWORD flags, LPCSTR sourceName, LPCSTR destName, LPCSTR sourceDir, LPCSTR destDir,
                               LPCSTR currentDir, LPSTR tempName, PUINT tempNameLength) {
    if (!NonEmpty(sourceName) || !NonEmpty(destName)) return VIF_CANNOTREADSRC_BIT;
    StrBuf sourcePath = JoinPath(sourceDir ? sourceDir : "", sourceName);
    StrBuf destDirectory(NonEmpty(destDir) ? destDir : ".");
    StrBuf destPath = JoinPath(destDirectory, destName);
    if (tempNameLength && tempName && *tempNameLength) tempName[0] = 0;

    if (!SourceThere(sourcePath)) return VIF_CANNOTREADSRC_BIT;

    if (!TempNameFits(destDirectory)) return VIF_CANNOTCREATE_BIT;
    StrBuf tempPath;
    char* buffer = tempPath.GetBuffer(MAX_PATH);
    if (!buffer) return VIF_OUTOFMEMORY_BIT;
    UINT made = GetTempFileNameA(destDirectory, "VER", 0, buffer);
    tempPath.ReleaseBuffer(made ? -1 : 0);
    if (!made) return VIF_CANNOTCREATE_BIT;
    LONG copied = LzCopyFile(sourcePath, tempPath);
    if (copied < 0) {
        DeleteFileA(tempPath);
        return VersionBitsForCopyError(copied);
    }

    // Versions first, as the system's service does: an older file over a newer one that a
    // program holds must still be put to the user, not replaced at the restart unasked.
    DWORD state = ReadingState(destPath);
    if (state) return state | ReturnTempName(tempPath, tempName, tempNameLength);
    if (!(flags & kForceInstallFlag) && GetFileAttributesA(destPath) != INVALID_FILE_ATTRIBUTES) {
        unsigned conflicts = VersionConflictBits(ReadVersionFacts(tempPath), ReadVersionFacts(destPath));
        if (conflicts) return conflicts | ReturnTempName(tempPath, tempName, tempNameLength);
    }
    state = ReplacingState(destPath);
    if (state) return state | ReturnTempName(tempPath, tempName, tempNameLength);
    // One step: when the new file cannot be moved in, the old one is still there.
    if (!ReplaceFileWith(destPath, tempPath))
        return ReplaceFailure(GetLastError()) | ReturnTempName(tempPath, tempName, tempNameLength);
    return 0;
}

VersionInstallFn SystemVersionInstall() {
    // Kept loaded for the life of the process once found.
    static HMODULE version = LoadLibraryRedirected("version.dll");
    return version ? reinterpret_cast<VersionInstallFn>(GetProcAddress(version, "VerInstallFileA")) : nullptr;
}

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

VersionInstallFn VersionInstallService() {
    if (g_override) return g_override;
    VersionInstallFn system = SystemVersionInstall();
    if (!system || RunningUnderWine()) return OwnVersionInstall;
    return system;
}

void SetVersionInstallService(VersionInstallFn service) { g_override = service; }
