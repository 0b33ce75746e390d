#include "installer/ui/dialog_helpers.h"
#include "installer/core/messages.h"
#include "installer/core/process_facts.h"
#include "installer/tree/application.h"
#include "installer/ui/dialog_rules.h"
#include "resources/resource_ids.h"

static void CentreOn(HWND window, const RECT& reference) {
    RECT own;
    GetWindowRect(window, &own);
    int x = CentredOrigin(reference.left, reference.right - reference.left, own.right - own.left);
    int y = CentredOrigin(reference.top, reference.bottom - reference.top, own.bottom - own.top);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

static RECT ScreenRect() {
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return screen;
}

void CentreWindow(HWND window) {
    HWND parent = GetParent(window);
    RECT reference = ScreenRect();
    if (parent) GetWindowRect(parent, &reference);
    CentreOn(window, reference);
}

void CentreOnScreenWithCaption(HWND dialog, bool beep) {
    CentreOn(dialog, ScreenRect());
    SetWindowTextA(dialog, TheApplication().settings.caption);
    if (beep) MessageBeep(0);
}

void SetDlgItemPointFont(HWND dialog, int item, int points, bool bold) {
    HWND control = GetDlgItem(dialog, item);
    if (!control) return;
    LOGFONTA current{};
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectA(font, sizeof current, &current);
    HDC dc = GetDC(dialog);
    int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(dialog, dc);
    HFONT made = CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : 0, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_ROMAN,
                             current.lfFaceName);
    if (!made) return;
    // The font must live as long as the control shows it: it is kept as a property.
    HFONT previous = static_cast<HFONT>(GetPropA(control, "InstallyFont"));
    SetPropA(control, "InstallyFont", made);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    if (previous) DeleteObject(previous);
}

void ReleaseDlgItemFont(HWND dialog, int item) {
    HWND control = GetDlgItem(dialog, item);
    if (!control) return;
    HFONT font = static_cast<HFONT>(RemovePropA(control, "InstallyFont"));
    if (font) DeleteObject(font);
}

int FirstCheckedButton(HWND dialog, int first, int last) {
    for (int id = first; id <= last; ++id)
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id;
    return -1;
}

StrBuf RunTitle() {
    return ResString(RunMode() == RunUninstallMode ? IDS_UNINSTALL_TITLE : IDS_SETUP);
}

bool AnswerAutoPlay(HWND dialog, UINT message) {
    if (message != AutoPlayMessage() || message == 0) return false;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return true;
}

bool ConfirmCancel(HWND owner) {
    return ShowMessage(owner, IDS_CONFIRM_CANCEL, RunTitle(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
