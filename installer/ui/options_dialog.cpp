#include "installer/ui/options_dialog.h"
#include <vector>
#include "installer/core/messages.h"
#include "installer/core/process_facts.h"
#include "installer/tree/application.h"
#include "installer/ui/dialog_helpers.h"
#include "installer/ui/dialog_rules.h"
#include "resources/dialog_ids.h"

namespace {

const int kFolderLimit = 128;

// One options dialog is open at a time.
struct OptionsState {
    int count = 0;
    int position = 0;
    int scrollMax = 0;
    int visibleRows = 0;
};
OptionsState g_options;

bool InstallMode() { return RunMode() != RunUninstallMode; }

RECT ClientRectOf(HWND dialog, int item) {
    RECT rect{};
    HWND control = GetDlgItem(dialog, item);
    if (control) {
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

void Hide(HWND dialog, int item) { ShowWindow(GetDlgItem(dialog, item), SW_HIDE); }

// Makes the dialog's client area the given height, keeping its width.
void SetClientHeight(HWND dialog, int height) {
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    int frame = (window.bottom - window.top) - client.bottom;
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, frame + height, SWP_NOMOVE | SWP_NOZORDER);
}

std::vector<ComponentChoice> Choices() {
    Application& app = TheApplication();
    std::vector<ComponentChoice> choices(g_options.count);
    for (int i = 0; i < g_options.count; ++i) {
        choices[i].enabled = app.ComponentEnabled(i);
        choices[i].deviceType = app.ComponentDeviceType(i);
    }
    return choices;
}

// OK needs a component to install and, when installing, a folder to install to.
void UpdateOk(HWND dialog) {
    bool ok = AnyEnabled(Choices());
    HWND folder = GetDlgItem(dialog, IDC_FOLDER_EDIT);
    if (ok && InstallMode() && folder) ok = SendMessageA(folder, EM_LINELENGTH, 0, 0) > 0;
    EnableWindow(GetDlgItem(dialog, IDOK), ok);
}

void FillRows(HWND dialog) {
    Application& app = TheApplication();
    for (int row = 0; row < g_options.visibleRows; ++row) {
        int index = g_options.position + row;
        SetDlgItemTextA(dialog, IDC_OPTION_ROW0 + row, app.ComponentName(index));
        CheckDlgButton(dialog, IDC_OPTION_ROW0 + row, app.ComponentEnabled(index) ? BST_CHECKED : BST_UNCHECKED);
    }
}

// The area begins with its "Components" label, which stands above the frame.
void HideComponentArea(HWND dialog) {
    int top = ClientRectOf(dialog, IDC_OPTION_FRAME).top;
    if (GetDlgItem(dialog, IDC_OPTION_LABEL)) top = ClientRectOf(dialog, IDC_OPTION_LABEL).top;
    SetClientHeight(dialog, top);
    for (int row = 0; row < kOptionRows; ++row) Hide(dialog, IDC_OPTION_ROW0 + row);
    Hide(dialog, IDC_OPTION_LABEL);
    Hide(dialog, IDC_OPTION_FRAME);
    Hide(dialog, IDC_OPTION_SCROLL);
    Hide(dialog, IDC_OPTION_SEPARATOR);
}

void LayOut(HWND dialog) {
    RECT row0 = ClientRectOf(dialog, IDC_OPTION_ROW0);
    RECT row1 = ClientRectOf(dialog, IDC_OPTION_ROW0 + 1);
    OptionsLayout layout = LayoutForComponents(g_options.count, row1.top - row0.top);
    g_options.visibleRows = layout.visibleRows;
    g_options.scrollMax = layout.scrollMax;
    if (layout.hideComponentArea) {
        HideComponentArea(dialog);
        return;
    }
    for (int row = layout.visibleRows; row < kOptionRows; ++row) Hide(dialog, IDC_OPTION_ROW0 + row);
    RECT client, frame = ClientRectOf(dialog, IDC_OPTION_FRAME);
    GetClientRect(dialog, &client);
    SetClientHeight(dialog, client.bottom - layout.shrinkBy);
    frame.bottom -= layout.shrinkBy;
    MoveWindow(GetDlgItem(dialog, IDC_OPTION_FRAME), frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, TRUE);
    if (layout.hideFrame) Hide(dialog, IDC_OPTION_FRAME);
    if (layout.disableSingleBox) EnableWindow(GetDlgItem(dialog, IDC_OPTION_ROW0), FALSE);

    int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    int barLeft = frame.right - barWidth - 1;
    int barTop = frame.top + 1, barHeight = (frame.bottom - 1) - barTop;
    MoveWindow(GetDlgItem(dialog, IDC_OPTION_SCROLL), barLeft, barTop, barWidth, barHeight, TRUE);
    MoveWindow(GetDlgItem(dialog, IDC_OPTION_SEPARATOR), barLeft - 1, barTop, 1, barHeight, TRUE);
    HWND bar = GetDlgItem(dialog, IDC_OPTION_SCROLL);
    SetScrollRange(bar, SB_CTL, 0, layout.scrollMax, FALSE);
    SetScrollPos(bar, SB_CTL, 0, TRUE);
    if (layout.scrollMax == 0) {
        Hide(dialog, IDC_OPTION_SCROLL);
        Hide(dialog, IDC_OPTION_SEPARATOR);
    }
}

BOOL OnInitDialog(HWND dialog) {
    g_options = OptionsState();
    g_options.count = TheApplication().Count(KindComponent);
    LayOut(dialog);
    FillRows(dialog);
    if (InstallMode()) {
        SendDlgItemMessageA(dialog, IDC_FOLDER_EDIT, EM_LIMITTEXT, kFolderLimit, 0);
        SetDlgItemTextA(dialog, IDC_FOLDER_EDIT, TheApplication().settings.defaultDir);
    }
    Hide(dialog, IDC_KEEP_FILES);
    UpdateOk(dialog);
    CentreOnScreenWithCaption(dialog, false);
    return TRUE;
}

void OnRowClicked(HWND dialog, int row) {
    if (row >= g_options.visibleRows) return;
    Application& app = TheApplication();
    int index = g_options.position + row;
    bool checked = IsDlgButtonChecked(dialog, IDC_OPTION_ROW0 + row) == BST_CHECKED;
    app.SetComponentEnabled(index, checked);
    int loser = DeviceTypeConflict(Choices(), index);
    if (loser >= 0) {
        app.SetComponentEnabled(loser, false);
        int loserRow = loser - g_options.position;
        if (loserRow >= 0 && loserRow < g_options.visibleRows)
            CheckDlgButton(dialog, IDC_OPTION_ROW0 + loserRow, BST_UNCHECKED);
    }
    UpdateOk(dialog);
}

void OnOk(HWND dialog) {
    if (InstallMode()) {
        char typed[kFolderLimit + 1] = "";
        GetDlgItemTextA(dialog, IDC_FOLDER_EDIT, typed, sizeof typed);
        OFSTRUCT parsed{};
        parsed.cBytes = sizeof parsed;
        bool full = OpenFile(typed, &parsed, OF_PARSE) != HFILE_ERROR;
        TheApplication().SetInstallDir(full ? parsed.szPathName : typed);
    }
    EndDialog(dialog, IDOK);
}

void OnScroll(HWND dialog, WPARAM wParam) {
    int target = ScrollRequest(LOWORD(wParam), g_options.position, static_cast<short>(HIWORD(wParam)), g_options.scrollMax);
    if (target < 0 || target == g_options.position) return;
    HWND bar = GetDlgItem(dialog, IDC_OPTION_SCROLL);
    SetScrollPos(bar, SB_CTL, target, TRUE);
    g_options.position = GetScrollPos(bar, SB_CTL);
    FillRows(dialog);
}

BOOL OnCommand(HWND dialog, int id, int code) {
    if (id >= IDC_OPTION_ROW0 && id < IDC_OPTION_ROW0 + kOptionRows && code == BN_CLICKED) {
        OnRowClicked(dialog, id - IDC_OPTION_ROW0);
        return TRUE;
    }
    switch (id) {
    case IDC_FOLDER_EDIT: UpdateOk(dialog); return TRUE;
    case IDOK: OnOk(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK InstallOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(dialog, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL: OnScroll(dialog, wParam); return TRUE;
    }
    return FALSE;
}

int ShowInstallOptions(HWND owner, bool uninstall) {
    int templateId = uninstall ? IDD_UNINSTALL_OPTIONS : IDD_INSTALL_OPTIONS;
    return static_cast<int>(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(templateId), owner,
                                            InstallOptionsDlgProc, 0));
}
