// Start-up facts and the program's own start under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/tree/application.h"
#include "tests/fakes/test_support.h"

TEST(ProcessFacts, OsVersionCodeIsCachedFromGetVersionEx) {
    int code = GetOsVersionCode();
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(static_cast<int>(100 * info.dwMajorVersion + info.dwMinorVersion), code);   // an NT kernel here
    EXPECT_EQ(code, GetOsVersionCode());
}

TEST(ProcessFacts, NativeArchitectureOfThisMachineIsX64) {
    ComputeNativeArchitecture();
    EXPECT_EQ(9, NativeArchitecture());
}

TEST(ProcessFacts, RegisteredMessagesAreTheSystemWide) {
    EXPECT_NE(0u, InstallStatusMessage);
    EXPECT_EQ(InstallStatusMessage, RegisterWindowMessageA("Zorvant_InstallStatus"));
}

class RecordKeyTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteKeyA(HKEY_CLASSES_ROOT, "SetupExt\\StartupProbe"); }
};

TEST_F(RecordKeyTest, ReadableRecordKeyMeansUninstallWithItsFolder) {
    RegKey key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "SetupExt\\StartupProbe", key.put()));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueA(key.get(), nullptr, REG_SZ, "C:\\Tablet", 9));
    EXPECT_EQ(RunUninstallMode, ParseCommandLine("/@SetupExt\\StartupProbe /S"));
    EXPECT_EQ(std::string("C:\\Tablet"), TheApplication().InstallDir().c_str());
    EXPECT_EQ(std::string("SetupExt\\StartupProbe"), UninstallRecordKey().c_str());
    EXPECT_EQ(RunQuitMode, ParseCommandLine("/@SetupExt\\NoSuchProduct"));
    EXPECT_EQ(RunInstallMode, ParseCommandLine("/S /DEV:2"));
    EXPECT_TRUE(TheApplication().settings.silent);
    EXPECT_EQ(2, TheApplication().deviceType);
}

TEST(Program, UnreadableRecordKeyQuitsWithCodeOneAndNoWindow) {
    std::string exe = TestBinDirectory() + "\\Instally.exe";
    ASSERT_TRUE(FileThere(exe));
    ProgramRun run = RunProgram("\"" + exe + "\" /@SetupExt\\NoSuch", 30000);
    ASSERT_TRUE(run.started);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(1u, run.exitCode);
}

TEST(Program, EmptyCommandLineStartsAndEndsWithoutRestart) {
    std::string exe = TestBinDirectory() + "\\Instally.exe";
    ProgramRun run = RunProgram("\"" + exe + "\" /S", 30000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
}
