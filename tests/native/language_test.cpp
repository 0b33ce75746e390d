#include <gtest/gtest.h>
#include <string>
#include "installer/core/language.h"
#include "installer/core/os_version.h"

TEST(Language, SuffixTableIsScannedInOrderWithFullIdsFirst) {
    struct { int id; const char* suffix; } cases[] = {
        {0x0409, ".enu"}, {0x0809, ".enu"}, {0x0407, ".deu"}, {0x0807, ".deu"}, {0x040C, ".fra"},
        {0x0404, ".cht"}, {0x0C04, ".cht"}, {0x1404, ".cht"}, {0x0804, ".chs"}, {0x1004, ".chs"},
        {0x7C04, ""},     // another Chinese: no suffix
        {0x0416, ".bra"}, {0x0816, ".ptg"}, {0x0411, ".jpn"}, {0x0412, ".kor"}, {0x0419, ".rus"},
        {0x0401, ".ara"}, {0x0C01, ".ara"}, {0x040A, ".esp"}, {0x0C0A, ".esp"}, {0x0413, ".nld"},
        {0x0415, ".plk"}, {0x0408, ".ell"}, {0x040D, ""},  /* Hebrew */  {0x0422, ".urk"},
        {0x043F, ".kzk"}, {0x043E, ".msl"}, {0x0405, ".czc"}, {0x041E, ".tha"}, {0x041F, ".trk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(std::string(c.suffix), LanguageSuffixFor(c.id));
    }
}

TEST(Language, ThreadLanguageIsThePrimaryLanguageWithDefaultSublanguage) {
    EXPECT_EQ(1028, ThreadLanguageFor(2052));   // Chinese PRC reads the 1028 resources
    EXPECT_EQ(1046, ThreadLanguageFor(2070));   // Portuguese of Portugal reads the 1046 resources
    EXPECT_EQ(1031, ThreadLanguageFor(0x0807));
    EXPECT_EQ(1033, ThreadLanguageFor(1033));
}

TEST(Language, FontCharsetFollowsChineseScriptAndJapanese) {
    EXPECT_EQ(136, FontCharsetFor(0x0404));
    EXPECT_EQ(136, FontCharsetFor(0x0C04));
    EXPECT_EQ(136, FontCharsetFor(0x1404));
    EXPECT_EQ(134, FontCharsetFor(0x0804));
    EXPECT_EQ(134, FontCharsetFor(0x1004));
    EXPECT_EQ(1, FontCharsetFor(0x7C04));
    EXPECT_EQ(128, FontCharsetFor(0x0411));
    EXPECT_EQ(1, FontCharsetFor(0x0409));
    EXPECT_EQ(1, FontCharsetFor(0x0419));
}

TEST(OsVersion, CodesOfBothFamilies) {
    EXPECT_EQ(200, OsVersionCodeFor(true, 1, 4, 0));    // Windows 95
    EXPECT_EQ(210, OsVersionCodeFor(true, 1, 4, 10));   // 98
    EXPECT_EQ(290, OsVersionCodeFor(true, 1, 4, 90));   // Me
    EXPECT_EQ(400, OsVersionCodeFor(true, 2, 4, 0));
    EXPECT_EQ(501, OsVersionCodeFor(true, 2, 5, 1));
    EXPECT_EQ(601, OsVersionCodeFor(true, 2, 6, 1));
    EXPECT_EQ(0, OsVersionCodeFor(true, 0, 3, 10));     // Win32s
    EXPECT_EQ(0, OsVersionCodeFor(false, 2, 6, 1));
}

TEST(OsVersion, NativeArchitectureNeedsTheWow64Query) {
    EXPECT_EQ(0, NativeArchitectureFrom(false, false, 9));   // Windows 95 to 2000
    EXPECT_EQ(0, NativeArchitectureFrom(true, false, 9));
    EXPECT_EQ(9, NativeArchitectureFrom(true, true, 9));
    EXPECT_EQ(6, NativeArchitectureFrom(true, true, 6));
    EXPECT_EQ(0, NativeArchitectureFrom(true, true, 0));
    EXPECT_EQ(0xFFFF, NativeArchitectureFrom(true, true, 0x1FFFF));   // low 16 bits
}

TEST(Language, ASuffixTableIsReadFromTheTopByWholeIdOrPrimaryLanguage) {
    const LanguageSuffixRow rows[] = {{0x0C04, ".hk"}, {0x04, ".zh"}, {0x0404, ".tw"}, {0x09, ".en"}};
    const size_t count = sizeof rows / sizeof rows[0];
    EXPECT_STREQ(".hk", SuffixFromTable(rows, count, 0x0C04));   // the whole id, first
    EXPECT_STREQ(".zh", SuffixFromTable(rows, count, 0x0404));   // a primary row above the full one wins
    EXPECT_STREQ(".en", SuffixFromTable(rows, count, 0x0809));
    EXPECT_STREQ("", SuffixFromTable(rows, count, 0x0407));
    EXPECT_STREQ("", SuffixFromTable(rows, 0, 0x0409));
}
