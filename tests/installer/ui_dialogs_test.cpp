// The installer's classic dialogs and the standard progress callback under Wine, driven
// through their real windows.
#include <gtest/gtest.h>
#include <windows.h>
#include <atomic>
#include <string>
#include <vector>
#include "installer/run/startup.h"
#include "installer/files/progress_events.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/ui/callback_dialogs.h"
#include "installer/ui/meter_messages.h"
#include "installer/ui/options_dialog.h"
#include "installer/ui/progress_callback.h"
#include "resources/dialog_ids.h"
#include "tests/fakes/test_support.h"
#include "tests/installer/ui_test_driver.h"

using namespace ui_test;

namespace {

// A meter of our own under the control's class name: it keeps the range and position the
// dialogs set, with the control's rules (range 0 means 100, the position at most the range).
LRESULT CALLBACK MeterStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case MTM_SETRANGE: SetWindowLongA(window, 0, wParam ? static_cast<WORD>(wParam) : 100); return 0;
    case MTM_GETRANGE: return GetWindowLongA(window, 0);
    case MTM_SETPOS: {
        LONG range = GetWindowLongA(window, 0);
        SetWindowLongA(window, 4, static_cast<LONG>(wParam) > range ? range : static_cast<LONG>(wParam));
        return 0;
    }
    case MTM_GETPOS: return GetWindowLongA(window, 4);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramInstance(GetModuleHandleA(nullptr));
        SetRunMode(RunInstallMode);
        UnregisterClassA(kMeterClassName, GetModuleHandleA(nullptr));
        WNDCLASSA meter{};
        meter.lpfnWndProc = MeterStandIn;
        meter.cbWndExtra = 8;
        meter.hInstance = GetModuleHandleA(nullptr);
        meter.lpszClassName = kMeterClassName;
        RegisterClassA(&meter);
        TheApplication().Reset();
    }
    void TearDown() override {
        TheApplication().Reset();
        SetRunMode(RunInstallMode);
        UnregisterClassA(kMeterClassName, GetModuleHandleA(nullptr));
    }

    // Loads a script with one component per name; each gets the given device type.
    void LoadComponents(const std::vector<std::string>& names, const std::vector<int>& deviceTypes = {}) {
        std::string script = "[App]\r\nCaption=Pen Setup\r\nDefDir=C:\\Pen\r\nDefPMGroup=Pen Tablet\r\n[SetupApps]\r\n";
        for (const std::string& name : names) script += name + "=R" + name + "\r\n";
        script += "[End]\r\n";
        ASSERT_TRUE(WriteBytes(dir_ / "s.inf", script));
        Application& app = TheApplication();
        app.SetSourceDir(dir_.path().c_str());
        ASSERT_EQ(1, app.Load((dir_ / "s.inf").c_str(), true));
        ASSERT_EQ(static_cast<int>(names.size()), app.Count(KindComponent));
        for (size_t i = 0; i < deviceTypes.size(); ++i) app.ComponentAt(static_cast<int>(i))->keys.deviceType = deviceTypes[i];
    }

    HWND OpenOptions(int templateId = IDD_INSTALL_OPTIONS) {
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), nullptr,
                                         InstallOptionsDlgProc, 0);
        EXPECT_TRUE(dialog != nullptr);
        return dialog;
    }

    ScratchDir dir_{"uidialogs"};
};

bool Shown(HWND dialog, int id) { return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int row) { return IsDlgButtonChecked(dialog, IDC_OPTION_ROW0 + row) == BST_CHECKED; }
int ClientHeight(HWND dialog) {
    RECT r;
    GetClientRect(dialog, &r);
    return r.bottom;
}
void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char line[300] = "";
        if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof line))
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
        lines.push_back(line);
    }
    return lines;
}

TEST_F(DialogTest, OptionsDialogFitsOneFewOrManyComponents) {
    LoadComponents({"A", "B", "C", "D"});
    HWND four = OpenOptions();
    int fullHeight = ClientHeight(four);
    RECT frameRect;
    GetWindowRect(GetDlgItem(four, IDC_OPTION_FRAME), &frameRect);
    EXPECT_FALSE(Shown(four, IDC_OPTION_SCROLL));
    EXPECT_FALSE(Shown(four, IDC_OPTION_SEPARATOR));
    EXPECT_FALSE(Shown(four, IDC_KEEP_FILES));
    DestroyWindow(four);

    TheApplication().Reset();
    LoadComponents({"Only"});
    HWND one = OpenOptions();
    EXPECT_TRUE(Shown(one, IDC_OPTION_ROW0));
    EXPECT_FALSE(Enabled(one, IDC_OPTION_ROW0));   // the single box cannot be unticked
    EXPECT_TRUE(Checked(one, 0));
    EXPECT_EQ(ItemText(one, IDC_OPTION_ROW0), "Only");
    EXPECT_FALSE(Shown(one, IDC_OPTION_FRAME));
    for (int row = 1; row < 4; ++row) EXPECT_FALSE(Shown(one, IDC_OPTION_ROW0 + row));
    EXPECT_LT(ClientHeight(one), fullHeight);
    EXPECT_TRUE(Enabled(one, IDOK));
    EXPECT_EQ(ItemText(one, IDC_FOLDER_EDIT), "C:\\Pen");
    char title[100] = "";
    GetWindowTextA(one, title, sizeof title);
    EXPECT_STREQ(title, "Pen Setup");
    DestroyWindow(one);

    TheApplication().Reset();   // a script without components is not kept: none to show
    TheApplication().settings.defaultDir = "C:\\Pen";
    HWND none = OpenOptions();
    RECT noneFrame;
    GetWindowRect(GetDlgItem(none, IDC_OPTION_FRAME), &noneFrame);
    EXPECT_FALSE(Shown(none, IDC_OPTION_ROW0));
    EXPECT_FALSE(Shown(none, IDC_OPTION_FRAME));
    EXPECT_LT(ClientHeight(none), fullHeight - (frameRect.bottom - frameRect.top) + 1);
    EXPECT_FALSE(Enabled(none, IDOK));   // nothing to install
    DestroyWindow(none);
}

namespace {
// The texts of the visible controls that stand below the OK button.
std::vector<std::string> ShownBelowOk(HWND dialog) {
    RECT ok;
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    std::vector<std::string> below;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        if (!(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) || r.top < ok.bottom) continue;
        char text[100] = "";
        GetWindowTextA(child, text, sizeof text);
        below.push_back(text);
    }
    return below;
}
}  // namespace

TEST_F(DialogTest, OptionsDialogWithoutComponentsShowsNoComponentArea) {
    for (int templateId : {IDD_INSTALL_OPTIONS, IDD_UNINSTALL_OPTIONS}) {
        SCOPED_TRACE(templateId);
        int mode = templateId == IDD_INSTALL_OPTIONS ? RunInstallMode : RunUninstallMode;
        SetRunMode(mode);
        TheApplication().Reset();
        HWND none = OpenOptions(templateId);
        EXPECT_EQ(std::vector<std::string>{}, ShownBelowOk(none));
        RECT ok, client;
        GetWindowRect(GetDlgItem(none, IDOK), &ok);
        MapWindowPoints(nullptr, none, reinterpret_cast<POINT*>(&ok), 2);
        GetClientRect(none, &client);
        EXPECT_GE(client.bottom, ok.bottom);   // the buttons stay inside
        DestroyWindow(none);

        SetRunMode(RunInstallMode);
        LoadComponents({"Only"});   // with a component the label is back
        SetRunMode(mode);
        HWND one = OpenOptions(templateId);
        EXPECT_EQ((std::vector<std::string>{"Components", "Only"}), ShownBelowOk(one));
        DestroyWindow(one);
    }
}

TEST_F(DialogTest, OptionsDialogScrollsSixComponentsOverFourRows) {
    LoadComponents({"C0", "C1", "C2", "C3", "C4", "C5"});
    TheApplication().SetComponentEnabled(4, false);
    HWND dialog = OpenOptions();
    HWND bar = GetDlgItem(dialog, IDC_OPTION_SCROLL);
    int low = -1, high = -1;
    GetScrollRange(bar, SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 2);
    EXPECT_TRUE(Shown(dialog, IDC_OPTION_SCROLL));
    EXPECT_TRUE(Shown(dialog, IDC_OPTION_SEPARATOR));

    SendMessageA(dialog, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 1);
    EXPECT_EQ(ItemText(dialog, IDC_OPTION_ROW0), "C1");
    EXPECT_FALSE(Checked(dialog, 3));   // C4 is off
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 9), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 2);
    EXPECT_EQ(ItemText(dialog, IDC_OPTION_ROW0), "C2");
    EXPECT_EQ(ItemText(dialog, IDC_OPTION_ROW0 + 3), "C5");

    // A box stands for the component shown in its row, not the row's number.
    Click(dialog, IDC_OPTION_ROW0 + 2);
    EXPECT_TRUE(TheApplication().ComponentEnabled(4));
    EXPECT_TRUE(TheApplication().ComponentEnabled(2));
    SendMessageA(dialog, WM_VSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(bar));
    SendMessageA(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    SendMessageA(dialog, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 0);
    EXPECT_EQ(ItemText(dialog, IDC_OPTION_ROW0), "C0");
    DestroyWindow(dialog);
}

TEST_F(DialogTest, OptionsDialogKeepsOneTabletKindTicked) {
    LoadComponents({"Serial", "Tools", "Usb"}, {1, 0, 2});
    TheApplication().SetComponentEnabled(2, false);
    HWND dialog = OpenOptions();
    Click(dialog, IDC_OPTION_ROW0 + 2);   // tick the USB driver
    EXPECT_TRUE(TheApplication().ComponentEnabled(2));
    EXPECT_FALSE(TheApplication().ComponentEnabled(0));
    EXPECT_FALSE(Checked(dialog, 0));
    EXPECT_TRUE(TheApplication().ComponentEnabled(1));   // no device type: untouched

    // Unticking everything leaves nothing to install: OK goes grey.
    Click(dialog, IDC_OPTION_ROW0 + 1);
    Click(dialog, IDC_OPTION_ROW0 + 2);
    EXPECT_FALSE(Enabled(dialog, IDOK));
    Click(dialog, IDC_OPTION_ROW0 + 1);
    EXPECT_TRUE(Enabled(dialog, IDOK));

    // An empty folder cannot be installed to either.
    SetDlgItemTextA(dialog, IDC_FOLDER_EDIT, "");
    EXPECT_FALSE(Enabled(dialog, IDOK));
    DestroyWindow(dialog);
}

TEST_F(DialogTest, OptionsDialogOkTakesTheFolderAsAFullPath) {
    LoadComponents({"A"});
    std::string folder = dir_ / "Target";
    Driver driver([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_OPTION_FRAME); });
        if (!dialog) return;
        SetDlgItemTextA(dialog, IDC_FOLDER_EDIT, folder.c_str());
        Press(dialog, IDOK);
    });
    EXPECT_EQ(ShowInstallOptions(nullptr, false), IDOK);
    driver.Join();
    EXPECT_STRCASEEQ(TheApplication().InstallDir().c_str(), folder.c_str());

    // Uninstall: no folder, Cancel ends the dialog and changes nothing.
    SetRunMode(RunUninstallMode);
    Driver cancel([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_OPTION_FRAME); });
        if (dialog) Press(dialog, IDCANCEL);
    });
    EXPECT_EQ(ShowInstallOptions(nullptr, true), IDCANCEL);
}

TEST_F(DialogTest, ProgressCallbackDrivesTheDialogAndReportsCancelling) {
    LoadComponents({"A"});
    ProgressContext context;
    ASSERT_EQ(0, StandardProgressCallback(EV_LIST_BEGIN, KindFile, 0, &context));
    HWND progress = ProgressDialog();
    ASSERT_TRUE(progress != nullptr);
    EXPECT_TRUE(IsWindowVisible(progress));
    EXPECT_EQ(ItemText(progress, IDC_PROGRESS_STEP), "Copy File ...");
    HWND meter = GetDlgItem(progress, IDC_PROGRESS_METER);
    EXPECT_EQ(SendMessageA(meter, MTM_GETPOS, 0, 0), 0);

    // A list of a component (it has a parent) leaves the dialog alone.
    StandardProgressCallback(EV_LIST_END, KindFile, 1234, &context);
    EXPECT_EQ(ProgressDialog(), progress);

    SendMessageA(meter, MTM_SETRANGE, 10, 0);
    for (const char* name : {"pen.sys", "pen.dll", "pen.inf"}) {
        EXPECT_EQ(0, StandardProgressCallback(EV_ITEM_BEGIN, reinterpret_cast<uintptr_t>(name), 0, &context));
        EXPECT_EQ(ItemText(progress, IDC_PROGRESS_FILE), name);
        EXPECT_EQ(0, StandardProgressCallback(EV_ITEM_END, 0, 0, &context));
    }
    EXPECT_EQ(SendMessageA(meter, MTM_GETPOS, 0, 0), 3);

    // Cancel asks first; No goes on, Yes marks the run as cancelled.
    std::string question;
    Driver no([&](DWORD main) {
        HWND box = WaitForMessageBox(main, &question);
        if (box) Press(box, IDNO);
    });
    SendMessageA(progress, WM_COMMAND, IDCANCEL, 0);
    no.Join();
    EXPECT_EQ(question, "Setup has not completed installing the software. Are you sure you want to cancel?");
    EXPECT_FALSE(PumpAndCheckCancel());
    Driver yes([&](DWORD main) {
        HWND box = WaitForMessageBox(main);
        if (box) Press(box, IDYES);
    });
    SendMessageA(progress, WM_COMMAND, IDCANCEL, 0);
    yes.Join();
    EXPECT_TRUE(PumpAndCheckCancel());
    EXPECT_NE(0, StandardProgressCallback(EV_ITEM_BEGIN, reinterpret_cast<uintptr_t>("x"), 0, &context));
    EXPECT_NE(0, StandardProgressCallback(EV_ITEM_END, 0, 0, &context));

    StandardProgressCallback(EV_LIST_END, KindFile, 0, &context);
    EXPECT_EQ(ProgressDialog(), nullptr);
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_FALSE(PumpAndCheckCancel());
}

TEST_F(DialogTest, ProgressDialogOfASilentRemovalStaysHidden) {
    LoadComponents({"A"});
    TheApplication().settings.silent = true;
    ProgressContext context;
    StandardProgressCallback(EV_UNLIST_BEGIN, KindFile, 0, &context);
    ASSERT_TRUE(ProgressDialog() != nullptr);
    EXPECT_FALSE(IsWindowVisible(ProgressDialog()));
    EXPECT_EQ(ItemText(ProgressDialog(), IDC_PROGRESS_STEP), "Delete Files ...");
    StandardProgressCallback(EV_UNLIST_END, KindFile, 0, &context);
    EXPECT_EQ(ProgressDialog(), nullptr);

    // Silent answers need no window: a missing disk gives up, a conflict installs.
    char buffer[kSourceBufferSize] = "Disk 1";
    EXPECT_EQ(ReplyCancel, StandardProgressCallback(EV_NEED_SOURCE, reinterpret_cast<uintptr_t>(buffer), 260, &context));
    FileCopyRequest request;
    EXPECT_EQ(ReplyRetry, StandardProgressCallback(EV_VERSION_CONFLICT, VIF_SRCOLD_BIT, reinterpret_cast<uintptr_t>(&request), &context));
}

TEST_F(DialogTest, DiskRequestTakesTheNewSourceForTheRetry) {
    LoadComponents({"A"});
    std::string medium = dir_ / "medium";
    char buffer[kSourceBufferSize] = "Driver Disk";
    std::string shownName, shownPath;
    Driver driver([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_DISK_PATH); });
        if (!dialog) return;
        shownName = ItemText(dialog, IDC_DISK_NAME);
        shownPath = ItemText(dialog, IDC_DISK_PATH);
        SetDlgItemTextA(dialog, IDC_DISK_PATH, medium.c_str());
        Press(dialog, IDOK);
    });
    ProgressContext context;
    EXPECT_EQ(ReplyOk, StandardProgressCallback(EV_NEED_SOURCE, reinterpret_cast<uintptr_t>(buffer), 260, &context));
    driver.Join();
    EXPECT_EQ(shownName, "Driver Disk");
    EXPECT_STRCASEEQ(shownPath.c_str(), dir_.path().c_str());
    EXPECT_STREQ(TheApplication().SourceDir().c_str(), medium.c_str());
    EXPECT_STREQ(buffer, medium.c_str());
}

TEST_F(DialogTest, DiskRequestAnsweredWithTheMediumFindsAFileInItsFolderAtTheFirstRetry) {
    std::string medium = dir_ / "medium";
    ASSERT_TRUE(CreateDirectoryA(medium.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((medium + "\\x64").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(medium + "\\x64\\PEN.SYS", "pen driver"));
    std::string script = "[App]\r\nCaption=Pen Setup\r\nDefDir=" + (dir_ / "dest") +
                         "\r\n[Disks]\r\n1=Pen Disk\r\n[SrcDirs]\r\n1=x64\r\n[DstDirs]\r\n1=.\r\n"
                         "[SetupApps]\r\nPen=Pen,,PenFiles\r\n[PenFiles]\r\nPen driver,1-1:PEN.SYS,1:PEN.SYS\r\n[End]\r\n";
    ASSERT_TRUE(WriteBytes(dir_ / "s.inf", script));
    Application& app = TheApplication();
    app.SetSourceDir((dir_ / "empty drive").c_str());
    ASSERT_EQ(1, app.Load((dir_ / "s.inf").c_str(), true));
    app.SetInstallDir((dir_ / "dest").c_str());
    app.Resolve();
    ASSERT_TRUE(app.PrepareDirectories());
    EntryNode* file = static_cast<EntryNode*>(app.ComponentAt(0)->GetAt(0, KindFile));
    ASSERT_TRUE(file != nullptr);
    std::atomic<int> asked{0};
    std::atomic<bool> done{false};
    Driver driver([&](DWORD main) {
        // Each request is answered with the medium's root; a third would take its folder itself.
        while (!done && asked < 3) {
            HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_DISK_PATH); }, 500);
            if (!dialog) continue;
            ++asked;
            SetDlgItemTextA(dialog, IDC_DISK_PATH, asked < 2 ? medium.c_str() : (medium + "\\x64").c_str());
            Press(dialog, IDOK);
            WaitUntil([&] { return !IsWindow(dialog); });
        }
    });
    ProgressContext context;
    EXPECT_TRUE(file->InstallEntry(StandardProgressCallback, &context));
    done = true;
    driver.Join();
    EXPECT_EQ(1, asked.load());
    EXPECT_EQ("pen driver", ReadBytes(dir_ / "dest" + "\\PEN.SYS"));
}

TEST_F(DialogTest, VersionConflictExplainsAndAnswersWithItsButtons) {
    LoadComponents({"A"});
    // Two builds of one program: the existing file is the newer one.
    FileCopyRequest request;
    std::string bin = TestBinDirectory();
    request.sourceDir = bin.c_str();
    request.sourceName = "versioned_v1.exe";
    request.destDir = bin.c_str();
    request.destName = "versioned_v2.exe";
    struct Case { unsigned bits; const char* reason; int button; int reply; };
    const Case cases[] = {
        {VIF_SRCOLD_BIT, "The new file is older than the existing file.", IDC_INSTALL_NEW, 6},
        {VIF_SRCOLD_BIT | VIF_DIFFTYPE_BIT, "Existing and new files are different types.", IDC_KEEP_EXISTING, 7},
        {VIF_MISMATCH_BIT, "Existing file and new file mismatch.", IDC_INSTALL_NEW, 6},
    };
    for (const Case& c : cases) {
        std::string reason;
        std::vector<std::string> existing, fresh;
        Driver driver([&](DWORD main) {
            HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_KEEP_EXISTING); });
            if (!dialog) return;
            reason = ItemText(dialog, IDC_CONFLICT_REASON);
            existing = ListLines(GetDlgItem(dialog, IDC_EXISTING_LIST));
            fresh = ListLines(GetDlgItem(dialog, IDC_NEW_LIST));
            Press(dialog, c.button);
        });
        ProgressContext context;
        EXPECT_EQ(c.reply, StandardProgressCallback(EV_VERSION_CONFLICT, c.bits, reinterpret_cast<uintptr_t>(&request), &context));
        driver.Join();
        EXPECT_EQ(reason, c.reason);
        // Each list shows its own file's version resource, line for line side by side.
        ASSERT_EQ(existing.size(), 18u);
        ASSERT_EQ(fresh.size(), existing.size());
        EXPECT_EQ(existing[0], "File version:\t2.0.0.0");
        EXPECT_EQ(fresh[0], "File version:\t1.0.0.0");
        EXPECT_EQ(existing[8], "Description:\tsecond");
        EXPECT_EQ(fresh[8], "Description:\tfirst");
        EXPECT_EQ(existing[4], fresh[4]);   // both applications
    }

    // Abort asks first: No keeps the dialog, Yes ends it with Abort.
    Driver abort([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_KEEP_EXISTING); });
        if (!dialog) return;
        Press(dialog, IDC_ABORT_SETUP);
        HWND box = WaitForMessageBox(main);
        if (box) Press(box, IDNO);
        WaitUntil([&] { return !IsWindow(box); });
        Press(dialog, IDC_ABORT_SETUP);
        box = WaitForMessageBox(main);
        if (box) Press(box, IDYES);
    });
    ProgressContext context;
    EXPECT_EQ(ReplyAbort, StandardProgressCallback(EV_VERSION_CONFLICT, VIF_SRCOLD_BIT, reinterpret_cast<uintptr_t>(&request), &context));
}

TEST_F(DialogTest, ConflictListsScrollSideBySide) {
    VersionConflictQuestion question;
    question.bits = VIF_DIFFLANG_BIT;
    SetVersionListFiller([](HWND list, const char* path) {
        for (int i = 0; i < 30; ++i) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path));
    });
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VERSION_CONFLICT), nullptr,
                                     VersionConflictDlgProc, reinterpret_cast<LPARAM>(&question));
    SetVersionListFiller(nullptr);
    ASSERT_TRUE(dialog != nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_CONFLICT_REASON), "Existing and new files are different languages.");
    HWND existing = GetDlgItem(dialog, IDC_EXISTING_LIST), fresh = GetDlgItem(dialog, IDC_NEW_LIST);
    SendMessageA(existing, LB_SETCURSEL, 12, 0);
    SendMessageA(existing, LB_SETTOPINDEX, 9, 0);
    SendMessageA(existing, WM_VSCROLL, SB_LINEDOWN, 0);   // scrolling reports itself to the dialog
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_EQ(SendMessageA(fresh, LB_GETCURSEL, 0, 0), 12);
    EXPECT_EQ(SendMessageA(fresh, LB_GETTOPINDEX, 0, 0), SendMessageA(existing, LB_GETTOPINDEX, 0, 0));
    DestroyWindow(dialog);
}

TEST_F(DialogTest, FileInUseOffersRetrySkipOrAbort) {
    std::string path;
    bool retryFirst = false;
    Driver skip([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_IN_USE_SKIP); });
        if (!dialog) return;
        path = ItemText(dialog, IDC_IN_USE_PATH);
        retryFirst = IsDlgButtonChecked(dialog, IDC_IN_USE_RETRY) == BST_CHECKED;
        SendMessageA(GetDlgItem(dialog, IDC_IN_USE_SKIP), BM_CLICK, 0, 0);
        Press(dialog, IDOK);
    });
    EXPECT_EQ(AskFileInUse(nullptr, "C:\\windows\\pen.sys"), IDC_IN_USE_SKIP);
    skip.Join();
    EXPECT_EQ(path, "C:\\windows\\pen.sys");
    EXPECT_TRUE(retryFirst);

    Driver abort([&](DWORD main) {
        HWND dialog = WaitForWindow(main, [](HWND w) { return HasItem(w, IDC_IN_USE_SKIP); });
        if (!dialog) return;
        SendMessageA(GetDlgItem(dialog, IDC_IN_USE_ABORT), BM_CLICK, 0, 0);
        Press(dialog, IDOK);
        HWND box = WaitForMessageBox(main);
        if (box) Press(box, IDYES);
    });
    EXPECT_EQ(AskFileInUse(nullptr, "C:\\windows\\pen.sys"), IDC_IN_USE_ABORT);
}

}  // namespace
