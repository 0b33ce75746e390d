// Libraries planted beside the installer on the medium: a rogue copy of the tablet library
// and of the configuration manager stand beside a program that loads them by name.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/handles.h"
#include "tests/fakes/test_support.h"

namespace {
const char OverrideKey[] = "Software\\Wine\\AppDefaults\\planted_probe.exe\\DllOverrides";

class PlantedLibrary : public ::testing::Test {
protected:
    // Wine prefers its own libraries; told to prefer files found on the search path, it
    // searches the program's folder first, as Windows does for a library it does not know.
    static void SetUpTestSuite() {
        RegKey key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, OverrideKey, 0, nullptr, 0, KEY_SET_VALUE,
                                                 nullptr, key.put(), nullptr));
        for (const char* dll : {"cfgmgr32", "wintab32"})
            RegSetValueExA(key.get(), dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
    }
    static void TearDownTestSuite() {
        RegDeleteKeyA(HKEY_CURRENT_USER, OverrideKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\planted_probe.exe");
    }
    void SetUp() override {
        std::string bin = TestBinDirectory();
        ASSERT_TRUE(CopyFileA((bin + "\\planted_probe.exe").c_str(), (dir_ / "planted_probe.exe").c_str(), FALSE));
        for (const char* name : {"WINTAB32.DLL", "Cfgmgr32.dll"})
            ASSERT_TRUE(CopyFileA((bin + "\\rogue.dll").c_str(), (dir_ / name).c_str(), FALSE));
    }
    ProgramRun Probe(const char* how) {
        ProgramRun run = RunProgram("\"" + (dir_ / "planted_probe.exe") + "\" " + how);
        EXPECT_TRUE(run.finished);
        return run;
    }
    bool RogueLoaded() { return FileThere(dir_ / "WINTAB32.DLL.loaded") || FileThere(dir_ / "Cfgmgr32.dll.loaded"); }
    ScratchDir dir_{"planted"};
};

TEST_F(PlantedLibrary, UnrestrictedSearchLoadsTheRogueCopies) {
    // Shows the planting works at all, so that the restricted case below means something.
    ProgramRun run = Probe("open");
    EXPECT_EQ(3u, run.exitCode & 3u);
    EXPECT_TRUE(FileThere(dir_ / "WINTAB32.DLL.loaded"));
    EXPECT_TRUE(FileThere(dir_ / "Cfgmgr32.dll.loaded"));
}

TEST_F(PlantedLibrary, RestrictedSearchLoadsOnlyFromTheSystemDirectory) {
    ProgramRun run = Probe("restricted");
    EXPECT_FALSE(RogueLoaded());
    // The system's own copies are still found where the system installs them.
    EXPECT_EQ(1u | 2u | 4u | 8u, run.exitCode);
}
}  // namespace
