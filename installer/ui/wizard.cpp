// The wizard pages other than the component lists, and the two wizards built from them.
#include "installer/ui/wizard.h"
#include <commctrl.h>
#include <prsht.h>
#include <shlobj.h>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/core/process_facts.h"
#include "installer/tree/application.h"
#include "installer/ui/dialog_helpers.h"
#include "installer/ui/dialog_rules.h"
#include "installer/ui/program_folders.h"
#include "resources/dialog_ids.h"

namespace {

// One wizard runs at a time: the run it starts and the status its finish page reports.
struct WizardState {
    WizardRun run;
    bool uninstall = false;
    int status = -1;
};
WizardState g_wizard;

HWND Sheet(HWND page) { return GetParent(page); }

const NMHDR* Notification(LPARAM lParam) { return reinterpret_cast<const NMHDR*>(lParam); }

void FormatHeading(HWND page) {
    StrBuf pattern = DialogItemText(page, IDC_PAGE_HEADING);
    int at = pattern.Find("%s");
    if (at >= 0) pattern = pattern.Left(at) + TheApplication().settings.caption + pattern.Mid(at + 2);
    SetDlgItemTextA(page, IDC_PAGE_HEADING, pattern);
}

std::vector<StrBuf> EnabledComponentNames() {
    Application& app = TheApplication();
    std::vector<StrBuf> names;
    for (int i = 0; i < app.Count(KindComponent); ++i)
        if (app.ComponentEnabled(i)) names.push_back(app.ComponentName(i));
    return names;
}

// The sheet steps aside while the run works in front of the background window.
void RunWithSheetHidden(HWND page) {
    HWND sheet = Sheet(page);
    HWND owner = GetWindow(sheet, GW_OWNER);
    ShowWindow(sheet, SW_HIDE);
    if (owner) {
        UpdateWindow(owner);
        SetForegroundWindow(owner);
    }
    g_wizard.status = g_wizard.run.steps ? g_wizard.run.steps(owner, g_wizard.run.context) : -1;
    ShowWindow(sheet, SW_SHOW);
}

bool RestartNeeded() {
    Application& app = TheApplication();
    return g_wizard.uninstall ? app.RestartWantedOnUninstall() : app.RestartWantedOnInstall();
}

StrBuf FinishText(const FinishTexts& texts) {
    StrBuf text = ResString(texts.first);
    if (texts.withInstallDir) {
        StrBuf formatted;
        formatted.Format(text, TheApplication().InstallDir().c_str());
        text = formatted;
    }
    if (texts.second) text = text + "\n" + ResString(texts.second);
    return text;
}

void InitFinish(HWND page) {
    SetDlgItemPointFont(page, IDC_PAGE_HEADING, 16, true);
    CheckDlgButton(page, IDC_RESTART_NOW, BST_CHECKED);
    ShowWindow(GetDlgItem(page, IDC_RESTART_NOW), SW_HIDE);
    ShowWindow(GetDlgItem(page, IDC_RESTART_LATER), SW_HIDE);
    bool restart = RestartNeeded();
    FinishTexts texts = g_wizard.uninstall ? RemoveFinishTexts(g_wizard.status, restart)
                                           : InstallFinishTexts(g_wizard.status, restart);
    SetDlgItemTextA(page, IDC_PAGE_RESULT, FinishText(texts));
    if (texts.offerRestart) {
        ShowWindow(GetDlgItem(page, IDC_RESTART_NOW), SW_SHOW);
        ShowWindow(GetDlgItem(page, IDC_RESTART_LATER), SW_SHOW);
    }
}

// Only Finish remains; its label stays the sheet's own.
void OnFinishActive(HWND page) {
    HWND finish = GetDlgItem(Sheet(page), 0x3025);
    StrBuf label = finish ? WindowText(finish) : StrBuf();
    SendMessageA(Sheet(page), PSM_SETFINISHTEXTA, 0, reinterpret_cast<LPARAM>(label.c_str()));
    PostMessageA(Sheet(page), PSM_SETWIZBUTTONS, 0, WizardFinish);
}

void OnFinish(HWND page) {
    if (RestartNeeded() && IsWindowVisible(GetDlgItem(page, IDC_RESTART_NOW)) &&
        IsDlgButtonChecked(page, IDC_RESTART_NOW) == BST_CHECKED)
        SendMessageA(Sheet(page), PSM_REBOOTSYSTEM, 0, 0);
}

void FillProgramFolders(HWND list) {
    for (const StrBuf& name : ProgramFolderNames())
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

INT_PTR WelcomeProc(HWND page, UINT message, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormatHeading(page);
        CentreWindow(Sheet(page));
        SetDlgItemPointFont(page, IDC_PAGE_HEADING, 16, true);
        return TRUE;
    case WM_NOTIFY:
        if (Notification(lParam)->code != PSN_SETACTIVE) return FALSE;
        SetWizardButtons(page, WizardNext);
        return PageResult(page, 0);
    case WM_DESTROY: ReleaseDlgItemFont(page, IDC_PAGE_HEADING); return FALSE;
    }
    return FALSE;
}

}  // namespace

BOOL PageResult(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

void SetWizardButtons(HWND page, int buttons) { PropSheet_SetWizButtons(Sheet(page), buttons); }

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    return WelcomeProc(page, message, lParam);
}

INT_PTR CALLBACK RemoveWelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    return WelcomeProc(page, message, lParam);
}

INT_PTR CALLBACK ProgramFolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemPointFont(page, IDC_PAGE_HEADING, 12, false);
        FillProgramFolders(GetDlgItem(page, IDC_GROUP_LIST));
        SetDlgItemTextA(page, IDC_GROUP_EDIT, TheApplication().GroupName());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_GROUP_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
            HWND list = GetDlgItem(page, IDC_GROUP_LIST);
            LRESULT line = SendMessageA(list, LB_GETCURSEL, 0, 0);
            LRESULT length = line >= 0 ? SendMessageA(list, LB_GETTEXTLEN, line, 0) : -1;
            if (length >= 0) {
                StrBuf text;
                SendMessageA(list, LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.GetBuffer(static_cast<int>(length))));
                text.ReleaseBuffer();
                SetDlgItemTextA(page, IDC_GROUP_EDIT, text);
            }
        }
        return TRUE;
    case WM_NOTIFY:
        switch (Notification(lParam)->code) {
        case PSN_SETACTIVE: SetWizardButtons(page, WizardBack | WizardNext); return PageResult(page, 0);
        case PSN_KILLACTIVE:
            TheApplication().SetGroupName(DialogItemText(page, IDC_GROUP_EDIT));
            return PageResult(page, FALSE);
        }
        return FALSE;
    case WM_DESTROY: ReleaseDlgItemFont(page, IDC_PAGE_HEADING); return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK InstallSummaryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG: SetDlgItemPointFont(page, IDC_PAGE_HEADING, 12, false); return TRUE;
    case WM_NOTIFY:
        switch (Notification(lParam)->code) {
        case PSN_SETACTIVE: {
            SetWizardButtons(page, WizardBack | WizardNext);
            Application& app = TheApplication();
            SetDlgItemTextA(page, IDC_SUMMARY_EDIT,
                            InstallSummaryText(EnabledComponentNames(), app.settings.defaultDir, app.GroupName()));
            return PageResult(page, 0);
        }
        case PSN_WIZNEXT: RunWithSheetHidden(page); return PageResult(page, 0);
        }
        return FALSE;
    case WM_DESTROY: ReleaseDlgItemFont(page, IDC_PAGE_HEADING); return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK RemoveSummaryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    if (message != WM_NOTIFY) return FALSE;
    switch (Notification(lParam)->code) {
    case PSN_SETACTIVE:
        SetWizardButtons(page, WizardBack | WizardNext);
        SetDlgItemTextA(page, IDC_SUMMARY_EDIT, RemoveSummaryText(EnabledComponentNames()));
        return PageResult(page, 0);
    case PSN_WIZNEXT: RunWithSheetHidden(page); return PageResult(page, 0);
    }
    return FALSE;
}

INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (AnswerAutoPlay(page, message)) return TRUE;
    switch (message) {
    case WM_INITDIALOG: InitFinish(page); return TRUE;
    case WM_NOTIFY:
        switch (Notification(lParam)->code) {
        case PSN_SETACTIVE: OnFinishActive(page); return PageResult(page, 0);
        case PSN_WIZFINISH: OnFinish(page); return PageResult(page, 0);
        }
        return FALSE;
    case WM_DESTROY: ReleaseDlgItemFont(page, IDC_PAGE_HEADING); return FALSE;
    }
    return FALSE;
}

namespace {

struct PageSpec {
    int templateId;
    DLGPROC procedure;
};

bool RunWizard(HWND owner, const WizardRun& run, bool uninstall, const std::vector<PageSpec>& specs) {
    g_wizard = WizardState();
    g_wizard.run = run;
    g_wizard.uninstall = uninstall;
    StrBuf caption = TheApplication().settings.caption;
    std::vector<PROPSHEETPAGEA> pages(specs.size());
    for (size_t i = 0; i < specs.size(); ++i) {
        PROPSHEETPAGEA& page = pages[i];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_USETITLE;
        page.hInstance = ProgramInstance();
        page.pszTemplate = MAKEINTRESOURCEA(specs[i].templateId);
        page.pfnDlgProc = specs[i].procedure;
        page.pszTitle = caption.c_str();
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_WIZARD | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = ProgramInstance();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();
    return PropertySheetA(&header) == ID_PSREBOOTSYSTEM;
}

}  // namespace

bool RunInstallWizard(HWND owner, const WizardRun& run) {
    return RunWizard(owner, run, false,
                     {{IDD_WELCOME, WelcomePageProc}, {IDD_COMPONENTS, ComponentPageProc},
                      {IDD_PROGRAM_FOLDER, ProgramFolderPageProc}, {IDD_SUMMARY, InstallSummaryPageProc},
                      {IDD_FINISH, FinishPageProc}});
}

bool RunUninstallWizard(HWND owner, const WizardRun& run) {
    return RunWizard(owner, run, true,
                     {{IDD_REMOVE_WELCOME, RemoveWelcomePageProc}, {IDD_REMOVE_ITEMS, RemoveItemsPageProc},
                      {IDD_SUMMARY, RemoveSummaryPageProc}, {IDD_REMOVE_FINISH, FinishPageProc}});
}
