#include "installer/ui/program_folders.h"

#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/ui/shell_name.h"

std::vector<StrBuf> ProgramFolderNames(IShellFolder* programs) {
    std::vector<StrBuf> names;
    ComPtr<IEnumIDList> folders;
    if (!programs || programs->EnumObjects(nullptr, SHCONTF_FOLDERS, folders.put()) != S_OK || !folders)
        return names;
    LPITEMIDLIST child = nullptr;
    while (folders->Next(1, &child, nullptr) == S_OK) {
        TaskMemory childId(child);
        STRRET name{};
        char path[MAX_PATH] = "";
        if (SUCCEEDED(programs->GetDisplayNameOf(child, SHGDN_FORPARSING, &name)) &&
            ShellNameText(name, child, path, sizeof path))
            names.push_back(LastPathComponent(path));
    }
    return names;
}

std::vector<StrBuf> ProgramFolderNames() {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return {};
    LPITEMIDLIST raw = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PROGRAMS, &raw))) return {};
    TaskMemory programsId(raw);
    ComPtr<IShellFolder> programs;
    if (FAILED(desktop->BindToObject(raw, nullptr, IID_IShellFolder, programs.put_void()))) return {};
    return ProgramFolderNames(programs.get());
}
