// Program shortcuts in the group folder and the special folders, read back through the
// shell's link object; links of files that were never installed are not made.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/core/system_paths.h"
#include "installer/record/program_group.h"
#include "installer/registry/well_known_locations.h"
#include "tests/fakes/test_support.h"

namespace {

std::string Special(int csidl) {
    StrBuf path;
    GetSpecialFolderPath(nullptr, csidl, path);
    return path.c_str();
}

class ProgramGroupTest : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override {
        for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) RemoveTree(Special(csidl) + "\\Group Probe");
        for (int csidl : {CSIDL_STARTUP, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_STARTUP, CSIDL_COMMON_DESKTOPDIRECTORY})
            DeleteFileA((Special(csidl) + "\\Group Probe Link.LNK").c_str());
        CoUninitialize();
    }
};
}  // namespace

TEST_F(ProgramGroupTest, LinksGoWhereTheirFolderCodeSays) {
    ScratchDir installed("group-installed");
    std::string group = std::string(ProgramGroupFolder("Group Probe\\Nested", false).c_str());
    EXPECT_EQ(Special(CSIDL_PROGRAMS) + "\\Group Probe\\Nested", group);
    EXPECT_EQ(Special(CSIDL_COMMON_PROGRAMS) + "\\Group Probe", std::string(ProgramGroupFolder("Group Probe", true).c_str()));
    ASSERT_TRUE(EnterOrCreateFolder(group.c_str()));
    EXPECT_EQ(group, std::string(CurrentDirectory().c_str()));

    struct { int code; std::string folder; } rows[] = {
        {0, group}, {7, group},
        {-2, Special(CSIDL_STARTUP)}, {-3, Special(CSIDL_DESKTOPDIRECTORY)},
        {-4, Special(CSIDL_COMMON_STARTUP)}, {-5, Special(CSIDL_COMMON_DESKTOPDIRECTORY)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.code);
        ShortcutLine line = ParseShortcutLine(("PEN.EXE,Group Probe Link," + std::to_string(r.code)).c_str());
        ASSERT_TRUE(CreateShortcutLink(line, installed.path().c_str(), "PEN.EXE"));
        EXPECT_EQ(group, std::string(CurrentDirectory().c_str()));   // the group stays current
        LinkProperties link;
        ASSERT_TRUE(ReadShellLink(r.folder + "\\Group Probe Link.LNK", link));
        EXPECT_EQ(installed / "PEN.EXE", link.path);
        EXPECT_EQ("Group Probe Link", link.description);
        EXPECT_EQ(installed.path(), link.workingDirectory);
        EXPECT_EQ("", link.arguments);
        EXPECT_TRUE(RemoveShortcutLink(line));
        EXPECT_FALSE(FileThere(r.folder + "\\Group Probe Link.LNK"));
        EXPECT_TRUE(RemoveShortcutLink(line));   // already gone: still fine
    }
}

TEST_F(ProgramGroupTest, NoLinkForCodeMinusOneOrAFileNeverInstalled) {
    std::string group = Special(CSIDL_PROGRAMS) + "\\Group Probe";
    ASSERT_TRUE(EnterOrCreateFolder(group.c_str()));
    EXPECT_TRUE(CreateShortcutLink(ParseShortcutLine("PEN.EXE,Group Probe Link,-1"), "C:\\x", "PEN.EXE"));
    EXPECT_TRUE(CreateShortcutLink(ParseShortcutLine("PEN.EXE,Group Probe Link,0"), "", "PEN.EXE"));
    EXPECT_FALSE(FileThere(group + "\\Group Probe Link.LNK"));
}

TEST_F(ProgramGroupTest, UninstallerLinkRemovalTakesEmptyNestedGroupsOnly) {
    std::string programs = Special(CSIDL_PROGRAMS);
    std::string group = programs + "\\Group Probe\\Nested";
    std::string uninstaller = programs + "\\Group Probe\\Instally.EXE";
    ASSERT_TRUE(CreateUninstallShortcutIn(group.c_str(), "Uninstall", "Group Probe", uninstaller.c_str()));
    LinkProperties link;
    ASSERT_TRUE(ReadShellLink(group + "\\Uninstall.LNK", link));
    EXPECT_EQ(uninstaller, link.path);
    EXPECT_EQ(" /@SetupExt\\Group Probe", link.arguments);
    EXPECT_EQ("Uninstall", link.description);
    // A file the user put into the outer group keeps that folder.
    ASSERT_TRUE(WriteBytes(programs + "\\Group Probe\\notes.txt", "mine"));
    RemoveUninstallShortcutIn(programs.c_str(), "Group Probe\\Nested", "Uninstall");
    EXPECT_FALSE(FileThere(group));
    EXPECT_TRUE(FileThere(programs + "\\Group Probe\\notes.txt"));
    // With the link already gone the group is left alone.
    ASSERT_TRUE(CreateDirectoryA(group.c_str(), nullptr));
    RemoveUninstallShortcutIn(programs.c_str(), "Group Probe\\Nested", "Uninstall");
    EXPECT_TRUE(FileThere(group));
}

TEST_F(ProgramGroupTest, UninstallerLinkOfAnEmptyGroupNameGoesAgainAndLeavesTheProgramsFolder) {
    std::string programs = Special(CSIDL_PROGRAMS);
    std::string link = programs + "\\Group Probe Link.LNK";
    ASSERT_TRUE(CreateUninstallShortcutIn(ProgramGroupFolder("", false).c_str(), "Group Probe Link", "Group Probe",
                                          "C:\\windows\\Instally.EXE"));
    ASSERT_TRUE(FileThere(link));
    RemoveUninstallShortcutIn(programs.c_str(), "", "Group Probe Link");
    EXPECT_FALSE(FileThere(link));
    EXPECT_TRUE(FileThere(programs));
    DeleteFileA(link.c_str());
}
