#include "installer/record/uninstaller_copy.h"

#include <cstring>
#include <utility>

#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/script_candidates.h"
#include "installer/core/process_facts.h"
#include "installer/core/system_paths.h"
#include "installer/files/deferred_replace.h"
#include "installer/files/file_copy.h"
#include "installer/files/protected_folders.h"

StrBuf CopyOwnProgramInto(const char* folder) {
    StrBuf own = ProgramFilePath(ProgramInstance());
    if (own.IsEmpty() || !folder || !*folder) return StrBuf();
    StrBuf copy = JoinPath(folder, FileNamePart(own));
    if (CompareNoCase(copy, own) == 0) return copy;   // run from the copy itself: it is in place
    return CopyFileA(own, copy, FALSE) ? copy : StrBuf();
}

namespace {
// The same file, however its paths are spelt (short names, case, a link's resolution).
bool SameFile(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    for (auto [path, info] : {std::pair<const char*, BY_HANDLE_FILE_INFORMATION*>{a, &infoA}, {b, &infoB}}) {
        FileHandle file(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        if (!file || !GetFileInformationByHandle(file.get(), info)) return CompareNoCase(a, b) == 0;
    }
    return infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber && infoA.nFileIndexHigh == infoB.nFileIndexHigh &&
           infoA.nFileIndexLow == infoB.nFileIndexLow;
}
}  // namespace

OwnCopyFate RemoveOwnCopy(const char* copyPath) {
    OwnCopyFate fate = SameFile(copyPath, ProgramFilePath(ProgramInstance())) ? OwnCopyFate::ScheduledForRestart
                                                                             : OwnCopyFate::Deleted;
    if (fate == OwnCopyFate::Deleted) {
        SetFileAttributesA(copyPath, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(copyPath);
        return fate;
    }
    // A running program's file cannot be deleted; its folder goes after it at the restart
    // (the system removes a folder there only when it is empty).
    ScheduleReplace(nullptr, copyPath);
    StrBuf folder = DirectoryPart(copyPath);
    if (!IsProtectedFolder(folder, WindowsDirectory(), SystemDirectory())) ScheduleReplace(nullptr, folder);
    return fate;
}

bool OnlyOwnCopyLeft(const char* copyPath) {
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA(JoinPath(DirectoryPart(copyPath), "*"), &found));
    if (!find) return false;
    do {
        const char* name = found.cFileName;
        if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
        if (CompareNoCase(name, FileNamePart(copyPath)) != 0) return false;
    } while (FindNextFileA(find.get(), &found));
    return true;
}
