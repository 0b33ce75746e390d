#include "installer/record/file_removal.h"

#include <windows.h>
#include "installer/core/path_text.h"
#include "installer/core/startup.h"
#include "installer/core/script_candidates.h"
#include "installer/core/system_paths.h"
#include "installer/device/device_clients.h"
#include "installer/files/file_copy.h"

bool IsProtectedName(const char* fileName, const char* ownProgramPath) {
    return SameFileName(fileName, ownProgramPath) || IsScriptName(fileName);
}

bool RemoveFileEntry(const RemovalItem& item, ProgressCallback callback, void* context) {
    bool cancelled = callback && callback(EV_REMOVE_BEGIN, reinterpret_cast<uintptr_t>(item.displayName.c_str()), 0, context) != 0;
    bool removed = true;
    if (!cancelled && item.removeOnUninstall) {
        if (!item.resolved) return false;
        StrBuf path = JoinPath(item.destDir, item.destName);
        if (FileExists(path) && !IsProtectedName(item.destName, ProgramFilePath(ProgramInstance()))) {
            TerminateProcessByName(item.destName);
            if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) ForceDelete(path);
            // A file still in use fails the list: the record must outlive it, or the
            // next uninstall would no longer know the file.
            removed = GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
        }
    }
    bool goOn = !callback || callback(EV_REMOVE_END, reinterpret_cast<uintptr_t>(item.displayName.c_str()), 0, context) == 0;
    return removed && goOn;
}
