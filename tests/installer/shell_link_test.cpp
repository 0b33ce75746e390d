// Links written through the shell's link object and read back through it.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/record/shell_link.h"
#include "tests/fakes/test_support.h"

namespace {

class ShellLinkTest : public ::testing::Test {
protected:
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override { CoUninitialize(); }
};
}  // namespace

TEST_F(ShellLinkTest, ProgramLinkCarriesPathDescriptionAndFolder) {
    ScratchDir dir("shell-link");
    std::string target = dir / "PENTOOL.EXE";
    ASSERT_TRUE(WriteBytes(target, "MZ"));
    std::string link = dir / "Pen Tool.LNK";
    ASSERT_TRUE(CreateShellLink(link.c_str(), target.c_str(), "Pen Tool", dir.path().c_str(), nullptr));
    LinkProperties p;
    ASSERT_TRUE(ReadShellLink(link, p));
    EXPECT_EQ(target, p.path);
    EXPECT_EQ("Pen Tool", p.description);
    EXPECT_EQ(dir.path(), p.workingDirectory);
    EXPECT_EQ("", p.arguments);
}

TEST_F(ShellLinkTest, UninstallerLinkNamesTheBareProgramWithTheRecordKey) {
    ScratchDir dir("shell-link-uninstall");
    std::string link = dir / "Uninstall.LNK";
    ASSERT_TRUE(CreateShellLink(link.c_str(), "Instally.EXE", "Uninstall", nullptr, " /@SetupExt\\Tablet"));
    LinkProperties p;
    ASSERT_TRUE(ReadShellLink(link, p));
    EXPECT_NE(std::string::npos, p.path.find("Instally.EXE"));
    EXPECT_EQ(" /@SetupExt\\Tablet", p.arguments);
    EXPECT_EQ("Uninstall", p.description);
    EXPECT_EQ("", p.workingDirectory);
}

TEST_F(ShellLinkTest, ALinkThatCannotBeSavedIsAFailure) {
    ScratchDir dir("shell-link-missing");
    std::string link = dir / "no such folder\\x.LNK";
    EXPECT_FALSE(CreateShellLink(link.c_str(), "C:\\x.exe", "x", nullptr, nullptr));
    EXPECT_FALSE(FileThere(link));
}
