#include "installer/record/shell_link.h"

#include <shlobj.h>
#include <shobjidl.h>
#include "installer/core/handles.h"

bool CreateShellLink(const char* linkPath, const char* targetPath, const char* description,
                     const char* workingDirectory, const char* arguments) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void())))
        return false;
    if (targetPath) link->SetPath(targetPath);
    if (description) link->SetDescription(description);
    if (workingDirectory) link->SetWorkingDirectory(workingDirectory);
    if (arguments) link->SetArguments(arguments);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void()))) return false;
    WCHAR widePath[MAX_PATH] = {0};
    MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH);
    widePath[MAX_PATH - 1] = 0;
    // A link that could not be saved is a failed shortcut, not a made one.
    bool saved = SUCCEEDED(file->Save(widePath, TRUE));
    file.reset();
    link.reset();
    if (saved) AnnounceCreated(linkPath);
    return saved;
}

void AnnounceCreated(const char* path) { SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, path, nullptr); }
void AnnounceDeleted(const char* path) { SHChangeNotify(SHCNE_DELETE, SHCNF_PATHA, path, nullptr); }
void AnnounceFolderMade(const char* path) { SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, path, nullptr); }
void AnnounceFolderRemoved(const char* path) { SHChangeNotify(SHCNE_RMDIR, SHCNF_PATHA, path, nullptr); }
