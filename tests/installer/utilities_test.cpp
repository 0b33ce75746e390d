// The Win32 side of the text utilities, against Wine's real files and resources.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/code_page.h"
#include "installer/core/messages.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "resources/resource_ids.h"
#include "tests/fakes/test_support.h"

TEST(ResourceStrings, EnglishTableHoldsTheQuotedTexts) {
    EXPECT_EQ(std::string("Cannot initialize program."), ResString(IDS_CANNOT_INITIALIZE).c_str());
    EXPECT_EQ(std::string("Uninstall"), ResString(IDS_UNINSTALL).c_str());
    EXPECT_EQ(std::string("Setup"), ResString(IDS_SETUP).c_str());
    EXPECT_EQ(std::string("Path %s not existed!  Do you want to create it?"), ResString(IDS_CREATE_PATH).c_str());
    EXPECT_NE(std::string::npos, std::string(ResString(IDS_INSTALL_REBOOT).c_str()).find("\nYou need to reboot"));
    EXPECT_EQ(std::string("The %s directory cannot be created. Enter another directory or try another drive."),
              ResString(IDS_CANNOT_CREATE_FOLDER).c_str());
}

TEST(ResourceStrings, MissingEntryGivesEmptyTextAndZero) {
    StrBuf text("old");
    EXPECT_EQ(0, LoadResString(text, ProgramInstance(), 9999));
    EXPECT_TRUE(text.IsEmpty());
    StrBuf cut;
    EXPECT_EQ(5, LoadResString(cut, ProgramInstance(), IDS_CANNOT_INITIALIZE, 5));
    EXPECT_EQ(std::string("Canno"), cut.c_str());
}

namespace {
StrBuf Formatted(const char* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    StrBuf text = FormatMessageText(pattern, args);
    va_end(args);
    return text;
}
}  // namespace

TEST(Messages, FormattedTextIsCutAt511BytesNeverOverflowing) {
    std::string longPath(2000, 'p');
    StrBuf text = Formatted(ResString(IDS_FILE_NOT_FOUND), longPath.c_str());
    EXPECT_EQ(511, text.Length());
    EXPECT_EQ(0, strncmp(text.c_str(), "The pppp", 8));
    StrBuf drive = Formatted(ResString(IDS_LOW_DISK_SPACE), 'C', 1234L, 5678L);
    EXPECT_EQ(std::string("Drive C: contains 1234K of free disk space. Setup requires a minimum of 5678K. "
                          "Please select another drive."),
              drive.c_str());
}

TEST(Messages, ADoubleByteTextLosesTheCharacterThe511ByteCutWouldSplit) {
    UseCodePage(932);
    std::string name = "ab";
    for (int i = 0; i < 300; ++i) name += "\x95\x5c";   // 表
    StrBuf text = Formatted("%s", name.c_str());
    UseCodePage(1252);
    EXPECT_EQ(510, text.Length());
    EXPECT_EQ(name.substr(0, 510), text.c_str());
}

TEST(Paths, ModuleDirectoryIsTheProgramFolder) {
    StrBuf dir = ModuleDirectory(nullptr);
    EXPECT_EQ(TestBinDirectory(), dir.c_str());
    EXPECT_NE('\\', dir[dir.Length() - 1]);
    EXPECT_FALSE(WindowsDirectory().IsEmpty());
    EXPECT_FALSE(SystemDirectory().IsEmpty());
    EXPECT_FALSE(CurrentDirectory().IsEmpty());
}

TEST(Paths, ShortPathNameOfAnExistingLongName) {
    ScratchDir dir("shortname");
    std::string longName = dir / "A rather long file name.text";
    ASSERT_TRUE(WriteBytes(longName, "x"));
    StrBuf shortName = ShortPathName(longName.c_str());
    EXPECT_FALSE(shortName.IsEmpty());
    EXPECT_TRUE(FileThere(shortName.c_str()));
    EXPECT_TRUE(ShortPathName((dir / "missing.txt").c_str()).IsEmpty());
}

TEST(TempFiles, TempFileInMakesANewEmptyStFile) {
    ScratchDir dir("tempfile");
    StrBuf a = TempFileIn(dir.path().c_str());
    StrBuf b = TempFileIn(dir.path().c_str());
    ASSERT_FALSE(a.IsEmpty());
    EXPECT_NE(std::string(a.c_str()), b.c_str());
    EXPECT_TRUE(FileThere(a.c_str()));
    EXPECT_EQ("", ReadBytes(a.c_str()));
    std::string name = std::string(a.c_str()).substr(dir.path().size() + 1);
    EXPECT_EQ(0u, name.find("ST~"));
    CharUpperA(&name[0]);
    EXPECT_EQ(name.size() - 4, name.rfind(".TMP"));
    EXPECT_TRUE(TempFileIn((dir / "no such folder").c_str()).IsEmpty());
}

TEST(ReplaceIfDifferent, KeepsTargetDeletesEqualNewFile) {
    ScratchDir dir("replace-same");
    std::string big(70000, 'z');   // more than two 30000-byte blocks
    ASSERT_TRUE(WriteBytes(dir / "target", big));
    ASSERT_TRUE(WriteBytes(dir / "new", big));
    EXPECT_TRUE(ReplaceIfDifferent((dir / "target").c_str(), (dir / "new").c_str()));
    EXPECT_FALSE(FileThere(dir / "new"));
    EXPECT_EQ(big, ReadBytes(dir / "target"));
}

TEST(ReplaceIfDifferent, DifferentFilesBothStay) {
    ScratchDir dir("replace-diff");
    ASSERT_TRUE(WriteBytes(dir / "target", std::string(30000, 'a')));
    ASSERT_TRUE(WriteBytes(dir / "new", std::string(30001, 'a')));
    EXPECT_FALSE(ReplaceIfDifferent((dir / "target").c_str(), (dir / "new").c_str()));
    EXPECT_TRUE(FileThere(dir / "new"));
    ASSERT_TRUE(WriteBytes(dir / "new2", std::string(29999, 'a') + "b"));
    EXPECT_FALSE(ReplaceIfDifferent((dir / "target").c_str(), (dir / "new2").c_str()));
    EXPECT_EQ(std::string(30000, 'a'), ReadBytes(dir / "target"));
}

TEST(ReplaceIfDifferent, MissingTargetTakesTheNewFileMissingNewIsFine) {
    ScratchDir dir("replace-missing");
    ASSERT_TRUE(WriteBytes(dir / "new", "copy"));
    EXPECT_TRUE(ReplaceIfDifferent((dir / "target").c_str(), (dir / "new").c_str()));
    EXPECT_EQ("copy", ReadBytes(dir / "target"));
    EXPECT_FALSE(FileThere(dir / "new"));
    EXPECT_TRUE(ReplaceIfDifferent((dir / "target").c_str(), (dir / "gone").c_str()));
    // The program's folder became the current directory.
    EXPECT_EQ(TestBinDirectory(), CurrentDirectory().c_str());
}
