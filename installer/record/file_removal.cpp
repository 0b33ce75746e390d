#include "installer/record/file_removal.h"

#include <windows.h>
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/core/script_candidates.h"
#include "installer/core/system_paths.h"
#include "installer/device/device_clients.h"
#include "installer/files/file_copy.h"

namespace {
RunningProgramNames* g_programs = nullptr;   // the open removal run's, if any

// Looked for by its attributes: a file another program holds without sharing does not open,
// and must not pass for one already gone.
bool Present(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Ends a program whose name occurs in the file's, then deletes the file. In a removal run the
// shared look at the programs decides whether a snapshot is needed; a file that then resists
// deletion gets a snapshot of its own, which finds a program started since the shared look.
void EndHolderAndDelete(const char* name, const char* path) {
    bool looked = !g_programs || g_programs->AnyOccursIn(name);
    if (looked && TerminateProcessByName(name) && g_programs) g_programs->Forget();
    if (Present(path)) ForceDelete(path);
    if (looked || !Present(path)) return;
    g_programs->Forget();
    if (TerminateProcessByName(name)) ForceDelete(path);
}
}  // namespace

FileRemovalRun::FileRemovalRun() : outer_(g_programs) { g_programs = &programs_; }
FileRemovalRun::~FileRemovalRun() { g_programs = outer_; }

bool RemoveFileEntry(const RemovalItem& item, ProgressCallback callback, void* context) {
    bool cancelled = callback && callback(EV_REMOVE_BEGIN, reinterpret_cast<uintptr_t>(item.displayName.c_str()), 0, context) != 0;
    bool removed = true;
    if (!cancelled && item.removeOnUninstall) {
        if (!item.resolved) return false;
        StrBuf path = JoinPath(item.destDir, item.destName);
        if (Present(path) && !IsProtectedName(item.destName, ProgramFilePath(ProgramInstance()))) {
            EndHolderAndDelete(item.destName, path);
            // A file still in use fails the list: the record must outlive it, or the
            // next uninstall would no longer know the file.
            removed = !Present(path);
        }
    }
    bool goOn = !callback || callback(EV_REMOVE_END, reinterpret_cast<uintptr_t>(item.displayName.c_str()), 0, context) == 0;
    return removed && goOn;
}
