// "setup.inf" through the Windows private-profile functions: the same reading rules
// must give what they give over parsed text, and large files stay bounded.
#include "launcher/menu_config.h"
#include "launcher/profile_file.h"
#include "launcher/profile_text.h"
#include "tests/launcher/launcher_test_support.h"

#include <gtest/gtest.h>

namespace {

void ExpectSameSettings(const MenuSettings& a, const MenuSettings& b) {
    EXPECT_EQ(a.itemType, b.itemType);
    EXPECT_EQ(a.itemFormat, b.itemFormat);
    EXPECT_EQ(a.textColor, b.textColor);
    EXPECT_EQ(a.textColorSel, b.textColorSel);
    EXPECT_EQ(a.fixedPosition, b.fixedPosition);
    EXPECT_EQ(a.xStart, b.xStart);
    EXPECT_EQ(a.yStart, b.yStart);
    EXPECT_EQ(a.xEnd, b.xEnd);
    EXPECT_EQ(a.yEnd, b.yEnd);
    EXPECT_EQ(a.bkPicture, b.bkPicture);
    EXPECT_EQ(a.fontFace, b.fontFace);
    EXPECT_EQ(a.fontSize, b.fontSize);
    EXPECT_EQ(a.fontItalic, b.fontItalic);
    EXPECT_EQ(a.transparentColor, b.transparentColor);
    EXPECT_EQ(a.transparentPicture, b.transparentPicture);
}

void ExpectSameItem(const ItemSettings& a, const ItemSettings& b) {
    EXPECT_EQ(a.action, b.action);
    EXPECT_EQ(a.exe, b.exe);
    EXPECT_EQ(a.path, b.path);
    EXPECT_EQ(a.exeParameter, b.exeParameter);
    EXPECT_EQ(a.targetPath, b.targetPath);
    EXPECT_EQ(a.xStart, b.xStart);
    EXPECT_EQ(a.yStart, b.yStart);
    EXPECT_EQ(a.pictureUp, b.pictureUp);
    EXPECT_EQ(a.pictureSel, b.pictureSel);
}

ItemSettings ReadItem(const ProfileSource& source, const std::string& name, const std::string& suffix) {
    ItemSettings item;
    for (const std::string& section : SectionVariants(source, name, suffix, false))
        ReadItemKeys(source, section, "C:\\m\\", true, item);
    return item;
}

TEST(LauncherSetupInf, ProfileFunctionsAndParsedTextAgree) {
    const char* files[] = {
        "[ItemsParameter.all]\r\nItemType=1\r\nFontFace=Arial\r\nxStart=7\r\nTextColor=16711680\r\n"
        "[ItemsParameter.DEU]\r\nFontFace=\r\nxStart=9\r\nBKPicture=back.jpg\r\n[ItemsParameter]\r\nyStart=1\r\n"
        "[Items.all]\r\nSetup=Installieren\r\n[Items]\r\nPlain=Plain\r\n[Items.deu]\r\nEMPTYITEM=x\r\nQuit=Ende\r\nB=\r\nC=c\r\n"
        "[Setup.all]\r\nType=ExecuteFile\r\nexe=a.exe\r\npath=Driver\r\nExeParameter=/S\r\n[Setup.deu]\r\nexe=b.exe\r\n"
        "[Quit]\r\ntype=programmanager\r\npath=Docs\r\nPictureUp=u.bmp\r\n",
        "; a comment\r\n[itemsparameter]\r\n  ItemFormat = 2 \r\nyEnd=abc\r\nTransparentPicture=1\r\n"
        "[ITEMS]\r\nOne=First item\r\nTwo=Second=with equals\r\n[One]\r\nType=EXIT\r\nxStart=-3\r\n",
        "",
    };
    ScratchDir dir("setup-inf");
    for (const char* text : files) {
        WriteBytes(dir / "setup.inf", text);
        ProfileFile file(dir / "setup.inf");
        ProfileText parsed(text);
        for (const char* suffix : {"", ".deu", ".fra"}) {
            SCOPED_TRACE(std::string(text).substr(0, 40) + " suffix " + suffix);
            MenuSettings fromFile, fromText;
            ReadMenuSettingsFrom(file, suffix, fromFile);
            ReadMenuSettingsFrom(parsed, suffix, fromText);
            ExpectSameSettings(fromText, fromFile);
            ItemList listFile = ReadItemListFrom(file, suffix), listText = ReadItemListFrom(parsed, suffix);
            EXPECT_EQ(listText.keys, listFile.keys);
            EXPECT_EQ(listText.texts, listFile.texts);
            for (const std::string& key : listText.keys) ExpectSameItem(ReadItem(parsed, key, suffix), ReadItem(file, key, suffix));
        }
    }
    // The German run of the first file, spelled out.
    WriteBytes(dir / "setup.inf", files[0]);
    ProfileFile german(dir / "setup.inf");
    MenuSettings s;
    ReadMenuSettingsFrom(german, ".deu", s);
    EXPECT_EQ("Arial", s.fontFace);
    EXPECT_EQ(9, s.xStart);
    EXPECT_EQ(130, s.yStart);
    ItemList list = ReadItemListFrom(german, ".deu");
    EXPECT_EQ((std::vector<std::string>{"Setup", "EMPTYITEM", "Quit"}), list.keys);
    ItemSettings setup = ReadItem(german, "Setup", ".deu");
    EXPECT_EQ("b.exe", setup.exe);
    EXPECT_EQ("Driver", setup.path);
}

TEST(LauncherSetupInf, HugeSectionsAndValuesStayWithinTheirBuffers) {
    ScratchDir dir("setup-inf-huge");
    std::string text = "[ItemsParameter]\r\nFontFace=" + std::string(5000, 'f') + "\r\nBKPicture=" +
                       std::string(1000, 'b') + "\r\n[Items]\r\n";
    for (int i = 0; i < 3000; ++i) text += "Item" + std::to_string(i) + "=Text number " + std::to_string(i) + "\r\n";
    WriteBytes(dir / "setup.inf", text);
    ProfileFile file(dir / "setup.inf");
    MenuSettings s;
    ReadMenuSettingsFrom(file, "", s);
    EXPECT_EQ(1023u, s.fontFace.size());
    EXPECT_EQ(259u, s.bkPicture.size());
    ItemList list = ReadItemListFrom(file, "");
    EXPECT_GT(list.keys.size(), 500u);
    EXPECT_LT(list.keys.size(), 3000u);   // at most 32766 characters of the section
    EXPECT_EQ("Text number 0", list.texts.front());
    EXPECT_EQ(list.keys.size(), list.texts.size());
}

}  // namespace
