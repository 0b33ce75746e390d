// The setup program itself on a scratch medium: it starts the installer from the medium,
// opens folders through the shell, closes, and ends at once without a background.
#include "launcher/main_frame.h"
#include "tests/launcher/launcher_test_support.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <set>

namespace {

const char kMenu[] =
    "[ItemsParameter]\r\nBKPicture=art\\back.bmp\r\n"
    "[Items]\r\nInstall=Install\r\nQuit=Quit\r\n"
    "[Install]\r\nType=EXECUTEFILE\r\nexe=Instally.exe\r\npath=Driver\r\nExeParameter=/S DEV:2\r\n"
    "[Quit]\r\nType=EXIT\r\n";

struct Medium {
    ScratchDir dir{"medium"};
    explicit Medium(const std::string& inf) {
        CreateDirectoryA((dir / "art").c_str(), nullptr);
        CreateDirectoryA((dir / "Driver").c_str(), nullptr);
        WriteBitmapFile(dir / "art\\back.bmp", 200, 120, [](int, int) { return RGB(30, 60, 90); });
        CopyFileA((TestBinDirectory() + "\\setup.exe").c_str(), (dir / "setup.exe").c_str(), FALSE);
        CopyFileA((TestBinDirectory() + "\\launcher_fixture\\Instally.exe").c_str(),
                  (dir / "Driver\\Instally.exe").c_str(), FALSE);
        WriteBytes(dir / "setup.inf", inf);
    }
};

// setup.exe started from the medium's root, as autorun starts it; ended if still running.
class LauncherRun {
public:
    explicit LauncherRun(const Medium& medium) {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string line = "\"" + medium.dir / "setup.exe" + "\"";
        started_ = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, medium.dir.path().c_str(),
                                  &si, &pi_) != 0;
    }
    ~LauncherRun() {
        if (!started_) return;
        if (WaitForSingleObject(pi_.hProcess, 0) != WAIT_OBJECT_0) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, 5000);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool started() const { return started_; }
    HWND WaitForMenu(DWORD timeoutMs = 30000) const {
        for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
            HWND found = nullptr;
            for (HWND w = FindWindowA(kMenuWindowClass, nullptr); w; w = FindWindowExA(nullptr, w, kMenuWindowClass, nullptr)) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == pi_.dwProcessId) found = w;
            }
            if (found) return found;
            if (WaitForSingleObject(pi_.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }
    bool Ended(DWORD timeoutMs, DWORD* exitCode = nullptr) const {
        if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
        if (exitCode) GetExitCodeProcess(pi_.hProcess, exitCode);
        return true;
    }
private:
    PROCESS_INFORMATION pi_ = {};
    bool started_ = false;
};

std::string WaitForFile(const std::string& path, DWORD timeoutMs = 30000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        std::string text = ReadBytes(path);
        if (!text.empty()) return text;
        Sleep(100);
    }
    return "";
}

TEST(LauncherProgram, ReturnStartsTheInstallerFromTheMediumAndEscapeCloses) {
    Medium medium(kMenu);
    LauncherRun run(medium);
    ASSERT_TRUE(run.started());
    HWND menu = run.WaitForMenu();
    ASSERT_NE(nullptr, menu);
    PostMessageA(menu, WM_KEYUP, VK_TAB, 0);
    PostMessageA(menu, WM_KEYUP, VK_RETURN, 0);
    std::string record = WaitForFile(medium.dir / "Driver\\started.txt");
    EXPECT_EQ("args=/S DEV:2\r\ncwd=" + medium.dir / "Driver" + "\r\n", record);
    EXPECT_FALSE(run.Ended(200));   // the menu stays open
    PostMessageA(menu, WM_KEYUP, VK_ESCAPE, 0);
    DWORD code = 99;
    EXPECT_TRUE(run.Ended(30000, &code));
    EXPECT_EQ(0u, code);
}

TEST(LauncherProgram, ExitItemEndsTheProgram) {
    Medium medium(kMenu);
    LauncherRun run(medium);
    HWND menu = run.WaitForMenu();
    ASSERT_NE(nullptr, menu);
    PostMessageA(menu, WM_KEYUP, VK_UP, 0);
    PostMessageA(menu, WM_KEYUP, VK_UP, 0);   // wraps to the last item, Quit
    PostMessageA(menu, WM_KEYUP, VK_RETURN, 0);
    EXPECT_TRUE(run.Ended(30000));
    EXPECT_FALSE(FileThere(medium.dir / "Driver\\started.txt"));
}

TEST(LauncherProgram, MissingBackgroundEndsAtOnce) {
    for (const char* inf : {"[Items]\r\nQuit=Quit\r\n[Quit]\r\nType=EXIT\r\n",
                            "[ItemsParameter]\r\nBKPicture=nothing-here.bmp\r\n[Items]\r\nQuit=Quit\r\n"}) {
        Medium medium(inf);
        LauncherRun run(medium);
        ASSERT_TRUE(run.started());
        DWORD code = 99;
        EXPECT_TRUE(run.Ended(30000, &code)) << inf;
        EXPECT_EQ(0u, code);
    }
    Medium none("");
    DeleteFileA((none.dir / "setup.inf").c_str());
    LauncherRun run(none);
    EXPECT_TRUE(run.Ended(30000));
}

std::set<DWORD> ProcessIds() {
    std::set<DWORD> ids;
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry))
        ids.insert(entry.th32ProcessID);
    return ids;
}

// A program the shell started for us since `before`, ended once seen; its name or "".
std::string EndNewProcess(const std::set<DWORD>& before, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry = {};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
            if (before.count(entry.th32ProcessID)) continue;
            std::string name = entry.szExeFile;
            if (name.find("explorer") == std::string::npos && name.find("winefile") == std::string::npos) continue;
            KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
            if (process) {
                TerminateProcess(process.get(), 0);
                WaitForSingleObject(process.get(), 5000);
            }
            return name;
        }
        Sleep(100);
    }
    return "";
}

TEST(LauncherProgram, ProgramManagerOpensTheFolderThroughTheShell) {
    ScratchDir medium("folder-medium");
    CreateDirectoryA((medium / "Manuals").c_str(), nullptr);
    WriteBitmapFile(medium / "back.bmp", 100, 80, [](int, int) { return RGB(10, 10, 10); });
    WriteBytes(medium / "setup.inf", "[ItemsParameter]\r\nBKPicture=" + medium / "back.bmp" +
                                         "\r\n[Items]\r\nDocs=Manuals\r\n[Docs]\r\nType=PROGRAMMANAGER\r\npath=Manuals\r\n");
    CMainFrame frame(medium.path() + "\\");
    ASSERT_TRUE(frame.Create());
    std::set<DWORD> before = ProcessIds();
    SendMessageA(frame.Window(), WM_KEYUP, VK_TAB, 0);
    EXPECT_EQ("", EndNewProcess(before, 1000));   // choosing the item alone opens nothing
    SendMessageA(frame.Window(), WM_KEYUP, VK_RETURN, 0);
    std::string opener = EndNewProcess(before, 30000);
    EXPECT_NE("", opener);
    RecordProperty("opened_by", opener);
    EXPECT_TRUE(IsWindow(frame.Window()));
}

}  // namespace
