// The install and uninstall wizards under Wine, page by page, as a user goes through them.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <shlobj.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>
#include "installer/run/startup.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/ui/program_folders.h"
#include "installer/ui/wizard.h"
#include "resources/dialog_ids.h"
#include "tests/fakes/test_support.h"
#include "tests/installer/ui_test_driver.h"

using namespace ui_test;

namespace {

const int kBackButton = 0x3023, kNextButton = 0x3024;

struct StepsProbe {
    int calls = 0;
    bool sheetHiddenDuringRun = false;
    int status = 0;
};

// The wizard's sheet among the thread's windows, visible or not.
BOOL CALLBACK TakeSheet(HWND window, LPARAM found) {
    if (!HasItem(window, 0x3024)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

int RecordSteps(HWND owner, void* context) {
    StepsProbe& probe = *static_cast<StepsProbe*>(context);
    ++probe.calls;
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeSheet, reinterpret_cast<LPARAM>(&sheet));
    probe.sheetHiddenDuringRun = sheet && !IsWindowVisible(sheet);
    return probe.status;
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramInstance(GetModuleHandleA(nullptr));
        SetRunMode(RunInstallMode);
        TheApplication().Reset();
        std::string script = "[App]\r\nCaption=Pen Setup\r\nDefDir=C:\\Pen\r\nDefPMGroup=Pen Tablet\r\n"
                             "[SetupApps]\r\nDriver=RDriver\r\nTools=RTools\r\n[End]\r\n";
        ASSERT_TRUE(WriteBytes(dir_ / "s.inf", script));
        TheApplication().SetSourceDir(dir_.path().c_str());
        ASSERT_EQ(1, TheApplication().Load((dir_ / "s.inf").c_str(), true));
        run_.steps = RecordSteps;
        run_.context = &probe_;
    }
    void TearDown() override {
        TheApplication().Reset();
        SetRunMode(RunInstallMode);
    }
    ScratchDir dir_{"uiwizard"};
    StepsProbe probe_;
    WizardRun run_;
};

void PressSheet(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }
bool ButtonEnabled(HWND sheet, int id) { return IsWindowEnabled(GetDlgItem(sheet, id)) != FALSE; }
// The sheet's buttons change when it gets to the posted request: wait for the state.
bool NextBecomes(HWND sheet, bool enabled) {
    return WaitUntil([&] { return ButtonEnabled(sheet, kNextButton) == enabled; }, 3000);
}
bool ItemShown(HWND page, int id) { return (GetWindowLongA(GetDlgItem(page, id), GWL_STYLE) & WS_VISIBLE) != 0; }

void ClickItem(HWND page, int item) {
    HWND list = GetDlgItem(page, IDC_COMPONENT_LIST);
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect));
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = list;
    click.hdr.idFrom = IDC_COMPONENT_LIST;
    click.hdr.code = NM_CLICK;
    click.iItem = item;
    click.ptAction.x = rect.left + 4;
    click.ptAction.y = (rect.top + rect.bottom) / 2;
    SendMessageA(page, WM_NOTIFY, IDC_COMPONENT_LIST, reinterpret_cast<LPARAM>(&click));
}

int StateImage(HWND page, int item) {
    HWND list = GetDlgItem(page, IDC_COMPONENT_LIST);
    return static_cast<int>((SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12);
}

bool WaitForPage(HWND sheet, int id) { return WaitUntil([&] { return PageHas(sheet, id); }); }

TEST_F(WizardTest, InstallWizardTakesTheChoicesRunsTheStepsAndFinishes) {
    std::string heading, summary, result, required;
    bool welcomeNextOnly = false, restartShown = true;
    std::vector<int> states;
    std::string folder = dir_.path();
    Driver driver([&](DWORD main) {
        HWND sheet = WaitForWizard(main);
        if (!sheet) return;
        if (WaitForPage(sheet, 723)) {
            heading = ItemText(CurrentPage(sheet), IDC_PAGE_HEADING);
            // The page sets its buttons when it becomes active, which may come just after it shows.
            welcomeNextOnly =
                WaitUntil([&] { return ButtonEnabled(sheet, kNextButton) && !ButtonEnabled(sheet, kBackButton); });
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, IDC_COMPONENT_LIST)) {
            HWND page = CurrentPage(sheet);
            states = {StateImage(page, 0), StateImage(page, 1)};
            required = ItemText(page, IDC_SPACE_REQUIRED);
            ClickItem(page, 1);   // leave the tools out
            SetDlgItemTextA(page, IDC_FOLDER_EDIT, folder.c_str());
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, IDC_GROUP_LIST)) {
            SetDlgItemTextA(CurrentPage(sheet), IDC_GROUP_EDIT, "My Pen");
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, 701)) {
            WaitUntil([&] { return !ItemText(CurrentPage(sheet), IDC_SUMMARY_EDIT).empty(); });
            summary = ItemText(CurrentPage(sheet), IDC_SUMMARY_EDIT);
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, IDC_PAGE_RESULT)) {
            result = ItemText(CurrentPage(sheet), IDC_PAGE_RESULT);
            restartShown = ItemShown(CurrentPage(sheet), IDC_RESTART_NOW);
            PressSheet(sheet, PSBTN_FINISH);
        } else {
            PressSheet(sheet, PSBTN_CANCEL);
        }
    });
    EXPECT_FALSE(RunInstallWizard(nullptr, run_));
    driver.Join();

    EXPECT_EQ(heading, "Welcome to  Pen Setup Setup");
    EXPECT_TRUE(welcomeNextOnly);
    EXPECT_EQ(states, (std::vector<int>{2, 2}));
    EXPECT_EQ(required, "0");
    EXPECT_EQ(summary, "Install Item :\r\n    Driver\r\n\r\nInstall Location :\r\n    " + folder +
                       "\r\n\r\nStart Menu :\r\n    My Pen\r\n\r\n");
    EXPECT_EQ(probe_.calls, 1);
    EXPECT_TRUE(probe_.sheetHiddenDuringRun);
    EXPECT_EQ(result, "Setup has installed the software successfully and added the application(s) to the Program Manager.");
    EXPECT_FALSE(restartShown);
    Application& app = TheApplication();
    EXPECT_TRUE(app.ComponentEnabled(0));
    EXPECT_FALSE(app.ComponentEnabled(1));
    EXPECT_STREQ(app.GroupName().c_str(), "My Pen");
    EXPECT_STREQ(app.InstallDir().c_str(), folder.c_str());   // an existing folder is taken as it is
}

TEST_F(WizardTest, ComponentPageNeedsASelectionAndAsksBeforeMakingAFolder) {
    std::string question;
    bool nextWithNone = true, nextWithOne = false, stayedAfterNo = false, movedAfterYes = false;
    std::string folder = dir_ / "new\\deeper";
    Driver driver([&](DWORD main) {
        HWND sheet = WaitForWizard(main);
        if (!sheet) return;
        PressSheet(sheet, PSBTN_NEXT);
        if (WaitForPage(sheet, IDC_COMPONENT_LIST)) {
            HWND page = CurrentPage(sheet);
            ClickItem(page, 0);
            ClickItem(page, 1);
            nextWithNone = !NextBecomes(sheet, false);
            ClickItem(page, 1);
            nextWithOne = NextBecomes(sheet, true);
            SetDlgItemTextA(page, IDC_FOLDER_EDIT, folder.c_str());
            PressSheet(sheet, PSBTN_NEXT);
            HWND box = WaitForMessageBox(main, &question);
            if (box) PostMessageA(box, WM_COMMAND, IDNO, 0);
            WaitUntil([&] { return !IsWindow(box); });
            Sleep(100);
            stayedAfterNo = PageHas(sheet, IDC_COMPONENT_LIST);
            PressSheet(sheet, PSBTN_NEXT);
            box = WaitForMessageBox(main);
            if (box) PostMessageA(box, WM_COMMAND, IDYES, 0);
            movedAfterYes = WaitForPage(sheet, IDC_GROUP_LIST);
        }
        PressSheet(sheet, PSBTN_CANCEL);
    });
    EXPECT_FALSE(RunInstallWizard(nullptr, run_));
    driver.Join();
    EXPECT_FALSE(nextWithNone);
    EXPECT_TRUE(nextWithOne);
    EXPECT_EQ(question, "Path " + folder + " not existed!  Do you want to create it?");
    EXPECT_TRUE(stayedAfterNo);
    EXPECT_TRUE(movedAfterYes);
    EXPECT_EQ(probe_.calls, 0);
    // The folder was proven creatable, then left for the installation to make.
    EXPECT_FALSE(FileThere(folder));
    EXPECT_STREQ(TheApplication().InstallDir().c_str(), folder.c_str());
    EXPECT_FALSE(TheApplication().ComponentEnabled(0));
    EXPECT_TRUE(TheApplication().ComponentEnabled(1));
}

TEST_F(WizardTest, ComponentPageShowsTheSpaceAndWantsRoomForIt) {
    // The tools want more room than any drive here has.
    TheApplication().Reset();
    std::string script = "[App]\r\nCaption=Pen Setup\r\nDefDir=C:\\Pen\r\n[SetupApps]\r\nDriver=RDriver,KDriver\r\n"
                         "Tools=RTools,KTools\r\n[KDriver]\r\nDefInstall=Y\r\nSpaceNeeded=300\r\n[KTools]\r\n"
                         "DefInstall=Y\r\nSpaceNeeded=2000000000\r\n[End]\r\n";
    ASSERT_TRUE(WriteBytes(dir_ / "space.inf", script));
    ASSERT_EQ(1, TheApplication().Load((dir_ / "space.inf").c_str(), true));
    std::string required[3], available;
    bool backOnly = false, nextAfterDrop = false, nextAfterRetick = false;
    Driver driver([&](DWORD main) {
        HWND sheet = WaitForWizard(main);
        if (!sheet) return;
        PressSheet(sheet, PSBTN_NEXT);
        if (WaitForPage(sheet, IDC_COMPONENT_LIST)) {
            HWND page = CurrentPage(sheet);
            backOnly = NextBecomes(sheet, false) && ButtonEnabled(sheet, kBackButton);
            required[0] = ItemText(page, IDC_SPACE_REQUIRED);
            available = ItemText(page, IDC_SPACE_AVAILABLE);
            ClickItem(page, 1);
            required[1] = ItemText(page, IDC_SPACE_REQUIRED);
            nextAfterDrop = NextBecomes(sheet, true);
            ClickItem(page, 1);   // a click never weighs the space
            required[2] = ItemText(page, IDC_SPACE_REQUIRED);
            nextAfterRetick = NextBecomes(sheet, true);
        }
        PressSheet(sheet, PSBTN_CANCEL);
    });
    EXPECT_FALSE(RunInstallWizard(nullptr, run_));
    driver.Join();
    EXPECT_TRUE(backOnly) << "no room for the selection: Back only";
    EXPECT_EQ(required[0], "2000000300");
    EXPECT_EQ(required[1], "300");
    EXPECT_EQ(required[2], "2000000300");
    EXPECT_TRUE(nextAfterDrop);
    EXPECT_TRUE(nextAfterRetick);
    ULARGE_INTEGER freeBytes{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &freeBytes, nullptr, nullptr));
    double kilobytes = static_cast<double>(freeBytes.QuadPart / 1024);
    double shown = atof(available.c_str());
    EXPECT_GT(shown, kilobytes * 0.99) << available;   // other tests write files meanwhile
    EXPECT_LT(shown, kilobytes * 1.01) << available;
}

// Goes straight through a wizard to its finish page; returns the finish text and presses Finish.
void ThroughToFinish(DWORD main, std::string& result, bool& restartOffered, bool chooseLater) {
    HWND sheet = WaitForWizard(main);
    if (!sheet) return;
    for (int page = 0; page < 6 && !PageHas(sheet, IDC_PAGE_RESULT); ++page) {
        HWND current = CurrentPage(sheet);
        PressSheet(sheet, PSBTN_NEXT);
        WaitUntil([&] { return CurrentPage(sheet) != current; });
    }
    if (!PageHas(sheet, IDC_PAGE_RESULT)) {
        PressSheet(sheet, PSBTN_CANCEL);
        return;
    }
    HWND page = CurrentPage(sheet);
    result = ItemText(page, IDC_PAGE_RESULT);
    restartOffered = ItemShown(page, IDC_RESTART_NOW) && IsDlgButtonChecked(page, IDC_RESTART_NOW) == BST_CHECKED;
    if (chooseLater) SendMessageA(GetDlgItem(page, IDC_RESTART_LATER), BM_CLICK, 0, 0);
    PressSheet(sheet, PSBTN_FINISH);
}

TEST_F(WizardTest, FinishPageAsksForTheRestartAComponentWants) {
    TheApplication().SetInstallDir(dir_.path().c_str());
    TheApplication().settings.defaultDir = dir_.path().c_str();
    TheApplication().ComponentAt(0)->keys.restartAfterInstall = true;
    std::string result;
    bool offered = false;
    Driver driver([&](DWORD main) { ThroughToFinish(main, result, offered, false); });
    EXPECT_TRUE(RunInstallWizard(nullptr, run_));
    driver.Join();
    EXPECT_TRUE(offered);
    EXPECT_EQ(result.find("Setup has installed the software successfully"), 0u);
    EXPECT_NE(result.find("\nSetup has installed the driver(s) successfully."), std::string::npos);

    // "Later" finishes without a restart.
    Driver later([&](DWORD main) { ThroughToFinish(main, result, offered, true); });
    EXPECT_FALSE(RunInstallWizard(nullptr, run_));
}

TEST_F(WizardTest, FinishPageReportsAFailedInstallation) {
    TheApplication().SetInstallDir(dir_.path().c_str());
    TheApplication().settings.defaultDir = dir_.path().c_str();
    TheApplication().ComponentAt(0)->keys.restartAfterInstall = true;
    struct Case { int status; std::string text; };
    const Case cases[] = {
        {5, "Setup has installed the software successfully but could not add the application(s) to the Program Manager."},
        {6, "The " + dir_.path() + " directory cannot be created. Enter another directory or try another drive."},
        {1, "The software has not been successfully installed. You must run Setup again before using the software."},
    };
    for (const Case& c : cases) {
        probe_.status = c.status;
        std::string result;
        bool offered = true;
        Driver driver([&](DWORD main) { ThroughToFinish(main, result, offered, false); });
        EXPECT_FALSE(RunInstallWizard(nullptr, run_));
        driver.Join();
        EXPECT_EQ(result, c.text);
        EXPECT_FALSE(offered);
    }
}

TEST_F(WizardTest, UninstallWizardRemovesTheChosenItems) {
    SetRunMode(RunUninstallMode);
    std::string summary, result;
    bool nextWithNone = true;
    Driver driver([&](DWORD main) {
        HWND sheet = WaitForWizard(main);
        if (!sheet) return;
        if (WaitForPage(sheet, 723)) {
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, IDC_COMPONENT_LIST)) {
            HWND page = CurrentPage(sheet);
            ClickItem(page, 0);
            ClickItem(page, 1);
            nextWithNone = !NextBecomes(sheet, false);
            ClickItem(page, 1);
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, 701)) {
            WaitUntil([&] { return !ItemText(CurrentPage(sheet), IDC_SUMMARY_EDIT).empty(); });
            summary = ItemText(CurrentPage(sheet), IDC_SUMMARY_EDIT);
            PressSheet(sheet, PSBTN_NEXT);
        }
        if (WaitForPage(sheet, IDC_PAGE_RESULT)) {
            result = ItemText(CurrentPage(sheet), IDC_PAGE_RESULT);
            PressSheet(sheet, PSBTN_FINISH);
        } else {
            PressSheet(sheet, PSBTN_CANCEL);
        }
    });
    EXPECT_FALSE(RunUninstallWizard(nullptr, run_));
    driver.Join();
    EXPECT_FALSE(nextWithNone);
    EXPECT_EQ(summary, "Remove Item :\r\n    Tools\r\n\r\n");
    EXPECT_EQ(probe_.calls, 1);
    EXPECT_EQ(result, "The software has been successfully removed and deleted..");
    EXPECT_STREQ(TheApplication().settings.defaultDir.c_str(), "C:\\Pen");   // the remove page has no folder
}

}  // namespace

namespace {
// A programs folder of a localized Windows: each folder shows a display name of its own.
struct LocalizedFolder {
    const char* name;
    const char* shown;
};
const LocalizedFolder kLocalized[] = {{"Startup", "Autostart"}, {"Accessories", "Zubehoer"}, {"Pen Tablet", "Pen Tablet"}};

LPITEMIDLIST ChildId(BYTE index) {   // one item of one byte, then the terminator
    auto* id = static_cast<BYTE*>(CoTaskMemAlloc(5));
    id[0] = 3; id[1] = 0; id[2] = index; id[3] = 0; id[4] = 0;
    return reinterpret_cast<LPITEMIDLIST>(id);
}

class LocalizedEnum final : public IEnumIDList {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG, LPITEMIDLIST* item, ULONG* fetched) override {
        if (next_ >= sizeof kLocalized / sizeof kLocalized[0]) return S_FALSE;
        *item = ChildId(static_cast<BYTE>(next_++));
        if (fetched) *fetched = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { next_ = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }
private:
    ULONG refs_ = 1;
    size_t next_ = 0;
};

class LocalizedPrograms final : public IShellFolder {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override { *out = nullptr; return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, LPBC, LPOLESTR, ULONG*, LPITEMIDLIST*, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF flags, IEnumIDList** list) override {
        if (!(flags & SHCONTF_FOLDERS)) return E_INVALIDARG;
        *list = new LocalizedEnum;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST, LPBC, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST, LPBC, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, LPCITEMIDLIST*, SFGAOF*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST item, SHGDNF flags, STRRET* name) override {
        const LocalizedFolder& folder = kLocalized[item->mkid.abID[0]];
        std::string text = (flags & SHGDN_FORPARSING) ? std::string("C:\\Menu\\Programs\\") + folder.name : folder.shown;
        if (flags & SHGDN_FORPARSING && flags & SHGDN_INFOLDER) text = folder.name;
        name->uType = STRRET_CSTR;
        lstrcpynA(name->cStr, text.c_str(), MAX_PATH);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, SHGDNF, LPITEMIDLIST*) override { return E_NOTIMPL; }
};
}  // namespace

TEST(ProgramFolders, AreListedByTheirOwnNamesNotTheirDisplayNames) {
    LocalizedPrograms programs;
    std::vector<std::string> names;
    for (const StrBuf& name : ProgramFolderNames(&programs)) names.push_back(name.c_str());
    EXPECT_EQ((std::vector<std::string>{"Startup", "Accessories", "Pen Tablet"}), names);
}

TEST(ProgramFolders, OfThisMachineAreTheFoldersInsideThePrograms) {
    char programs[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, programs, CSIDL_PROGRAMS, TRUE));
    std::string folder = std::string(programs) + "\\Pen, Tablet Tools";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    ASSERT_TRUE(WriteBytes(std::string(programs) + "\\not a folder.txt", "x"));
    std::vector<std::string> names;
    for (const StrBuf& name : ProgramFolderNames()) names.push_back(name.c_str());
    RemoveDirectoryA(folder.c_str());
    DeleteFileA((std::string(programs) + "\\not a folder.txt").c_str());
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Pen, Tablet Tools"));
    EXPECT_EQ(names.end(), std::find(names.begin(), names.end(), "not a folder.txt"));
}
