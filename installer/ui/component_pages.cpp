// The wizard's component page (install) and remove page (uninstall).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/files/disk_and_directories.h"
#include "installer/tree/application.h"
#include "installer/ui/component_list.h"
#include "installer/ui/dialog_helpers.h"
#include "installer/ui/dialog_rules.h"
#include "installer/ui/wizard.h"
#include "resources/dialog_ids.h"
#include "resources/resource_ids.h"

namespace {

const int kFolderBufferSize = MAX_PATH;

HWND List(HWND page) { return GetDlgItem(page, IDC_COMPONENT_LIST); }

int64_t ShowRequiredSpace(HWND page) {
    Application& app = TheApplication();
    std::vector<int> space;
    for (int i = 0; i < app.Count(KindComponent); ++i) space.push_back(app.ComponentSpaceNeeded(i));
    int64_t required = RequiredKilobytes(space, ListSelection(List(page)));
    SetDlgItemTextA(page, IDC_SPACE_REQUIRED, std::to_string(required).c_str());
    return required;
}

int64_t ShowAvailableSpace(HWND page) {
    StrBuf folder = DialogItemText(page, IDC_FOLDER_EDIT);
    int64_t available = folder.IsEmpty() ? 0 : static_cast<int64_t>(FreeDiskBytes(DriveRootOf(folder)) / 1024);
    SetDlgItemTextA(page, IDC_SPACE_AVAILABLE, std::to_string(available).c_str());
    return available;
}

void ApplyButtonRule(HWND page, bool spaceCounts) {
    int64_t required = ShowRequiredSpace(page);
    int64_t available = spaceCounts ? ShowAvailableSpace(page) : 0;
    SetWizardButtons(page, ComponentPageButtons(spaceCounts, required, available, AnySelected(List(page))));
}

void InitListPage(HWND page, int headingPoints) {
    CentreWindow(GetParent(page));
    SetDlgItemPointFont(page, IDC_PAGE_HEADING, headingPoints, false);
    FillComponentList(List(page));
}

// A click or double click in the list toggles the item under it.
bool OnListClick(HWND page, const NMHDR* header, bool withSpace) {
    if (header->idFrom != IDC_COMPONENT_LIST || (header->code != NM_CLICK && header->code != NM_DBLCLK)) return false;
    const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(header);
    if (ToggleItemAt(List(page), click->ptAction)) {
        if (withSpace) ShowRequiredSpace(page);
        SetWizardButtons(page, ComponentPageButtons(false, 0, 0, AnySelected(List(page))));
    }
    return true;
}

void OnBrowse(HWND page) {
    char chosen[kFolderBufferSize] = "";
    BROWSEINFOA browse{};
    browse.hwndOwner = page;
    browse.pszDisplayName = chosen;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN | BIF_RETURNFSANCESTORS;
    TaskMemory folder(SHBrowseForFolderA(&browse));
    if (folder.get() && SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(folder.get()), chosen))
        SetDlgItemTextA(page, IDC_FOLDER_EDIT, chosen);
    ApplyButtonRule(page, true);
}

// Leaving the page: the chosen folder must exist, or be created with the user's consent.
// A folder made only to prove it can be made is removed again; the installation makes it.
bool AcceptFolder(HWND page) {
    Application& app = TheApplication();
    StrBuf folder = app.settings.defaultDir;
    if (FolderNeedsCreating(folder, app.InstallDir(), DirectoryExists(folder))) {
        if (ShowMessage(page, IDS_CREATE_PATH, RunTitle(), MB_YESNO, folder.c_str()) != IDYES) return false;
        if (!CreateDirectoryTree(folder)) {
            ShowMessage(page, IDS_CANNOT_CREATE_FOLDER, RunTitle(), MB_OK, folder.c_str());
            return false;
        }
        app.SetInstallDir(folder);
        RemoveDirectoryA(folder);
        return true;
    }
    // The installation goes where the user chose, also to a folder that exists already.
    if (!folder.IsEmpty()) app.SetInstallDir(folder);
    return true;
}

BOOL OnComponentNotify(HWND page, const NMHDR* header) {
    if (OnListClick(page, header, true)) return TRUE;
    switch (header->code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, WizardBack | WizardNext);
        ApplyButtonRule(page, true);
        return PageResult(page, 0);
    case PSN_WIZNEXT:
        CommitSelection(List(page));
        TheApplication().settings.defaultDir = DialogItemText(page, IDC_FOLDER_EDIT);
        return PageResult(page, AcceptFolder(page) ? 0 : -1);
    }
    return FALSE;
}

BOOL OnRemoveNotify(HWND page, const NMHDR* header) {
    if (OnListClick(page, header, false)) return TRUE;
    switch (header->code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, ComponentPageButtons(false, 0, 0, AnySelected(List(page))));
        return PageResult(page, 0);
    case PSN_WIZNEXT:
        // The remove page has no folder: DefDir stays as the record gave it.
        CommitSelection(List(page));
        return PageResult(page, 0);
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ComponentPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        InitListPage(page, 12);
        SetDlgItemTextA(page, IDC_FOLDER_EDIT, TheApplication().settings.defaultDir);
        ShowRequiredSpace(page);
        ShowAvailableSpace(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_BROWSE && HIWORD(wParam) == BN_CLICKED) OnBrowse(page);
        return TRUE;
    case WM_NOTIFY: return OnComponentNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY: ReleaseDlgItemFont(page, IDC_PAGE_HEADING); return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK RemoveItemsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG: InitListPage(page, 12); return TRUE;
    case WM_NOTIFY: return OnRemoveNotify(page, reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY: ReleaseDlgItemFont(page, IDC_PAGE_HEADING); return FALSE;
    }
    return FALSE;
}
