// The components' programs, the registration tool, the tablet's clients and the driver
// information files, against recording stand-ins and Wine's own regsvr32.
#include <gtest/gtest.h>
#include <windows.h>
#include <sstream>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/core/system_paths.h"
#include "installer/device/device_clients.h"
#include "installer/device/helper_programs.h"
#include "installer/device/helper_steps.h"
#include "installer/device/oem_class_files.h"
#include "installer/record/file_removal.h"
#include "tests/fakes/test_support.h"

namespace {
std::string FakesDirectory() { return TestBinDirectory() + "\\device"; }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Copies of the recording program under the names the installer starts, all writing one log.
class HelperPrograms : public ::testing::Test {
protected:
    void SetUp() override { Describe(0); }
    void TearDown() override { SetEnvironmentVariableA("HELPER_RECORDER", nullptr); }

    void Describe(DWORD delayMs, const std::string& hold = "") {
        std::string description = dir_ / "recorder.txt";
        WriteBytes(description, "log " + log_ + "\ndelay " + std::to_string(delayMs) + "\n" +
                                    (hold.empty() ? "" : "hold " + hold + "\n"));
        SetEnvironmentVariableA("HELPER_RECORDER", description.c_str());
    }
    std::string Install(const std::string& folder, const std::string& name) {
        CreateDirectoryA(folder.c_str(), nullptr);
        std::string path = folder + "\\" + name;
        EXPECT_TRUE(CopyFileA((FakesDirectory() + "\\helper_recorder.exe").c_str(), path.c_str(), FALSE)) << path;
        return path;
    }
    std::vector<std::string> Log() const { return Lines(ReadBytes(log_)); }
    bool WaitForLine(const std::string& line, DWORD ms) const {
        for (DWORD waited = 0; waited < ms; waited += 50) {
            for (const std::string& l : Log())
                if (l == line) return true;
            Sleep(50);
        }
        return false;
    }

    ScratchDir dir_{"helpers"};
    std::string log_ = dir_ / "calls.log";
};

TEST_F(HelperPrograms, WaitedProgramHasEndedWhenStartProgramReturns) {
    std::string program = Install(dir_.path(), "DrvSetup.exe");
    Describe(1500);
    std::string line = program + " /Install";
    DWORD start = GetTickCount();
    ASSERT_TRUE(StartProgram(line.c_str(), true));
    EXPECT_GE(GetTickCount() - start, 1400u);
    EXPECT_EQ((std::vector<std::string>{"start " + line, "end " + line}), Log());
}

TEST_F(HelperPrograms, UnwaitedProgramRunsAlongside) {
    std::string program = Install(dir_.path(), "Notes.exe");
    Describe(3000);
    std::string line = program + " /SInstall";
    DWORD start = GetTickCount();
    ASSERT_TRUE(StartProgram(line.c_str(), false));
    EXPECT_LT(GetTickCount() - start, 1500u);
    EXPECT_TRUE(WaitForLine("start " + line, 5000));
    EXPECT_FALSE(WaitForLine("end " + line, 100));
    EXPECT_TRUE(WaitForLine("end " + line, 10000));   // let it finish before the folder goes
}

TEST_F(HelperPrograms, MissingProgramIsSkipped) {
    EXPECT_FALSE(StartProgram((dir_ / "absent.exe /Install").c_str(), true));
    EXPECT_FALSE(StartProgram("", true));
    EXPECT_FALSE(StartProgram(nullptr, false));
}

// What a component does with its lists: each step's file is found among its entries, the
// folder chosen, the step run. The recorded command lines are the contract with the programs.
TEST_F(HelperPrograms, ComponentListsGiveTheProgramsTheirCommandLines) {
    std::string dest = dir_ / "Dest", installed = dir_ / "Installed";
    for (const char* name : {"prep.exe", "clean.exe", "final.exe", "p1.exe", "p2.exe", "p3.exe", "p4.exe", "p5.exe",
                             "p6.exe", "p7.exe", "p8.exe", "p9.exe"})
        Install(dest, name);
    Install(installed, "p1.exe");

    const ProgramSlot iBefore[] = {{"prep.exe", true, false}};
    const ProgramSlot iAfter[] = {{"p1.exe", true, true}, {"p2.exe", true, false}, {"p3.exe", true, false},
                                  {"p4.exe", true, false}, {"p5.exe", true, false}, {"p6.exe", true, false},
                                  {"p7.exe", true, false}, {"p8.exe", true, false}, {"p9.exe", true, false}};
    const ProgramSlot uBefore[] = {{"clean.exe", true, true}, {"missing.exe", true, false}};
    const ProgramSlot uAfter[] = {{"final.exe", true, false}};
    HelperLists lists;
    lists.installBefore = iBefore; lists.installBeforeCount = 1;
    lists.installAfter = iAfter;   lists.installAfterCount = 9;
    lists.removeBefore = uBefore;  lists.removeBeforeCount = 2;
    lists.removeAfter = uAfter;    lists.removeAfterCount = 1;

    auto run = [&](bool removal, HelperPhase phase) {
        for (const HelperStep& step : PlanHelperSteps(lists, removal, phase)) {
            std::string name = step.name.c_str();
            if (!FileThere(dest + "\\" + name)) continue;   // not among the component's files
            // Only p1.exe was copied in this run; the others keep no installed location.
            std::string where = (name == "p1.exe" && !removal) ? installed : "";
            RunHelperStep(step, removal, HelperDirectory(step, where.c_str(), dest.c_str()));
        }
    };
    run(false, BeforeItems);
    run(false, AfterItems);
    run(true, BeforeItems);
    run(true, AfterItems);

    std::vector<std::string> started;
    for (const std::string& line : Log())
        if (line.compare(0, 6, "start ") == 0) started.push_back(line.substr(6));
    std::vector<std::string> expected = {dest + "\\prep.exe /Install", installed + "\\p1.exe /SInstall"};
    for (int i = 2; i <= 8; ++i) expected.push_back(dest + "\\p" + std::to_string(i) + ".exe /Install");
    expected.push_back(dest + "\\clean.exe /SRemoved");
    expected.push_back(dest + "\\final.exe /Removed");
    EXPECT_EQ(expected, started);
}

TEST_F(HelperPrograms, LibrariesAreRegisteredThroughTheSystemTool) {
    std::string library = dir_ / "pen tab.dll";   // a blank in the path needs the quotes
    ASSERT_TRUE(CopyFileA((FakesDirectory() + "\\zvregister.dll").c_str(), library.c_str(), FALSE));
    ASSERT_TRUE(RegisterLibrary(library.c_str(), true, false));
    ASSERT_TRUE(RegisterLibrary(library.c_str(), true, true));
    ASSERT_TRUE(RegisterLibrary(library.c_str(), false, false));
    EXPECT_EQ((std::vector<std::string>{"DllRegisterServer", "DllUnregisterServer", "DllRegisterServer"}), Log());
}

TEST_F(HelperPrograms, ClientsAreStoppedByDeviceTypeAndGivenTime) {
    Install(dir_.path(), "REZUVE.EXE");
    Install(dir_.path(), "Dralvex.EXE");
    StrBuf previous = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryA(dir_.path().c_str()));   // where WinExec looks after the program's folder
    const int types[] = {2, 0, 1, 7};
    DWORD start = GetTickCount();
    StopDeviceClients(types, 4);
    DWORD elapsed = GetTickCount() - start;
    SetCurrentDirectoryA(previous);
    EXPECT_GE(elapsed, 3900u);
    EXPECT_LT(elapsed, 8000u);
    std::vector<std::string> log = Log();
    EXPECT_EQ((std::vector<std::string>{"start REZUVE.EXE /StopClient", "end REZUVE.EXE /StopClient",
                                        "start Dralvex.EXE /StopClient", "end Dralvex.EXE /StopClient"}),
              log);
}

KernelHandle StartProgram(std::string line) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return KernelHandle();
    CloseHandle(pi.hThread);
    return KernelHandle(pi.hProcess);
}

bool Running(const KernelHandle& process) { return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; }
bool Ended(const KernelHandle& process) { return WaitForSingleObject(process.get(), 3000) == WAIT_OBJECT_0; }

TEST_F(HelperPrograms, TerminatesTheRunningProcessNamedInAFileName) {
    std::string program = Install(dir_.path(), "lingerpen.exe");
    Describe(60000);
    KernelHandle process = StartProgram(program);
    ASSERT_TRUE(process);
    ASSERT_TRUE(WaitForLine("start " + program, 5000));

    EXPECT_FALSE(TerminateProcessByName("C:\\Tablet\\lingerpad.exe"));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(process.get(), 0));
    EXPECT_TRUE(TerminateProcessByName("C:\\Program Files\\Tablet\\LINGERPEN.EXE"));
    ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(process.get(), 2000));
    DWORD code = 99;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(TerminateProcessByName("C:\\Program Files\\Tablet\\LINGERPEN.EXE"));
}

// One removal run shares a look at the running programs: the programs it saw are ended when
// their name occurs in a removed file's, and a program started after the look is still ended
// when it holds its file, so the file goes as it did with a snapshot per file.
TEST_F(HelperPrograms, RemovalRunEndsTheProgramsHoldingOrNamedInRemovedFiles) {
    std::string removed = dir_ / "removed";
    CreateDirectoryA(removed.c_str(), nullptr);
    auto item = [&](const std::string& name) {
        WriteBytes(removed + "\\" + name, "installed");
        RemovalItem it;
        it.displayName = it.destName = name.c_str();
        it.destDir = removed.c_str();
        it.resolved = true;
        return it;
    };
    Describe(60000);
    std::string seen = Install(dir_.path(), "seenpen.exe");
    KernelHandle seenProcess = StartProgram(seen);
    ASSERT_TRUE(seenProcess);
    ASSERT_TRUE(WaitForLine("start " + seen, 5000));
    std::string other = Install(dir_.path(), "otherpad.exe");
    KernelHandle otherProcess = StartProgram(other);
    ASSERT_TRUE(otherProcess);
    ASSERT_TRUE(WaitForLine("start " + other, 5000));

    FileRemovalRun run;
    EXPECT_TRUE(RemoveFileEntry(item("readme.txt"), nullptr, nullptr));   // takes the look
    EXPECT_TRUE(Running(seenProcess));
    EXPECT_TRUE(RemoveFileEntry(item("SeenPen.exe.manifest"), nullptr, nullptr));
    EXPECT_TRUE(Ended(seenProcess));
    EXPECT_FALSE(FileThere(removed + "\\SeenPen.exe.manifest"));

    RemovalItem held = item("latepen.exe.log");
    Describe(60000, removed + "\\latepen.exe.log");
    std::string late = Install(dir_.path(), "latepen.exe");
    EXPECT_TRUE(RemoveFileEntry(item("readme2.txt"), nullptr, nullptr));   // a look without it
    KernelHandle lateProcess = StartProgram(late);
    ASSERT_TRUE(lateProcess);
    ASSERT_TRUE(WaitForLine("start " + late, 5000));
    EXPECT_TRUE(RemoveFileEntry(held, nullptr, nullptr));
    EXPECT_TRUE(Ended(lateProcess));
    EXPECT_FALSE(FileThere(removed + "\\latepen.exe.log"));

    EXPECT_TRUE(Running(otherProcess));   // "otherpad.exe" occurs in no removed name
    TerminateProcess(otherProcess.get(), 0);
    Ended(otherProcess);
}

// Driver information files in the Windows INF folders; each case removes what it made.
class OemClassFiles : public ::testing::Test {
protected:
    void SetUp() override {
        inf_ = std::string(WindowsDirectory().c_str()) + "\\INF";
        other_ = inf_ + "\\OTHER";
        madeOther_ = CreateDirectoryA(other_.c_str(), nullptr) != 0;
    }
    void TearDown() override {
        for (const std::string& f : made_) DeleteFileA(f.c_str());
        if (madeOther_) RemoveDirectoryA(other_.c_str());
    }
    std::string Make(const std::string& path, const char* classLine) {
        WriteBytes(path, std::string("[Version]\r\nSignature=\"$Windows NT$\"\r\n") + classLine + "\r\n");
        made_.push_back(path);
        return path;
    }
    std::string inf_, other_;
    bool madeOther_ = false;
    std::vector<std::string> made_;
};

TEST_F(OemClassFiles, OnlyTheClassFilesOfTheMatchingPatternsGo) {
    struct Case { std::string path; const char* classLine; bool deleted; };
    const Case cases[] = {
        {inf_ + "\\oem9101.inf", "Class=ZvTestPen", true},
        {inf_ + "\\OEM9102.INF", "Class = zvtestpen", true},     // case ignored
        {inf_ + "\\oem9103.inf", "Class=Mouse", false},
        {inf_ + "\\oem9104.inf", "Provider=Zorvant", false},     // no class
        {inf_ + "\\zv9105.inf", "Class=ZvTestPen", false},       // not an oem file
        {other_ + "\\zv9106.inf", "Class=ZvTestPen", true},      // every .inf in OTHER
        {other_ + "\\zv9107.inf", "Class=ZvTestPenX", false},
    };
    for (const Case& c : cases) ASSERT_TRUE(FileThere(Make(c.path, c.classLine))) << c.path;
    StrBuf before = CurrentDirectory();
    EXPECT_TRUE(DeleteOemClassFiles("ZvTestPen"));
    for (const Case& c : cases) EXPECT_EQ(c.deleted, !FileThere(c.path)) << c.path;
    EXPECT_EQ(std::string(before.c_str()), CurrentDirectory().c_str());
}

TEST_F(OemClassFiles, WithoutAnOtherFolderTheFirstFolderIsStillCleaned) {
    if (!madeOther_) GTEST_SKIP() << "this machine keeps an INF\\OTHER folder";
    RemoveDirectoryA(other_.c_str());
    madeOther_ = false;
    std::string oem = Make(inf_ + "\\oem9108.inf", "Class=ZvTestPen");
    EXPECT_FALSE(DeleteOemClassFiles("ZvTestPen"));
    EXPECT_FALSE(FileThere(oem));
}
}  // namespace
