// The install and uninstall runs from start to end, in this process: a small kit on a
// scratch medium, every message box and dialog answered by a second thread as a user
// would, and the machine looked at afterwards (files, record, registry, INI file, links).
#include <gtest/gtest.h>
#include <windows.h>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/messages.h"
#include "installer/run/sequences.h"
#include "installer/run/startup.h"
#include <shlobj.h>
#include <atomic>
#include <functional>
#include "installer/core/system_paths.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/well_known_locations.h"
#include "installer/tree/application.h"
#include "installer/ui/window_classes.h"
#include "resources/dialog_ids.h"
#include "tests/fakes/test_support.h"
#include "tests/installer/ui_test_driver.h"

using namespace ui_test;

namespace {

struct Kit {
    std::string product;
    bool silent = false;
    std::string appType = "Pen Software";
    int spaceK = 4;
    bool restartAfterInstall = false;
    bool restartAfterRemoval = false;
    bool sourceMissing = false;
    bool wizard = false;
};

// Answers whatever the run shows: the options dialogs with OK (or Cancel), a disk request
// with Cancel, message boxes with the answer the test chooses. Keeps what it saw.
class Answerer {
public:
    explicit Answerer(DWORD threadId, int restartAnswer = IDOK, int optionsAnswer = IDOK)
        : threadId_(threadId), restartAnswer_(restartAnswer), optionsAnswer_(optionsAnswer),
          worker_([this] { Loop(); }) {}
    ~Answerer() { Stop(); }
    void Stop() {
        stop_ = true;
        if (worker_.joinable()) worker_.join();
    }
    std::vector<std::string> Messages() {
        std::lock_guard<std::mutex> lock(mutex_);
        return messages_;
    }
    int OptionsDialogs() const { return optionsSeen_; }
    DWORD MainThread() const { return threadId_; }
    // Called on the options dialog before OK, e.g. to untick a component.
    std::function<void(HWND)> onOptions;

private:
    void Loop() {
        while (!stop_) {
            EnumThreadWindows(threadId_, Visit, reinterpret_cast<LPARAM>(this));
            Sleep(20);
        }
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        reinterpret_cast<Answerer*>(self)->Answer(window);
        return TRUE;
    }
    void Answer(HWND window) {
        if (!IsWindowVisible(window)) return;
        if (window == lastAnswered_) {
            // A press that came before the window was ready to take it is repeated.
            if (GetTickCount() - answeredAt_ < 500) return;
            Press(window, lastAnswer_);
            answeredAt_ = GetTickCount();
            return;
        }
        int answer = IDOK;
        if (IsMessageBox(window)) {
            std::string text = ItemText(window, 0xFFFF);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                messages_.push_back(text);
            }
            bool question = GetDlgItem(window, IDCANCEL) != nullptr && text.find("reboot") != std::string::npos;
            // The cancel question after a refused disk is answered Yes: the user gives up.
            answer = question ? restartAnswer_ : GetDlgItem(window, IDYES) ? IDYES : IDOK;
        } else if (HasItem(window, IDC_OPTION_ROW0)) {
            ++optionsSeen_;
            if (onOptions) onOptions(window);
            answer = optionsAnswer_;
        } else if (HasItem(window, IDC_DISK_PATH)) {
            answer = IDCANCEL;
        } else {
            return;
        }
        Press(window, answer);
        lastAnswered_ = window;
        lastAnswer_ = answer;
        answeredAt_ = GetTickCount();
    }

    DWORD threadId_;
    int restartAnswer_, optionsAnswer_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> messages_;
    std::atomic<int> optionsSeen_{0};
    HWND lastAnswered_ = nullptr;
    int lastAnswer_ = IDOK;
    DWORD answeredAt_ = 0;
    std::thread worker_;
};

std::string Str(const StrBuf& text) { return text.c_str(); }

bool KeyThere(HKEY root, const std::string& path) {
    RegKey key;
    return RegOpenKeyA(root, path.c_str(), key.put()) == ERROR_SUCCESS;
}

class SequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        SetProgramInstance(instance);
        RegisterBackgroundClass(instance);
        RegisterMeterClass(instance);
        ComputeNativeArchitecture();
        product_ = "Sequence Kit " + std::to_string(GetCurrentProcessId());
        installDir_ = target_.path() + "\\Pen";
    }
    void TearDown() override {
        TheApplication().Reset();
        SetRunMode(RunInstallMode);
        DeleteKeyTree(HKEY_CLASSES_ROOT, ("SetupExt\\" + product_).c_str());
        DeleteKeyTree(HKEY_CURRENT_USER, ("Software\\Zorvant Sequence\\" + product_).c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, IniName().c_str());
        DeleteFileA((Str(WindowsDirectory()) + "\\" + IniName()).c_str());
        RemoveTree(GroupFolder());
    }

    std::string IniName() const { return "SEQ" + std::to_string(GetCurrentProcessId() % 100000) + ".INI"; }
    std::string GroupFolder() const {
        StrBuf programs;
        GetSpecialFolderPath(nullptr, CSIDL_PROGRAMS, programs);
        return Str(programs) + "\\" + product_;
    }
    std::string RegistryPath() const { return "Software\\Zorvant Sequence\\" + product_; }

    void WriteKit(const Kit& kit) {
        std::string s;
        s += "[App]\r\nAppType=" + kit.appType + "\r\nProduceName=\"" + product_ + "\"\r\nCaption=\"Sequence Kit\"\r\n";
        s += "DefDir=" + installDir_ + "\r\nDefPMGroup=\"" + product_ + "\",0\r\nUnInstall=\"Remove " + product_ + "\"\r\n";
        s += std::string("SilentInstall=") + (kit.silent ? "Y" : "N") + "\r\n";
        s += std::string("EnableNewUI=") + (kit.wizard ? "Y" : "N") + "\r\n";
        s += "[Disks]\r\n1=\"Sequence disk\"\r\n[SrcDirs]\r\n1=.\r\n[DstDirs]\r\n1=.\r\n2=Extra\r\n";
        s += "[SetupApps]\r\nMain part=Main,MainKeys,MainFiles,MainLinks,MainIni,,MainReg\r\n";
        s += "Extra part=Extra,ExtraKeys,ExtraFiles\r\n";
        s += "[MainKeys]\r\nDefInstall=Y\r\nSpaceNeeded=" + std::to_string(kit.spaceK) + "\r\n";
        s += std::string("RestartWindows=") + (kit.restartAfterInstall ? "Y" : "N") + "\r\n";
        s += std::string("URestartWindows=") + (kit.restartAfterRemoval ? "Y" : "N") + "\r\n";
        s += "[MainFiles]\r\nmain.txt,1-1:main.txt,1:main.txt,N,Y,0\r\n";
        s += "[MainLinks]\r\nmain.txt,Main Notes,0\r\n";
        s += "[MainIni]\r\n" + IniName() + ",Kit,Folder,1:main.txt,N,Y,Y,N\r\n";
        s += "[MainReg]\r\nHKEY_CURRENT_USER,REG_SZ," + RegistryPath() + ",Main,1:main.txt\r\n";
        s += "HKEY_CURRENT_USER,REG_SZ," + RegistryPath() + "\r\n";
        s += "[ExtraKeys]\r\nDefInstall=Y\r\nSpaceNeeded=2\r\n";
        s += "[ExtraFiles]\r\nextra.txt,1-1:extra.txt,2:extra.txt,N,Y,0\r\n[End]\r\n";
        ASSERT_TRUE(WriteBytes(medium_ / "SetupX64.INF", s));
        ASSERT_TRUE(WriteBytes(medium_ / "main.txt", "main part\r\n"));
        if (kit.sourceMissing)
            DeleteFileA((medium_ / "extra.txt").c_str());
        else
            ASSERT_TRUE(WriteBytes(medium_ / "extra.txt", "extra part\r\n"));
    }

    // As start-up does for "Instally.exe <switches>" run from the medium.
    int Install(const std::string& switches = "") {
        Application& app = TheApplication();
        app.Reset();
        LoadResString(app.settings.uninstallName, GetModuleHandleA(nullptr), IDS_UNINSTALL);
        app.SetSourceDir(medium_.path().c_str());
        SetRunMode(ParseCommandLine(switches.c_str()));
        return RunInstall(GetModuleHandleA(nullptr));
    }
    // As the uninstall shortcut starts it.
    int Uninstall() {
        Application& app = TheApplication();
        app.Reset();
        LoadResString(app.settings.uninstallName, GetModuleHandleA(nullptr), IDS_UNINSTALL);
        SetRunMode(ParseCommandLine(("/@SetupExt\\" + product_).c_str()));
        if (RunMode() != RunUninstallMode) return -1;
        return RunUninstall(GetModuleHandleA(nullptr));
    }

    bool Recorded() const { return KeyThere(HKEY_CLASSES_ROOT, "SetupExt\\" + product_); }
    bool Installed(const std::string& name) const { return FileThere(installDir_ + "\\" + name); }
    std::string IniValue() const {
        char value[MAX_PATH] = "";
        GetPrivateProfileStringA("Kit", "Folder", "", value, sizeof value, IniName().c_str());
        return value;
    }
    bool LinkThere() const { return FileThere(GroupFolder() + "\\Main Notes.LNK"); }

    ScratchDir medium_{"seqmedium"};
    ScratchDir target_{"seqtarget"};
    std::string product_;
    std::string installDir_;
};

std::string Text(UINT id) { return Str(ResString(id)); }

TEST_F(SequenceTest, InstallEndsWithTheMessageOfItsOutcome) {
    struct Case {
        const char* name;
        Kit kit;
        int restartAnswer;
        int wantResult;
        int wantStatus;
        UINT wantMessage;
    };
    Kit plain, restart, missing;
    restart.restartAfterInstall = true;
    missing.sourceMissing = true;
    const Case cases[] = {
        {"everything installed", plain, IDOK, 0, 0, IDS_INSTALL_DONE},
        {"restart wanted, answered OK", restart, IDOK, 1, 0, IDS_INSTALL_REBOOT},
        {"restart wanted, answered Cancel", restart, IDCANCEL, 0, 0, IDS_INSTALL_REBOOT},
        {"a file entry failed", missing, IDOK, 0, 1, IDS_INSTALL_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteKit(c.kit);
        Answerer answerer(GetCurrentThreadId(), c.restartAnswer);
        int result = Install();
        answerer.Stop();
        EXPECT_EQ(c.wantResult, result);
        EXPECT_EQ(c.wantStatus, TheApplication().status);
        EXPECT_EQ(1, answerer.OptionsDialogs());
        std::vector<std::string> messages = answerer.Messages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(Text(c.wantMessage), messages.back());
        // Only the missing disk adds a question: whether to give up the installation.
        EXPECT_EQ(c.kit.sourceMissing ? 2u : 1u, messages.size());
        EXPECT_TRUE(Installed("main.txt"));
        // A failed run keeps what it installed before the failing entry and writes no record.
        EXPECT_EQ(c.wantStatus == 0, Recorded());
        EXPECT_EQ(c.wantStatus == 0, FileThere(GroupFolder() + "\\Remove " + product_ + ".LNK"));
        TearDown();
        RemoveTree(installDir_);
    }
}

TEST_F(SequenceTest, ShortcutsThatCannotBeMadeEndWithTheirOwnMessage) {
    WriteKit(Kit());
    // A file where the group's folder belongs: the folder cannot be made.
    ASSERT_TRUE(WriteBytes(GroupFolder(), "in the way"));
    Answerer answerer(GetCurrentThreadId());
    EXPECT_EQ(0, Install());
    answerer.Stop();
    EXPECT_EQ(5, TheApplication().status);
    ASSERT_EQ(1u, answerer.Messages().size());
    EXPECT_EQ(Text(IDS_INSTALL_DONE_NO_GROUP), answerer.Messages()[0]);
    EXPECT_TRUE(Installed("main.txt"));
    DeleteFileA(GroupFolder().c_str());
}

TEST_F(SequenceTest, SilentRunsNeverAskAndNeverRestart) {
    Kit kit;
    kit.silent = true;
    kit.restartAfterInstall = kit.restartAfterRemoval = true;
    WriteKit(kit);
    Answerer answerer(GetCurrentThreadId());
    EXPECT_EQ(0, Install());
    EXPECT_TRUE(Installed("main.txt"));
    EXPECT_TRUE(Installed("Extra\\extra.txt"));
    EXPECT_TRUE(Recorded());
    EXPECT_EQ(installDir_ + "\\main.txt", IniValue());
    EXPECT_TRUE(KeyThere(HKEY_CURRENT_USER, RegistryPath()));
    EXPECT_TRUE(LinkThere());

    EXPECT_EQ(0, Uninstall());
    answerer.Stop();
    EXPECT_TRUE(answerer.Messages().empty());
    EXPECT_EQ(0, answerer.OptionsDialogs());
    EXPECT_EQ(0, TheApplication().status);
    EXPECT_FALSE(FileThere(installDir_));
    EXPECT_FALSE(Recorded());
    EXPECT_EQ("", IniValue());
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, RegistryPath()));
    EXPECT_FALSE(LinkThere());
    EXPECT_FALSE(FileThere(GroupFolder()));
}

TEST_F(SequenceTest, SilentInstallWithoutEnoughSpaceInstallsNothing) {
    Kit kit;
    kit.silent = true;
    kit.spaceK = 2000000000;   // about 2 TB
    WriteKit(kit);
    Answerer answerer(GetCurrentThreadId());
    EXPECT_EQ(0, Install());
    answerer.Stop();
    EXPECT_TRUE(answerer.Messages().empty());
    EXPECT_FALSE(FileThere(installDir_));
    EXPECT_FALSE(Recorded());
}

TEST_F(SequenceTest, MissingScriptIsReportedAndNothingHappens) {
    Answerer answerer(GetCurrentThreadId());
    EXPECT_EQ(0, Install());
    answerer.Stop();
    ASSERT_EQ(1u, answerer.Messages().size());
    EXPECT_EQ("The Setupext.inf file cannot be found. Please verify the distribution diskette.",
              answerer.Messages()[0]);
    EXPECT_EQ(0, answerer.OptionsDialogs());

    // Asked for on the command line, silence holds from the start: no box waits for nobody.
    Answerer silent(GetCurrentThreadId());
    EXPECT_EQ(0, Install("/S"));
    silent.Stop();
    EXPECT_TRUE(silent.Messages().empty());
}

TEST_F(SequenceTest, CancelledOptionsDialogInstallsNothing) {
    WriteKit(Kit());
    Answerer answerer(GetCurrentThreadId(), IDOK, IDCANCEL);
    EXPECT_EQ(0, Install());
    answerer.Stop();
    EXPECT_TRUE(answerer.Messages().empty());
    EXPECT_FALSE(FileThere(installDir_));
    EXPECT_EQ(0, TheApplication().status);
}

// Installed through the dialogs, so that the record asks for the removal dialog too.
class UninstallTest : public SequenceTest {
protected:
    void InstallInteractively(const Kit& kit = Kit()) {
        WriteKit(kit);
        Answerer answerer(GetCurrentThreadId());
        ASSERT_EQ(0, Install());
        ASSERT_EQ(0, TheApplication().status);
        ASSERT_TRUE(Recorded());
    }
};

// Held letting others read it (a viewer), and held without sharing (a running program, a
// virus scanner): either way the file stays and so does the record.
TEST_F(UninstallTest, FileInUseKeepsTheRecordUntilTheNextUninstall) {
    for (DWORD sharing : {static_cast<DWORD>(FILE_SHARE_READ), 0ul}) {
        SCOPED_TRACE(sharing ? "shared for reading" : "held without sharing");
        InstallInteractively();
        FileHandle held(CreateFileA((installDir_ + "\\main.txt").c_str(), GENERIC_READ, sharing, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        {
            Answerer answerer(GetCurrentThreadId());
            EXPECT_EQ(0, Uninstall());
            answerer.Stop();
            EXPECT_EQ(0x101, TheApplication().status);
            ASSERT_EQ(1u, answerer.Messages().size());
            EXPECT_EQ(Text(IDS_REMOVE_FAILED), answerer.Messages()[0]);
            EXPECT_EQ(1, answerer.OptionsDialogs());
        }
        EXPECT_TRUE(Recorded());
        EXPECT_TRUE(Installed("main.txt"));
        held.reset();

        Answerer answerer(GetCurrentThreadId());
        EXPECT_EQ(0, Uninstall());
        answerer.Stop();
        EXPECT_EQ(0, TheApplication().status);
        ASSERT_EQ(1u, answerer.Messages().size());
        EXPECT_EQ(Text(IDS_REMOVE_DONE), answerer.Messages()[0]);
        EXPECT_FALSE(Recorded());
        EXPECT_FALSE(FileThere(installDir_));
    }
}

TEST_F(UninstallTest, UsersFileKeepsTheFolderAndIsReported) {
    InstallInteractively();
    ASSERT_TRUE(WriteBytes(installDir_ + "\\mine.txt", "the user's"));
    Answerer answerer(GetCurrentThreadId());
    EXPECT_EQ(0, Uninstall());
    answerer.Stop();
    EXPECT_EQ(0x106, TheApplication().status);
    ASSERT_EQ(1u, answerer.Messages().size());
    EXPECT_EQ(Text(IDS_REMOVE_DIRS_KEPT), answerer.Messages()[0]);
    EXPECT_EQ("the user's", ReadBytes(installDir_ + "\\mine.txt"));
    EXPECT_FALSE(Installed("main.txt"));
    EXPECT_FALSE(FileThere(installDir_ + "\\Extra"));
    EXPECT_FALSE(Recorded());
}

TEST_F(UninstallTest, RestartQuestionDecidesTheResult) {
    for (int answer : {IDOK, IDCANCEL}) {
        Kit kit;
        kit.restartAfterRemoval = true;
        InstallInteractively(kit);
        Answerer answerer(GetCurrentThreadId(), answer);
        EXPECT_EQ(answer == IDOK ? 1 : 0, Uninstall());
        answerer.Stop();
        ASSERT_EQ(1u, answerer.Messages().size());
        EXPECT_EQ(Text(IDS_REMOVE_REBOOT), answerer.Messages()[0]);
        EXPECT_FALSE(Recorded());
    }
}

TEST_F(UninstallTest, ComponentLeftUntickedStaysUntilTheNextUninstall) {
    InstallInteractively();
    {
        Answerer answerer(GetCurrentThreadId());
        // The second row is "Extra part": the user keeps it.
        answerer.onOptions = [](HWND dialog) {
            SendMessageA(GetDlgItem(dialog, IDC_OPTION_ROW0 + 1), BM_CLICK, 0, 0);
        };
        EXPECT_EQ(0, Uninstall());
        answerer.Stop();
    }
    EXPECT_FALSE(Installed("main.txt"));
    EXPECT_FALSE(LinkThere());
    EXPECT_TRUE(Installed("Extra\\extra.txt"));
    EXPECT_TRUE(Recorded());
    EXPECT_TRUE(FileThere(GroupFolder() + "\\Remove " + product_ + ".LNK"));

    Answerer answerer(GetCurrentThreadId());
    EXPECT_EQ(0, Uninstall());
    answerer.Stop();
    EXPECT_FALSE(FileThere(installDir_));
    EXPECT_FALSE(Recorded());
    EXPECT_FALSE(FileThere(GroupFolder()));
}

// Goes through a wizard with Next to its last page and finishes there; returns that page's text.
std::string ThroughTheWizard(DWORD main) {
    HWND sheet = WaitForWizard(main);
    if (!sheet) return "no wizard";
    auto current = [&] { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); };
    for (int page = 0; page < 8 && !GetDlgItem(current(), IDC_PAGE_RESULT); ++page) {
        HWND before = current();
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        WaitUntil([&] { return current() != before; });
    }
    std::string result = GetDlgItem(current(), IDC_PAGE_RESULT) ? ItemText(current(), IDC_PAGE_RESULT) : "no finish page";
    PostMessageA(sheet, PSM_PRESSBUTTON, GetDlgItem(current(), IDC_PAGE_RESULT) ? PSBTN_FINISH : PSBTN_CANCEL, 0);
    return result;
}

TEST_F(SequenceTest, WizardInstallsAndRemovesLikeTheSilentRun) {
    Kit kit;
    kit.wizard = true;
    WriteKit(kit);
    std::string installResult, removalResult;
    {
        Answerer answerer(GetCurrentThreadId());   // the folder question, if any
        std::thread driver([&] { installResult = ThroughTheWizard(answerer.MainThread()); });
        EXPECT_EQ(0, Install());
        driver.join();
    }
    EXPECT_EQ(0u, installResult.find("Setup has installed the software successfully")) << installResult;
    EXPECT_TRUE(Installed("main.txt"));
    EXPECT_TRUE(Installed("Extra\\extra.txt"));
    EXPECT_TRUE(Recorded());
    EXPECT_EQ(installDir_ + "\\main.txt", IniValue());
    EXPECT_TRUE(LinkThere());
    {
        Answerer answerer(GetCurrentThreadId());
        std::thread driver([&] { removalResult = ThroughTheWizard(answerer.MainThread()); });
        EXPECT_EQ(0, Uninstall());
        driver.join();
    }
    EXPECT_NE(std::string::npos, removalResult.find("removed")) << removalResult;
    EXPECT_FALSE(FileThere(installDir_));
    EXPECT_FALSE(Recorded());
    EXPECT_EQ("", IniValue());
    EXPECT_FALSE(KeyThere(HKEY_CURRENT_USER, RegistryPath()));
    EXPECT_FALSE(FileThere(GroupFolder()));
}

// A window of another thread that counts the installer's status messages, as a tablet
// program listening for the end of an installation would.
class StatusListener {
public:
    StatusListener() : worker_([this] { Run(); }) { WaitUntil([this] { return window_ != nullptr; }); }
    ~StatusListener() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        worker_.join();
    }
    std::vector<WPARAM> Received() {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<StatusListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == RegisterWindowMessageA("Zorvant_InstallStatus")) {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->received_.push_back(wParam);
            return 0;
        }
        if (message == WM_CLOSE) {
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void Run() {
        WNDCLASSA type{};
        type.lpfnWndProc = Procedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "SequenceStatusListener";
        RegisterClassA(&type);
        HWND window = CreateWindowExA(0, type.lpszClassName, "listener", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      type.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        window_ = window;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }
    std::mutex mutex_;
    std::vector<WPARAM> received_;
    std::atomic<HWND> window_{nullptr};
    std::thread worker_;
};

TEST_F(SequenceTest, InstallerProcessTellsListenersTheStatusTwice) {
    struct Case { const char* name; bool sourceMissing; WPARAM status; };
    for (const Case& c : {Case{"installed", false, 0}, Case{"the medium lost a file", true, 1}}) {
        SCOPED_TRACE(c.name);
        Kit kit;
        kit.silent = true;
        kit.sourceMissing = c.sourceMissing;
        WriteKit(kit);
        ASSERT_TRUE(CopyFileA((TestBinDirectory() + "\\Instally.exe").c_str(), (medium_ / "Instally.exe").c_str(), FALSE));
        StatusListener listener;
        ProgramRun run = RunProgram("\"" + (medium_ / "Instally.exe") + "\"", 60000);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_TRUE(WaitUntil([&] { return listener.Received().size() >= 2; }, 3000));
        EXPECT_EQ(listener.Received(), (std::vector<WPARAM>{c.status, c.status}));
        // What came before the missing file stays installed; a failed run writes no record.
        EXPECT_TRUE(Installed("main.txt"));
        EXPECT_EQ(!c.sourceMissing, Recorded());
        EXPECT_EQ(!c.sourceMissing, Installed("Extra\\extra.txt"));
        TearDown();
        RemoveTree(installDir_);
    }
}

}  // namespace
