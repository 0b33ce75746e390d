#include "installer/record/uninstaller_copy.h"

#include <cstring>

#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/script_candidates.h"
#include "installer/core/startup.h"
#include "installer/core/system_paths.h"
#include "installer/files/deferred_replace.h"
#include "installer/files/file_copy.h"
#include "installer/files/protected_folders.h"
#include "installer/script/application.h"
#include "installer/script/component.h"
#include "installer/script/file_entry.h"

const char kOwnCopyKey[] = "Uninstaller";

StrBuf InstalledOwnProgram(Application& app) {
    StrBuf own = ProgramFilePath(ProgramInstance());
    const char* ownName = FileNamePart(own);
    if (!ownName || !*ownName) return StrBuf();
    for (int i = 0; i < app.Count(KindComponent); ++i) {
        Component* component = app.ComponentAt(i);
        if (!component || !component->enabled) continue;
        FileEntry* file = component->FindFileByDestName(ownName);
        if (!file) continue;
        // An entry that kept the file already there (a newer one, say) leaves a copy in place too.
        StrBuf folder = file->installedLocation.IsEmpty() ? file->DestinationPath() : file->installedLocation;
        StrBuf path = JoinPath(folder, file->fields.destName);
        if (!folder.IsEmpty() && FileExists(path)) return path;
    }
    return StrBuf();
}

StrBuf CopyOwnProgramInto(const char* folder) {
    StrBuf own = ProgramFilePath(ProgramInstance());
    if (own.IsEmpty() || !folder || !*folder) return StrBuf();
    StrBuf copy = JoinPath(folder, FileNamePart(own));
    if (CompareNoCase(copy, own) == 0) return copy;   // run from the copy itself: it is in place
    return CopyFileA(own, copy, FALSE) ? copy : StrBuf();
}

OwnCopyFate OwnCopyFateFor(const char* copyPath, const char* runningProgram) {
    if (copyPath && runningProgram && CompareNoCase(copyPath, runningProgram) == 0) return OwnCopyFate::ScheduledForRestart;
    return OwnCopyFate::Deleted;
}

OwnCopyFate RemoveOwnCopy(const char* copyPath) {
    OwnCopyFate fate = OwnCopyFateFor(copyPath, ProgramFilePath(ProgramInstance()));
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
