#include "installer/record/program_group.h"

#include <shlobj.h>
#include "installer/core/path_text.h"
#include "installer/core/system_paths.h"
#include "installer/files/disk_and_directories.h"
#include "installer/files/file_copy.h"
#include "installer/record/record_names.h"
#include "installer/record/shell_link.h"
#include "installer/registry/well_known_locations.h"

namespace {
// Restores the current directory on every path.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() : saved_(CurrentDirectory()) {}
    ~CurrentDirectoryKeeper() { if (!saved_.IsEmpty()) SetCurrentDirectoryA(saved_); }
private:
    StrBuf saved_;
};

// The folder a link of this place goes to; false when it gets none.
bool LinkFolderOf(const LinkPlace& place, StrBuf& folder) {
    if (place.folder == LinkFolder::None) return false;
    if (place.folder == LinkFolder::Special) GetSpecialFolderPath(nullptr, place.csidl, folder);
    else folder = CurrentDirectory();
    return true;
}
}  // namespace

StrBuf ProgramGroupFolder(const char* groupName, bool useCommonPrograms) {
    StrBuf programs;
    GetSpecialFolderPath(nullptr, useCommonPrograms ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs);
    if (programs.IsEmpty()) return programs;
    return JoinPath(programs, groupName);
}

bool EnterOrCreateFolder(const char* folder) {
    if (!folder || !*folder) return false;
    if (SetCurrentDirectoryA(folder)) return true;
    if (!CreateDirectoryTree(folder)) return false;
    AnnounceFolderMade(folder);
    return SetCurrentDirectoryA(folder) != 0;
}

bool CreateShortcutLink(const ShortcutLine& line, const char* installedLocation, const char* destName) {
    CurrentDirectoryKeeper keeper;
    StrBuf folder;
    if (!LinkFolderOf(LinkPlaceFor(line.folderCode), folder)) return true;
    if (!installedLocation || !*installedLocation) return true;
    if (folder.IsEmpty() || !SetCurrentDirectoryA(folder)) return false;
    return CreateShellLink(LinkFilePath(folder, line.caption), JoinPath(installedLocation, destName), line.caption,
                           installedLocation, nullptr);
}

bool RemoveShortcutLink(const ShortcutLine& line) {
    StrBuf folder;
    if (!LinkFolderOf(LinkPlaceFor(line.folderCode), folder)) return true;
    StrBuf link = LinkFilePath(folder, line.caption);
    if (GetFileAttributesA(link) == INVALID_FILE_ATTRIBUTES) return true;
    if (!ForceDelete(link)) return false;
    AnnounceDeleted(link);
    return true;
}

bool CreateUninstallShortcutIn(const char* groupFolder, const char* uninstallName, const char* productName,
                               const char* uninstallerPath) {
    if (!EnterOrCreateFolder(groupFolder)) return false;
    StrBuf arguments = UninstallLinkArguments(productName);
    bool made = CreateShellLink(LinkFilePath(groupFolder, uninstallName), uninstallerPath, uninstallName, nullptr, arguments);
    HoldForegroundForASecond();
    return made;
}

void RemoveUninstallShortcutIn(const char* programsFolder, const char* groupName, const char* uninstallName) {
    if (!programsFolder || !*programsFolder) return;
    StrBuf group(groupName);
    // Without a group name the link was made in the Programs folder itself, which stays.
    StrBuf link = LinkFilePath(group.IsEmpty() ? StrBuf(programsFolder) : JoinPath(programsFolder, group), uninstallName);
    if (GetFileAttributesA(link) == INVALID_FILE_ATTRIBUTES || !DeleteFileA(link)) return;
    AnnounceDeleted(link);
    if (group.IsEmpty()) return;
    // A folder that is the current directory cannot be removed: step out of the group first.
    SetCurrentDirectoryA(programsFolder);
    StrBuf removed = JoinPath(programsFolder, group);
    if (!RemoveDirectoryA(removed)) return;
    for (int slash; (slash = group.ReverseFind('\\')) >= 0;) {
        group = group.Left(slash);
        StrBuf outer = JoinPath(programsFolder, group);
        if (!RemoveDirectoryA(outer)) return;
        removed = outer;
    }
    AnnounceFolderRemoved(removed);
}

void HoldForegroundForASecond() {
    HWND foreground = GetForegroundWindow();
    // Only a window of ours can lose the foreground to the shell: a silent run has none, and
    // waits for nothing.
    DWORD owner = 0;
    if (!foreground || !GetWindowThreadProcessId(foreground, &owner) || owner != GetCurrentProcessId()) return;
    // Waits without spinning: a core held busy for the second would slow the shell it waits for.
    DWORD start = GetTickCount();
    for (DWORD passed; (passed = GetTickCount() - start) < 1000;) Sleep(1000 - passed);
    if (foreground) SetForegroundWindow(foreground);
}
