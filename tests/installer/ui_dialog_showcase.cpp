// Shows one of the installer's dialogs or wizard pages over the background window on a
// real display, checks what it shows, and creates READY_FILE while the caller takes a
// screenshot; then closes it the way a user would.
// Usage: ui_dialog_showcase SCENARIO [READY_FILE]
//   options1 options4 options6 options-remove progress conflict
//   welcome components folder summary finish remove-welcome remove-items remove-summary remove-finish
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <cstdio>
#include <string>
#include <vector>
#include "installer/run/startup.h"
#include "installer/files/progress_events.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/ui/background_window.h"
#include "installer/ui/callback_dialogs.h"
#include "installer/ui/meter_control.h"
#include "installer/ui/meter_messages.h"
#include "installer/ui/options_dialog.h"
#include "installer/ui/progress_callback.h"
#include "installer/ui/wizard.h"
#include "resources/dialog_ids.h"
#include "tests/installer/ui_test_driver.h"
#include "tests/fakes/test_support.h"

using namespace ui_test;

namespace {

int g_failures = 0;
void Check(bool ok, const char* what) {
    printf("%s %s\n", ok ? "ok  " : "FAIL", what);
    if (!ok) ++g_failures;
}

std::string g_ready;
const DWORD kShownMs = 1500;

// Tells the caller that the screen is ready, then leaves it up while the picture is taken.
void ReadyForTheScreenshot() {
    Sleep(700);   // the window reaches the X server after its first paint
    if (!g_ready.empty()) {
        HANDLE file = CreateFileA(g_ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    Sleep(kShownMs);
}
void ReadyWhilePumping() {
    PumpMessagesFor(700);
    if (!g_ready.empty()) {
        HANDLE file = CreateFileA(g_ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    PumpMessagesFor(kShownMs);
}

std::string TempDir() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    std::string dir = temp;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::string ProgramDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.rfind('\\'));
}

// A kit of the given components, each with two files and the space it needs.
bool LoadKit(const std::vector<std::string>& names, const std::string& folder) {
    std::string script = "[App]\r\nCaption=Zorvant Pen Tablet\r\nDefDir=" + folder +
                         "\r\nDefPMGroup=Zorvant Tablet\r\n[Disks]\r\n1=Zorvant Pen Tablet 5.2\r\n[SrcDirs]\r\n1=.\r\n"
                         "[DstDirs]\r\n1=#\r\n[SetupApps]\r\n";
    for (size_t i = 0; i < names.size(); ++i)
        script += names[i] + "=C" + std::to_string(i) + ",K" + std::to_string(i) + ",F" + std::to_string(i) + "\r\n";
    for (size_t i = 0; i < names.size(); ++i) {
        script += "[K" + std::to_string(i) + "]\r\nDefInstall=Y\r\nSpaceNeeded=" + std::to_string(640 * (i + 1)) +
                  "\r\n[F" + std::to_string(i) + "]\r\n";
        for (int f = 0; f < 2; ++f) {
            std::string file = "pen" + std::to_string(i) + std::to_string(f) + ".dll";
            script += "Pen file " + std::to_string(f) + ",1-1:" + file + ",1:" + file + ",N,Y,0\r\n";
        }
    }
    script += "[End]\r\n";
    std::string path = TempDir() + "\\showcase.inf";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
    CloseHandle(file);
    Application& app = TheApplication();
    app.SetSourceDir(TempDir().c_str());
    // The kit is read as an installation reads it; a removal then works on the same tree.
    int mode = RunMode();
    SetRunMode(RunInstallMode);
    bool loaded = app.Load(path.c_str(), true) == 1;
    SetRunMode(mode);
    return loaded && app.Count(KindComponent) == static_cast<int>(names.size());
}

const std::vector<std::string> kSixComponents = {"USB tablet driver", "Serial tablet driver", "Tablet control panel",
                                                 "Tablet help",       "Pen pressure test",    "Tablet manuals"};

bool Shown(HWND dialog, int id) { return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

void ShowOptions(int count, bool uninstall) {
    std::vector<std::string> names(kSixComponents.begin(), kSixComponents.begin() + count);
    Check(LoadKit(names, "C:\\Program Files\\Zorvant Tablet"), "the kit's components are loaded");
    Driver driver([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_OPTION_ROW0); });
        Check(dialog != nullptr, "the options dialog is shown");
        if (!dialog) return;
        int rows = 0;
        for (int row = 0; row < 4; ++row) rows += Shown(dialog, IDC_OPTION_ROW0 + row);
        Check(rows == (count < 4 ? count : 4), "one row per component, four at most");
        Check(Shown(dialog, IDC_OPTION_FRAME) == (count > 1), "the frame only around several components");
        int low = -1, high = -1;
        GetScrollRange(GetDlgItem(dialog, IDC_OPTION_SCROLL), SB_CTL, &low, &high);
        Check(Shown(dialog, IDC_OPTION_SCROLL) == (count > 4) && (count <= 4 || high == count - 4),
              "the scroll bar ranges over the components beyond four");
        Check(ItemText(dialog, IDC_OPTION_ROW0) == names[0], "the first row names the first component");
        ReadyForTheScreenshot();
        Press(dialog, IDCANCEL);
    });
    Check(ShowInstallOptions(DialogOwner(), uninstall) == IDCANCEL, "Cancel ends the dialog");
}

void ShowProgress() {
    Check(LoadKit({"USB tablet driver", "Tablet help"}, "C:\\Program Files\\Zorvant Tablet"), "the kit is loaded");
    ProgressContext context;
    StandardProgressCallback(EV_LIST_BEGIN, KindFile, 0, &context);
    HWND progress = ProgressDialog();
    Check(progress != nullptr, "the progress dialog opens when the files begin");
    if (!progress) return;
    HWND meter = GetDlgItem(progress, IDC_PROGRESS_METER);
    Check(SendMessageA(meter, MTM_GETRANGE, 0, 0) == 4, "the meter ranges over the kit's four files");
    StandardProgressCallback(EV_ITEM_BEGIN, reinterpret_cast<uintptr_t>("C:\\Program Files\\Zorvant Tablet\\pen00.dll"), 0, &context);
    StandardProgressCallback(EV_ITEM_END, 0, 0, &context);
    Check(SendMessageA(meter, MTM_GETPOS, 0, 0) == 1, "one file of four done: 25%");
    ReadyWhilePumping();
    StandardProgressCallback(EV_LIST_END, KindFile, 0, &context);
}

void ShowConflict() {
    Check(LoadKit({"USB tablet driver"}, "C:\\Program Files\\Zorvant Tablet"), "the kit is loaded");
    std::string bin = ProgramDir();
    FileCopyRequest request;
    request.sourceDir = bin.c_str();
    request.sourceName = "versioned_v1.exe";
    request.destDir = bin.c_str();
    request.destName = "versioned_v2.exe";
    Driver driver([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_KEEP_EXISTING); });
        Check(dialog != nullptr, "the version conflict dialog is shown");
        if (!dialog) return;
        Check(SendDlgItemMessageA(dialog, IDC_EXISTING_LIST, LB_GETCOUNT, 0, 0) == 18 &&
                  SendDlgItemMessageA(dialog, IDC_NEW_LIST, LB_GETCOUNT, 0, 0) == 18,
              "both lists show a version resource");
        char line[200] = "";
        SendDlgItemMessageA(dialog, IDC_EXISTING_LIST, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
        Check(std::string(line) == "File version:\t2.0.0.0", "the existing file is the newer one");
        SendDlgItemMessageA(dialog, IDC_NEW_LIST, LB_SETCURSEL, 8, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_NEW_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_NEW_LIST)));
        WaitUntil([&] { return SendDlgItemMessageA(dialog, IDC_EXISTING_LIST, LB_GETCURSEL, 0, 0) == 8; }, 2000);
        Check(SendDlgItemMessageA(dialog, IDC_EXISTING_LIST, LB_GETCURSEL, 0, 0) == 8, "the lists select side by side");
        ReadyForTheScreenshot();
        Press(dialog, IDC_KEEP_EXISTING);
    });
    ProgressContext context;
    Check(StandardProgressCallback(EV_VERSION_CONFLICT, VIF_SRCOLD_BIT, reinterpret_cast<uintptr_t>(&request), &context) ==
              ReplyNo,
          "keeping the existing file is the answer");
}

int FinishStatus(HWND, void*) { return 0; }

// Goes through the wizard to the page that shows the control, and photographs it there.
void ShowWizardPage(bool uninstall, int pagesToSkip, int control) {
    std::string folder = "C:\\Program Files\\Zorvant Tablet";
    CreateDirectoryA(folder.c_str(), nullptr);   // an existing folder: Next asks nothing
    if (!LoadKit({"USB tablet driver", "Tablet control panel", "Tablet help"}, folder)) {
        Check(false, "the kit is loaded");
        return;
    }
    Application& app = TheApplication();
    app.SetInstallDir(folder.c_str());
    if (uninstall) app.ComponentAt(1)->keys.restartAfterRemoval = true;
    else app.ComponentAt(0)->keys.restartAfterInstall = true;   // the finish page offers the restart
    WizardRun run;
    run.steps = FinishStatus;
    Driver driver([&](DWORD main) {
        HWND sheet = WaitForWizard(main);
        Check(sheet != nullptr, "the wizard is shown");
        if (!sheet) return;
        for (int page = 0; page < pagesToSkip; ++page) {
            HWND current = CurrentPage(sheet);
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            WaitUntil([&] { return CurrentPage(sheet) != current; });
        }
        bool there = WaitUntil([&] { return PageHas(sheet, control); });
        Check(there, "the wizard reaches the page");
        ReadyForTheScreenshot();
        PostMessageA(sheet, PSM_PRESSBUTTON, there && PageHas(sheet, IDC_PAGE_RESULT) ? PSBTN_FINISH : PSBTN_CANCEL, 0);
    });
    bool restart = uninstall ? RunUninstallWizard(DialogOwner(), run) : RunInstallWizard(DialogOwner(), run);
    driver.Join();
    if (control == IDC_PAGE_RESULT) Check(restart, "the finish page's restart makes the wizard ask for it");
}

struct WizardScenario {
    const char* name;
    bool uninstall;
    int skip, control;
};
const WizardScenario kWizardScenarios[] = {
    {"welcome", false, 0, 723},           {"components", false, 1, IDC_COMPONENT_LIST},
    {"folder", false, 2, IDC_GROUP_LIST}, {"summary", false, 3, IDC_SUMMARY_EDIT},
    {"finish", false, 4, IDC_PAGE_RESULT}, {"remove-welcome", true, 0, 723},
    {"remove-items", true, 1, IDC_COMPONENT_LIST}, {"remove-summary", true, 2, IDC_SUMMARY_EDIT},
    {"remove-finish", true, 3, IDC_PAGE_RESULT},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::string scenario = argv[1];
    if (argc > 2) g_ready = argv[2];
    HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    SetProgramInstance(instance);
    bool uninstall = scenario.rfind("remove", 0) == 0 || scenario == "options-remove";
    SetRunMode(uninstall ? RunUninstallMode : RunInstallMode);
    RegisterBkgndClass(instance);
    RegisterMeterClass(instance);

    BackgroundLook look;
    look.app.caption = "Zorvant Pen Tablet";
    look.app.appName = "Zorvant@ Pen Tablet";
    look.runTitle = "Setup";
    look.runMode = uninstall ? 1 : 0;
    HWND background = CreateBackgroundWindow(instance, look);
    if (!background) return 3;
    ShowWindow(background, SW_SHOWNORMAL);
    UpdateWindow(background);
    SetForegroundWindow(background);
    SetDialogOwner(background);
    PumpMessagesFor(300);

    if (scenario == "options1") ShowOptions(1, false);
    else if (scenario == "options4") ShowOptions(4, false);
    else if (scenario == "options6") ShowOptions(6, false);
    else if (scenario == "options-remove") ShowOptions(6, true);
    else if (scenario == "progress") ShowProgress();
    else if (scenario == "conflict") ShowConflict();
    else {
        bool known = false;
        for (const WizardScenario& w : kWizardScenarios)
            if (scenario == w.name) {
                ShowWizardPage(w.uninstall, w.skip, w.control);
                known = true;
            }
        if (!known) return 2;
    }
    DestroyWindow(background);
    return g_failures;
}
