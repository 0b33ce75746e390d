// Libraries planted beside the installer on the medium: rogue copies of the tablet library,
// the configuration manager, and the version and LZ libraries the installer imports stand
// beside a program that loads them, and beside a copy of the installer itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "tests/fakes/test_support.h"

namespace {
const char* const kPrograms[] = {"planted_probe", "planted_static_probe", "InstallyCopy", "StartupCopy"};
const char* const kPlanted[] = {"WINTAB32.DLL", "Cfgmgr32.dll", "version.dll", "lz32.dll"};

// Wine's own user32 imports the version library, and Wine, told to prefer planted copies of
// it, would take one for user32 too (Windows resolves a known library's imports among the
// known libraries): beside the installer, whose windows need user32, only the LZ library is
// preferred from the program's folder.
std::vector<const char*> OverriddenFor(const char* program) {
    std::string name(program);
    if (name == "InstallyCopy" || name == "StartupCopy") return {"cfgmgr32", "wintab32", "lz32"};
    return {"cfgmgr32", "wintab32", "version", "lz32"};
}

// The copies are named after this test process, so that tests running at the same time do not
// take back each other's settings.
std::string Copy(const char* program) {
    return std::string(program) + "_" + std::to_string(GetCurrentProcessId()) + ".exe";
}
std::string AppDefaults(const char* program) { return "Software\\Wine\\AppDefaults\\" + Copy(program); }

class PlantedLibrary : public ::testing::Test {
protected:
    // Wine prefers its own libraries; told to prefer files found on the search path, it
    // searches the program's folder first, as Windows does for a library it does not know.
    void SetUp() override {
        for (const char* program : kPrograms) {
            RegKey key;
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, (AppDefaults(program) + "\\DllOverrides").c_str(),
                                                     0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr));
            for (const char* dll : OverriddenFor(program))
                RegSetValueExA(key.get(), dll, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
        }
        std::string bin = TestBinDirectory();
        const char* sources[] = {"planted_probe.exe", "planted_static_probe.exe", "Instally.exe"};
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(CopyFileA((bin + "\\" + sources[i]).c_str(), (dir_ / Copy(kPrograms[i])).c_str(), FALSE));
        for (const char* name : kPlanted)
            ASSERT_TRUE(CopyFileA((bin + "\\rogue.dll").c_str(), (dir_ / name).c_str(), FALSE));
    }
    void TearDown() override {
        for (const char* program : kPrograms) RegDeleteTreeA(HKEY_CURRENT_USER, AppDefaults(program).c_str());
    }
    ProgramRun Probe(const char* how) {
        ProgramRun run = RunProgram("\"" + (dir_ / Copy("planted_probe")) + "\" " + how);
        EXPECT_TRUE(run.finished);
        return run;
    }
    std::string RogueLoaded() {
        std::string loaded;
        for (const char* name : kPlanted)
            if (FileThere(dir_ / (std::string(name) + ".loaded"))) loaded += std::string(name) + " ";
        return loaded;
    }
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
    EXPECT_EQ("", RogueLoaded());
    // The system's own copies are still found where the system installs them, and the
    // libraries imported on first use work and come from there too.
    EXPECT_EQ(1u | 2u | 4u | 8u | 16u | 32u, run.exitCode);
}

TEST_F(PlantedLibrary, SystemLibrariesAreLoadedBeforeRedirectionGoesOff) {
    // A 32-bit installer on 64-bit Windows loading a system library after redirection went off
    // would be handed the 64-bit copy: the ones it uses later are loaded first, from the system
    // directory, and the tablet library with redirection back on around its load. (A folder
    // of its own without a version library: Wine names its own copy after a file it finds
    // beside the program, which would hide where it really came from.)
    std::string folder = dir_ / "startup";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string program = folder + "\\" + Copy("StartupCopy");
    ASSERT_TRUE(CopyFileA((TestBinDirectory() + "\\startup_probe.exe").c_str(), program.c_str(), FALSE));
    for (const char* name : {"WINTAB32.DLL", "Cfgmgr32.dll", "lz32.dll"})
        ASSERT_TRUE(CopyFileA((TestBinDirectory() + "\\rogue.dll").c_str(), (folder + "\\" + name).c_str(), FALSE));
    ProgramRun run = RunProgram("\"" + program + "\"");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(64u | 128u, run.exitCode);
    for (const std::string& entry : FolderEntries(folder)) EXPECT_EQ(std::string::npos, entry.find(".loaded")) << entry;
}

TEST_F(PlantedLibrary, UsualImportsAreLoadedFromBesideTheProgram) {
    // Why the installer imports the version and LZ libraries on first use: imported the usual
    // way, a planted copy is loaded before the program's first line could limit the search.
    ProgramRun run = RunProgram("\"" + (dir_ / Copy("planted_static_probe")) + "\"");
    EXPECT_TRUE(run.finished);
    EXPECT_TRUE(FileThere(dir_ / "version.dll.loaded"));
}

TEST_F(PlantedLibrary, TheInstallerLoadsNoneOfThePlantedCopies) {
    // A removal of a product that is not there: the installer starts, reads its command line
    // and the registry, and ends at once with nothing to do. Imported the usual way, the LZ
    // library's planted copy would have been loaded before its first line.
    ProgramRun run = RunProgram("\"" + (dir_ / Copy("InstallyCopy")) + "\" /@SetupExt\\ZvNoSuchProduct");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ("", RogueLoaded());
}
}  // namespace
