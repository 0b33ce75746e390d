// How the menu reads "setup.inf": language suffixes, section variants, item lists, item keys.
#include "launcher/language_suffix.h"
#include "launcher/menu_config.h"
#include "launcher/profile_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(LauncherLanguageSuffix, FollowsTheTableByWholeIdOrPrimaryLanguage) {
    struct Case { unsigned id; const char* suffix; } cases[] = {
        {0x0407, ".deu"}, {0x0807, ".deu"}, {0x0C07, ".deu"},       // German of any country
        {0x0404, ".cht"}, {0x0C04, ".cht"}, {0x1404, ".cht"},
        {0x0804, ".chs"}, {0x1004, ".chs"}, {0x7C04, ""},           // other Chinese ids: none
        {0x0409, ".enu"}, {0x0809, ".enu"}, {0x040C, ".fra"}, {0x0C0A, ".esp"},
        {0x0410, ".ita"}, {0x0411, ".jpn"}, {0x0412, ".kor"}, {0x0415, ".plk"},
        {0x0401, ".ara"}, {0x040B, ".fin"}, {0x0408, ".ell"}, {0x0421, ".ind"},
        {0x0418, ".rom"}, {0x0419, ".rus"}, {0x041D, ".sve"}, {0x041E, ".tha"},
        {0x041F, ".trk"}, {0x043E, ".msl"}, {0x0413, ".nld"}, {0x0414, ".nor"},
        {0x0416, ".ptg"}, {0x0816, ".ptg"},
        {0x040D, ""}, {0x0405, ""}, {0x0000, ""},                  // Hebrew, Czech: plain sections
    };
    for (const Case& c : cases) EXPECT_STREQ(c.suffix, LauncherLanguageSuffixFor(c.id)) << std::hex << c.id;
}

TEST(LauncherMenuSettings, MissingFileGivesTheDefaults) {
    MenuSettings s;
    ReadMenuSettingsFrom(ProfileText(""), ".deu", s);
    EXPECT_EQ(0, s.itemType);
    EXPECT_EQ(16711680u, s.textColorSel);
    EXPECT_EQ(255u, s.textColorDown);
    EXPECT_EQ(50, s.xStart);
    EXPECT_EQ(130, s.yStart);
    EXPECT_EQ(400, s.xEnd);
    EXPECT_EQ(310, s.yEnd);
    EXPECT_EQ(16777215u, s.transparentColor);
    EXPECT_TRUE(s.bkPicture.empty());
    EXPECT_TRUE(ReadItemListFrom(ProfileText(""), ".deu").keys.empty());
}

TEST(LauncherMenuSettings, LanguageSectionOverridesAllSectionKeyByKey) {
    ProfileText ini(
        "[ItemsParameter]\nItemType=2\nBKPicture=plain.bmp\n"
        "[ItemsParameter.all]\nItemType=1\nFontFace=Arial\nFontSize=18\nBKPicture=all.bmp\nTextColor=123\n"
        "[itemsparameter.DEU]\nFontSize=24\nBKPicture=deu.bmp\nFontFace=\n");
    MenuSettings s;
    ReadMenuSettingsFrom(ini, ".deu", s);
    EXPECT_EQ(1, s.itemType);                 // from .all; the plain section is not read
    EXPECT_EQ(24, s.fontSize);
    EXPECT_EQ("deu.bmp", s.bkPicture);
    EXPECT_EQ("Arial", s.fontFace);           // an empty value keeps the earlier one
    EXPECT_EQ(123u, s.textColor);

    MenuSettings plain;
    ReadMenuSettingsFrom(ini, ".fra", plain);  // no ".fra" section: the plain one after ".all"
    EXPECT_EQ(2, plain.itemType);
    EXPECT_EQ("plain.bmp", plain.bkPicture);
    EXPECT_EQ(18, plain.fontSize);
}

TEST(LauncherMenuSettings, NumbersReadLikeProfileIntegers) {
    ProfileText ini("[ItemsParameter]\nxStart=abc\nyStart=-40\nxEnd=12px\nyEnd=99999999999999\nTextColor=16711680\n");
    MenuSettings s;
    ReadMenuSettingsFrom(ini, "", s);
    EXPECT_EQ(0, s.xStart);
    EXPECT_EQ(-40, s.yStart);
    EXPECT_EQ(12, s.xEnd);
    EXPECT_EQ(16711680u, s.textColor);
    EXPECT_EQ(0, ProfileInteger(""));
    EXPECT_EQ(7, ProfileInteger("  +7"));
}

TEST(LauncherMenuSettings, PictureNamesAreCutToTheirBuffer) {
    std::string longName(400, 'p');
    MenuSettings s;
    ReadMenuSettingsFrom(ProfileText("[ItemsParameter]\nBKPicture=" + longName + "\n"), "", s);
    EXPECT_EQ(259u, s.bkPicture.size());
}

TEST(LauncherItemList, AllItemsComeFirstThenTheLanguageOrPlainOnes) {
    ProfileText ini("[Items.all]\nInstall=Install driver\n[Items]\nManual=Read the manual\nQuit=Exit\n"
                    "[Items.deu]\nQuit=Beenden\n");
    ItemList none = ReadItemListFrom(ini, "");
    ASSERT_EQ(3u, none.keys.size());
    EXPECT_EQ("Install", none.keys[0]);
    EXPECT_EQ("Manual", none.keys[1]);
    EXPECT_EQ("Exit", none.texts[2]);

    ItemList german = ReadItemListFrom(ini, ".deu");
    ASSERT_EQ(2u, german.keys.size());
    EXPECT_EQ("Beenden", german.texts[1]);
}

TEST(LauncherItemList, StopsAtTheFirstLineWithoutValue) {
    ItemList list = ReadItemListFrom(
        ProfileText("[Items]\nA=First\nB=Second\nC=\nD=Fourth\n"), "");
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), list.keys);

    ItemList cut;
    AppendItemLines({"A=1", "no equals sign", "B=2"}, cut);
    EXPECT_EQ(1u, cut.keys.size());
}

TEST(LauncherItemList, EmptyItemKeepsItsPlaceAndHidesThePlainSection) {
    ProfileText ini("[Items]\nA=Plain\n[Items.deu]\nEMPTYITEM=x\n");
    ItemList list = ReadItemListFrom(ini, ".deu");
    ASSERT_EQ(1u, list.keys.size());
    EXPECT_EQ("EMPTYITEM", list.keys[0]);
    EXPECT_EQ(" ", list.texts[0]);
    // Only the exact upper-case key is the placeholder.
    ItemList lower;
    AppendItemLines({"emptyitem=Shown"}, lower);
    EXPECT_EQ("Shown", lower.texts[0]);
}

ItemSettings ReadItem(const ProfileText& ini, const std::string& name, const std::string& suffix,
                      bool pictures = false) {
    ItemSettings item;
    for (const std::string& section : SectionVariants(ini, name, suffix, false))
        ReadItemKeys(ini, section, "D:\\medium\\", pictures, item);
    return item;
}

TEST(LauncherItemSection, TypeNamesInAnyCase) {
    EXPECT_EQ(ActionExecuteFile, ReadItem(ProfileText("[Go]\nType=ExecuteFile\n"), "Go", "").action);
    // An unknown type after a known one leaves the item without action.
    EXPECT_EQ(ActionNone, ReadItem(ProfileText("[Go.all]\nType=EXIT\n[Go]\nType=RUN\n"), "Go", "").action);
    EXPECT_EQ(ActionExit, ReadItem(ProfileText("[Quit]\nType=exit\n"), "Quit", "").action);
}

TEST(LauncherItemSection, LanguageSectionGivingOnlyExeKeepsPathAndParameters) {
    ProfileText ini("[Install.all]\nType=EXECUTEFILE\nexe=Instally.exe\npath=Driver\nExeParameter=/S\nxStart=10\n"
                    "[Install.deu]\nexe=InstDeu.exe\n[Install]\nexe=Plain.exe\n");
    ItemSettings item = ReadItem(ini, "Install", ".deu");
    EXPECT_EQ(ActionExecuteFile, item.action);
    EXPECT_EQ("InstDeu.exe", item.exe);
    EXPECT_EQ("Driver", item.path);
    EXPECT_EQ("/S", item.exeParameter);
    EXPECT_EQ(10, item.xStart);
    EXPECT_EQ("Plain.exe", ReadItem(ini, "Install", ".fra").exe);
}

TEST(LauncherItemSection, ActionKeysNeedTheTypeReadBeforeThem) {
    // The ".all" section names a file before any Type is known: it is not kept.
    ProfileText ini("[Run.all]\nexe=Early.exe\n[Run]\nType=EXECUTEFILE\n");
    ItemSettings item = ReadItem(ini, "Run", "");
    EXPECT_EQ(ActionExecuteFile, item.action);
    EXPECT_TRUE(item.exe.empty());
    // Without an EXECUTEFILE type no file is read at all.
    EXPECT_TRUE(ReadItem(ProfileText("[X]\nType=EXIT\nexe=a.exe\n"), "X", "").exe.empty());
}

TEST(LauncherItemSection, ProgramManagerTargetIsBelowTheLauncherDirectory) {
    ItemSettings item = ReadItem(ProfileText("[Docs]\nType=ProgramManager\npath=Manuals\\English\n"), "Docs", "");
    EXPECT_EQ(ActionProgramManager, item.action);
    EXPECT_EQ("D:\\medium\\Manuals\\English", item.targetPath);
    // A language section overriding the path is not appended to the earlier target.
    ProfileText two("[Docs.all]\nType=PROGRAMMANAGER\npath=Manuals\n[Docs.deu]\npath=Handbuch\n");
    EXPECT_EQ("D:\\medium\\Handbuch", ReadItem(two, "Docs", ".deu").targetPath);
}

TEST(LauncherItemSection, PictureNamesOnlyForPictureItems) {
    ProfileText ini("[P]\nPictureUp=up.bmp\nPictureDown=down.bmp\nPictureSel=sel.bmp\n");
    EXPECT_TRUE(ReadItem(ini, "P", "").pictureUp.empty());
    ItemSettings pictures = ReadItem(ini, "P", "", true);
    EXPECT_EQ("up.bmp", pictures.pictureUp);
    EXPECT_EQ("down.bmp", pictures.pictureDown);
    EXPECT_EQ("sel.bmp", pictures.pictureSel);
}

}  // namespace
