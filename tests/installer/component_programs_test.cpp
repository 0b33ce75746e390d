// A component runs its own programs from among its files: after installation from where the
// file was installed, at removal from its destination folder; a name that is not one of its
// files runs nothing.
#include <gtest/gtest.h>
#include <windows.h>
#include <sstream>
#include <string>
#include <vector>
#include "installer/run/startup.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

class ComponentPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = RunMode();
        WriteBytes(medium_ / "recorder.txt", "log " + (medium_ / "calls.log") + "\ndelay 0\n");
        SetEnvironmentVariableA("HELPER_RECORDER", (medium_ / "recorder.txt").c_str());
        CopyFileA((TestBinDirectory() + "\\device\\helper_recorder.exe").c_str(), (medium_ / "PENCFG.EXE").c_str(), FALSE);
        WriteBytes(medium_ / "s.inf",
                   "[SrcDirs]\r\n1=.\r\n[DstDirs]\r\n1=Tools\r\n[SetupApps]\r\nPen=Pen,Keys,Files\r\n"
                   "[Keys]\r\nIExeAfter=PENCFG.EXE,Y,N\r\nIExeAfter=NOTAFILE.EXE,Y,N\r\nUExeBefore=PENCFG.EXE,Y,Y\r\n"
                   "UExeAfter=pencfg.exe,Y,N\r\n"
                   "[Files]\r\nSettings,1-1:PENCFG.EXE,1:PENCFG.EXE\r\n[End]\r\n");
    }
    void TearDown() override {
        SetEnvironmentVariableA("HELPER_RECORDER", nullptr);
        SetRunMode(saved_);
    }
    std::vector<std::string> Log() { return Lines(ReadBytes(medium_ / "calls.log")); }

    ScratchDir medium_{"component-programs"};
    ScratchDir target_{"component-programs-target"};
    int saved_ = 0;
};
}  // namespace

TEST_F(ComponentPrograms, AfterInstallTheInstalledFileRunsWithItsArguments) {
    SetRunMode(RunInstallMode);
    Application app;
    app.SetSourceDir(medium_.path().c_str());
    app.SetInstallDir(target_.path().c_str());
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    ASSERT_EQ(1, script->Load((medium_ / "s.inf").c_str()));
    app.Resolve();
    ASSERT_TRUE(app.PrepareDirectories());
    app.RunBeforePrograms();                      // no IExeBefore: nothing starts
    EXPECT_TRUE(Log().empty());
    ASSERT_TRUE(app.InstallWalk(KindFile, nullptr, nullptr));
    app.RunAfterPrograms();
    std::string line = target_ / "Tools\\PENCFG.EXE /Install";
    EXPECT_EQ((std::vector<std::string>{"start " + line, "end " + line}), Log());
}

TEST_F(ComponentPrograms, RemovalRunsFromTheDestinationFolderSilentlyWhenAsked) {
    CreateDirectoryA((target_ / "Tools").c_str(), nullptr);
    CopyFileA((medium_ / "PENCFG.EXE").c_str(), (target_ / "Tools\\PENCFG.EXE").c_str(), FALSE);
    SetRunMode(RunUninstallMode);
    Application app;
    app.SetSourceDir(medium_.path().c_str());
    app.SetInstallDir(target_.path().c_str());
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    SetRunMode(RunInstallMode);   // read the component without a record
    ASSERT_EQ(1, script->Load((medium_ / "s.inf").c_str()));
    SetRunMode(RunUninstallMode);
    app.Resolve();
    app.RunBeforePrograms();
    app.RunAfterPrograms();
    std::string removed = target_ / "Tools\\PENCFG.EXE /SRemoved";
    std::string after = target_ / "Tools\\pencfg.exe /Removed";   // the name as the key gives it
    EXPECT_EQ((std::vector<std::string>{"start " + removed, "end " + removed, "start " + after, "end " + after}), Log());
}
