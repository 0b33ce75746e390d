#include "installer/ui/callback_dialogs.h"
#include "installer/core/messages.h"
#include "installer/core/process_facts.h"
#include "installer/files/install_decisions.h"
#include "installer/tree/application.h"
#include "installer/ui/dialog_helpers.h"
#include "installer/ui/meter_messages.h"
#include "installer/ui/version_list.h"
#include "resources/dialog_ids.h"

namespace {

void FillFromVersionResource(HWND list, const char* path) { FillVersionList(path, list); }
VersionListFiller g_fillVersionList = FillFromVersionResource;

void EnableOkWhenFilled(HWND dialog, int edit) {
    EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(GetDlgItem(dialog, edit)) > 0);
}

void OnProgressShown(HWND dialog) {
    EnableWindow(GetDlgItem(dialog, IDCANCEL), TRUE);
    SetDlgItemTextA(dialog, IDC_PROGRESS_STEP, "");
    SetDlgItemTextA(dialog, IDC_PROGRESS_FILE, "");
    SendDlgItemMessageA(dialog, IDC_PROGRESS_METER, MTM_SETPOS, 0, 0);
    SendDlgItemMessageA(dialog, IDC_PROGRESS_METER, MTM_SETRANGE, 0, 0);
}

// The two lists of the conflict dialog scroll together: scrolling one reports a selection
// change to the dialog, which moves the other.
LRESULT CALLBACK LinkedListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL || message == WM_VSCROLL)
        PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    WNDPROC original = reinterpret_cast<WNDPROC>(GetClassLongPtrA(list, GCLP_WNDPROC));
    return CallWindowProcA(original, list, message, wParam, lParam);
}

void FollowList(HWND dialog, int leader) {
    HWND from = GetDlgItem(dialog, leader);
    HWND to = GetDlgItem(dialog, leader == IDC_EXISTING_LIST ? IDC_NEW_LIST : IDC_EXISTING_LIST);
    if (SendMessageA(from, LB_GETCOUNT, 0, 0) <= 0 || SendMessageA(to, LB_GETCOUNT, 0, 0) <= 0) return;
    SendMessageA(to, LB_SETCURSEL, SendMessageA(from, LB_GETCURSEL, 0, 0), 0);
    SendMessageA(to, LB_SETTOPINDEX, SendMessageA(from, LB_GETTOPINDEX, 0, 0), 0);
}

void InitConflict(HWND dialog, const VersionConflictQuestion* question) {
    CentreOnScreenWithCaption(dialog, true);
    if (!question) return;
    unsigned reason = ConflictMessageId(question->bits);
    SetDlgItemTextA(dialog, IDC_CONFLICT_REASON, reason ? ResString(reason).c_str() : "");
    g_fillVersionList(GetDlgItem(dialog, IDC_EXISTING_LIST), question->existingPath);
    g_fillVersionList(GetDlgItem(dialog, IDC_NEW_LIST), question->newPath);
    for (int id : {IDC_EXISTING_LIST, IDC_NEW_LIST})
        SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkedListProc));
}

}  // namespace

void SetVersionListFiller(VersionListFiller filler) { g_fillVersionList = filler ? filler : FillFromVersionResource; }

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(dialog, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG: CentreOnScreenWithCaption(dialog, false); return TRUE;
    case WM_SHOWWINDOW:
        if (wParam) OnProgressShown(dialog);
        return FALSE;
    case WM_COMMAND:
        // Disabling Cancel is the mark the running step reads at its next pause.
        if ((LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) && IsWindowEnabled(GetDlgItem(dialog, IDCANCEL)) &&
            ConfirmCancel(dialog))
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DiskRequestDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(dialog, message)) return TRUE;
    if (message == WM_INITDIALOG) {
        CentreOnScreenWithCaption(dialog, true);
        SetDlgItemTextA(dialog, IDC_DISK_NAME, reinterpret_cast<const char*>(lParam));
        SetDlgItemTextA(dialog, IDC_DISK_PATH, TheApplication().SourceDir());
        EnableOkWhenFilled(dialog, IDC_DISK_PATH);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_DISK_PATH:
        if (HIWORD(wParam) == EN_CHANGE) EnableOkWhenFilled(dialog, IDC_DISK_PATH);
        return TRUE;
    case IDOK:
        TheApplication().SetSourceDir(DialogItemText(dialog, IDC_DISK_PATH));
        TheApplication().Resolve();
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        if (ConfirmCancel(dialog)) EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK VersionConflictDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(dialog, message)) return TRUE;
    if (message == WM_INITDIALOG) {
        InitConflict(dialog, reinterpret_cast<const VersionConflictQuestion*>(lParam));
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    int id = LOWORD(wParam);
    switch (id) {
    case IDC_INSTALL_NEW:
    case IDC_KEEP_EXISTING: EndDialog(dialog, id); return TRUE;
    case IDC_ABORT_SETUP:
        if (ConfirmCancel(dialog)) EndDialog(dialog, IDC_ABORT_SETUP);
        return TRUE;
    case IDC_EXISTING_LIST:
    case IDC_NEW_LIST:
        if (HIWORD(wParam) == LBN_SELCHANGE) FollowList(dialog, id);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK FileInUseDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(dialog, message)) return TRUE;
    if (message == WM_INITDIALOG) {
        CentreOnScreenWithCaption(dialog, true);
        SetDlgItemTextA(dialog, IDC_IN_USE_PATH, reinterpret_cast<const char*>(lParam));
        CheckRadioButton(dialog, IDC_IN_USE_ABORT, IDC_IN_USE_SKIP, IDC_IN_USE_RETRY);
        return TRUE;
    }
    if (message != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
    int choice = FirstCheckedButton(dialog, IDC_IN_USE_ABORT, IDC_IN_USE_SKIP);
    if (choice < 0) choice = IDC_IN_USE_RETRY;
    if (choice == IDC_IN_USE_ABORT && !ConfirmCancel(dialog)) return TRUE;
    EndDialog(dialog, choice);
    return TRUE;
}

int AskForDisk(HWND owner, const char* diskText) {
    return static_cast<int>(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_DISK_REQUEST), owner,
                                            DiskRequestDlgProc, reinterpret_cast<LPARAM>(diskText)));
}

int AskVersionConflict(HWND owner, const VersionConflictQuestion& question) {
    return static_cast<int>(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_VERSION_CONFLICT), owner,
                                            VersionConflictDlgProc, reinterpret_cast<LPARAM>(&question)));
}

int AskFileInUse(HWND owner, const char* path) {
    return static_cast<int>(DialogBoxParamA(ProgramInstance(), MAKEINTRESOURCEA(IDD_FILE_IN_USE), owner,
                                            FileInUseDlgProc, reinterpret_cast<LPARAM>(path)));
}
