// The [App] section: each key's rule, and the written section read back.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "installer/script/app_section.h"

namespace {

ApplicationSettings Read(const std::string& body, AppSectionHooks hooks = AppSectionHooks(),
                         ApplicationSettings start = ApplicationSettings()) {
    std::string text = "[App]\r\n" + body + "[End]\r\n";
    ReadApplicationSection(ScriptText(text.c_str()), start, hooks, "");
    return start;
}

std::string Written(const ApplicationSettings& s, const char* suffix = "") {
    std::string text;
    for (const StrBuf& line : ApplicationSectionLines(s, "Uninstall", suffix)) text += std::string(line) + "\r\n";
    return text;
}

unsigned Rgb(int r, int g, int b) { return ColourOf(r, g, b); }

}  // namespace

TEST(AppSection, MissingSectionKeepsEveryDefault) {
    ApplicationSettings s = Read("");
    EXPECT_EQ(10, s.appNameDivisor);
    EXPECT_EQ(Rgb(255, 255, 255), s.appNameColour);
    EXPECT_EQ(18, s.logoDivisor);
    EXPECT_EQ(2, s.logoShadowX);
    EXPECT_EQ(1, s.logoShadowY);
    EXPECT_EQ(1, s.commonGroup);
    EXPECT_EQ(Rgb(128, 128, 255), s.bkTop);
    EXPECT_EQ(Rgb(0, 0, 55), s.bkBottom);
    EXPECT_EQ(128, s.bkSteps);
    for (int status : s.bkStatus) EXPECT_EQ(1, status);
}

TEST(AppSection, AppNameFieldGroupsAreReadOnlyWhileTheValueLasts) {
    ApplicationSettings zero = Read("AppName=\"Tablet@ Driver\",0\r\n");
    EXPECT_STREQ("Tablet@ Driver", zero.appName);
    EXPECT_EQ(10, zero.appNameDivisor);
    EXPECT_EQ(Rgb(255, 255, 255), zero.appNameColour);
    EXPECT_EQ(Rgb(0, 0, 0), zero.appNameShadow);
    EXPECT_FALSE(zero.appNamePanel);
    EXPECT_EQ(4, zero.appNameShadowX);
    EXPECT_EQ(4, zero.appNameShadowY);

    // Blue is missing but a colour is read whole: it counts as 0; the shadow stays black.
    ApplicationSettings cut = Read("AppName=text,8,255,255\r\n");
    EXPECT_EQ(8, cut.appNameDivisor);
    EXPECT_EQ(Rgb(255, 255, 0), cut.appNameColour);
    EXPECT_EQ(Rgb(0, 0, 0), cut.appNameShadow);

    ApplicationSettings full = Read("AppName=a,12,1,2,3,4,5,6,Y,7,8\r\n");
    EXPECT_EQ(Rgb(1, 2, 3), full.appNameColour);
    EXPECT_EQ(Rgb(4, 5, 6), full.appNameShadow);
    EXPECT_TRUE(full.appNamePanel);
    EXPECT_EQ(7, full.appNameShadowX);
    EXPECT_EQ(8, full.appNameShadowY);
}

TEST(AppSection, LogoNameHashBecomesASpaceAndZeroDivisorIsEighteen) {
    ApplicationSettings s = Read("LogoName=#,0,10,20,30\r\n");
    EXPECT_STREQ(" ", s.logoName);
    EXPECT_EQ(18, s.logoDivisor);
    EXPECT_EQ(Rgb(10, 20, 30), s.logoColour);
    EXPECT_NE(std::string::npos, Written(s).find("\r\nLogoName=#,18,10,20,30,0,0,0,0,2,1\r\n"));
    EXPECT_STREQ("#Co", Read("LogoName=##Co\r\n").logoName.Mid(1));
}

TEST(AppSection, BkColorWithEmptyValueIsBlackWithTheSameSteps) {
    ApplicationSettings s = Read("BkColor=\r\n");
    EXPECT_EQ(Rgb(0, 0, 0), s.bkTop);
    EXPECT_EQ(Rgb(0, 0, 0), s.bkBottom);
    EXPECT_EQ(128, s.bkSteps);
    ApplicationSettings full = Read("BkColor=1,2,3,4,5,6,64,y\r\n");
    EXPECT_EQ(Rgb(4, 5, 6), full.bkBottom);
    EXPECT_EQ(64, full.bkSteps);
    EXPECT_TRUE(full.bkFrame);
}

TEST(AppSection, BkBmpNameStretchesAndSwitchesStatusOff) {
    ApplicationSettings s = Read("BkBmpName=back.bmp,1,1\r\n");
    EXPECT_EQ(1, s.bkStretch);
    EXPECT_STREQ("back.bmp", s.bkUBmpName);   // the uninstaller shows the same picture
    EXPECT_EQ(1, s.bkStatus[0]);
    EXPECT_EQ(1, s.bkStatus[1]);
    EXPECT_EQ(0, s.bkStatus[2]);
    EXPECT_EQ(0, s.bkStatus[3]);
    ApplicationSettings logoOff = Read("BkUBmpName=u.bmp\r\nBkBmpName=b.bmp,2,0,5\r\n");
    EXPECT_STREQ("u.bmp", logoOff.bkUBmpName);
    EXPECT_EQ(0, logoOff.bkStatus[0]);
    EXPECT_EQ(0, logoOff.bkStatus[1]);
    EXPECT_EQ(1, logoOff.bkStatus[2]);
    ApplicationSettings status = Read("BkStatus=0,1,0\r\nBkStatus=\r\n");
    EXPECT_EQ(0, status.bkStatus[0]);
    EXPECT_EQ(0, status.bkStatus[2]);
    EXPECT_EQ(1, status.bkStatus[3]);
}

TEST(AppSection, ProduceNameFollowsTheGroupUntilGivenItself) {
    ApplicationSettings group = Read("DefPMGroup=Tablet\r\n");
    EXPECT_STREQ("Tablet", group.groupName);
    EXPECT_STREQ("Tablet", group.produceName);
    EXPECT_EQ(1, group.commonGroup);
    EXPECT_EQ(std::string::npos, Written(group).find("ProduceName"));

    ApplicationSettings later = Read("DefPMGroup=Tablet,0\r\nProduceName=Pen\r\n");
    EXPECT_STREQ("Pen", later.produceName);
    EXPECT_EQ(0, later.commonGroup);
    EXPECT_NE(std::string::npos, Written(later).find("\r\nProduceName=\"Pen\"\r\n"));

    ApplicationSettings before = Read("ProduceName=Pen\r\nDefPMGroup=Tablet\r\n");
    EXPECT_STREQ("Pen", before.produceName);
}

TEST(AppSection, ScriptSwitchesSilentOnButNeverOff) {
    ApplicationSettings fromCommandLine;
    fromCommandLine.silent = true;
    EXPECT_TRUE(Read("SilentInstall=N\r\n", AppSectionHooks(), fromCommandLine).silent);
    EXPECT_TRUE(Read("SilentInstall=yes\r\n").silent);
    EXPECT_FALSE(Read("SilentInstall=\r\n").silent);
}

TEST(AppSection, TextKeysFontsFlagsAndHooks) {
    std::vector<std::string> included;
    AppSectionHooks hooks;
    hooks.expandDefaultDir = [](StrBuf& dir) { if (dir == "%Macro%") dir = "C:\\Expanded"; };
    hooks.includeScript = [&](const StrBuf& file) { included.push_back(file.c_str()); };
    ApplicationSettings s = Read("appname=first\r\nAppName=second\r\nCaption=\r\nDefDir=%Macro%\r\n"
                                 "FontAppName=\r\nFontLogoName=Arial,x\r\nEnableNewUI=Y\r\nNoPMInfo=y\r\n"
                                 "DontKeepUninstallInfo=Yes\r\nDirDelete=n\r\nUnInstall=\r\n"
                                 "*include=more.inf,ignored\r\nAppType=Driver package\r\nUnknownKey=1\r\n",
                                 hooks);
    EXPECT_STREQ("second", s.appName);   // the later line wins
    EXPECT_STREQ("C:\\Expanded", s.defaultDir);
    EXPECT_STREQ("", s.fontAppName);
    EXPECT_STREQ("Arial", s.fontLogoName);
    EXPECT_TRUE(s.enableNewUI);
    EXPECT_TRUE(s.noPMInfo);
    EXPECT_TRUE(s.dontKeepUninstallInfo);
    EXPECT_FALSE(s.dirDelete);
    EXPECT_STREQ("", s.uninstallName);
    EXPECT_STREQ("Driver package", s.appType);
    ASSERT_EQ(1u, included.size());
    EXPECT_EQ("more.inf", included[0]);
}

TEST(AppSection, LanguageVariantOverridesTheAllSection) {
    const char* text = "[App.all]\r\nCaption=all\r\nAppType=kept\r\n[App.deu]\r\nCaption=deu\r\n[App]\r\nCaption=plain\r\n[End]\r\n";
    ApplicationSettings s;
    ReadApplicationSection(ScriptText(text), s, AppSectionHooks(), ".deu");
    EXPECT_STREQ("deu", s.caption);
    EXPECT_STREQ("kept", s.appType);
}

TEST(AppSection, WrittenSectionHasItsOrderAndFormats) {
    ApplicationSettings s = Read("AppName=Pen,9\r\nCaption=Pen Setup\r\nDefDir=C:\\Pen\r\nDefPMGroup=Pen,0\r\n"
                                 "LogoBmpName=logo.bmp\r\nLogoBmpMaskName=mask.bmp\r\nUnInstall=Remove\r\n"
                                 "BkBmpName=b.bmp,2\r\nBkUBmpName=B.BMP\r\nFontAppName=Arial\r\n");
    EXPECT_EQ("[App.enu]\r\n"
              "AppName=\"Uninstall\",9,255,255,255,0,0,0,N,4,4\r\n"
              "Caption=\"Uninstall\"\r\n"
              "DefDir=\"C:\\Pen\"\r\n"
              "DefPMGroup=\"Pen\",0\r\n"
              "LogoBmpName=\"logo.bmp\"\r\n"
              "LogoBmpMaskName=\"mask.bmp\"\r\n"
              "UnInstall=\"Remove\"\r\n"
              "DirDelete=N\r\nSilentInstall=N\r\nEnableNewUI=N\r\n"
              "BkBmpName=\"b.bmp\",2\r\n"
              "BkStatus=1,1,1,1\r\n"
              "BkColor=128,128,255,0,0,55,128,N\r\n"
              "FontAppName=\"Arial\"\r\n"
              "\r\n",
              Written(s, ".enu"));
    ApplicationSettings maskOnly;
    maskOnly.logoBmpMaskName = "mask.bmp";
    EXPECT_EQ(std::string::npos, Written(maskOnly).find("LogoBmpMaskName"));
}

// What the uninstaller reads back from a record copy equals what was installed,
// except the name line and caption (the word "Uninstall") and the uninstall picture.
TEST(AppSection, RoundTripKeepsEveryWrittenMember) {
    const char* sections[] = {
        "",
        "AppName=\"Pen, Tablet\",12,1,2,3,4,5,6,Y,7,8\r\nDefPMGroup=Pen Tools,0\r\nProduceName=PenDriver\r\n"
        "LogoName=Company,20,9,8,7,6,5,4,1,3,3\r\nBkColor=10,20,30,40,50,60,32,Y\r\nEnableNewUI=Y\r\n",
        "LogoName=#\r\nBkBmpName=bk.bmp,1,1,1\r\nDefDir=D:\\Tablet\r\nSilentInstall=Y\r\nDirDelete=Y\r\n"
        "FontLogoName=Courier New\r\nUnInstall=Remove Pen\r\nBkUBmpName=other.bmp\r\n",
        "BkUBmpName=ubk.bmp\r\nBkStatus=0,0,1,0\r\nLogoBmpName=l.bmp\r\nLogoBmpMaskName=m.bmp\r\nDefPMGroup=G\r\n",
    };
    for (const char* body : sections) {
        ApplicationSettings first = Read(body);
        std::string written = Written(first);
        ApplicationSettings again;
        again.uninstallName = "start-up default";
        ReadApplicationSection(ScriptText((written + "[End]\r\n").c_str()), again, AppSectionHooks(), "");
        SCOPED_TRACE(body);
        EXPECT_STREQ("Uninstall", again.appName);
        EXPECT_STREQ("Uninstall", again.caption);
        EXPECT_STREQ(first.bkUBmpName, again.bkUBmpName);
        EXPECT_EQ(first.appNameDivisor, again.appNameDivisor);
        EXPECT_EQ(first.appNameColour, again.appNameColour);
        EXPECT_EQ(first.appNameShadow, again.appNameShadow);
        EXPECT_EQ(first.appNamePanel, again.appNamePanel);
        EXPECT_EQ(first.appNameShadowX, again.appNameShadowX);
        EXPECT_EQ(first.appNameShadowY, again.appNameShadowY);
        EXPECT_STREQ(first.produceName, again.produceName);
        EXPECT_STREQ(first.defaultDir, again.defaultDir);
        EXPECT_STREQ(first.groupName, again.groupName);
        EXPECT_EQ(first.commonGroup, again.commonGroup);
        EXPECT_STREQ(first.logoName, again.logoName);
        EXPECT_EQ(first.logoDivisor, again.logoDivisor);
        EXPECT_EQ(first.logoColour, again.logoColour);
        EXPECT_EQ(first.logoShadow, again.logoShadow);
        EXPECT_EQ(first.logoPanel, again.logoPanel);
        EXPECT_EQ(first.logoShadowX, again.logoShadowX);
        EXPECT_EQ(first.logoShadowY, again.logoShadowY);
        EXPECT_STREQ(first.logoBmpName, again.logoBmpName);
        EXPECT_STREQ(first.logoBmpMaskName, again.logoBmpMaskName);
        EXPECT_STREQ(first.uninstallName, again.uninstallName);
        EXPECT_STREQ(first.bkBmpName, again.bkBmpName);
        EXPECT_EQ(first.bkStretch, again.bkStretch);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(first.bkStatus[i], again.bkStatus[i]);
        EXPECT_EQ(first.bkTop, again.bkTop);
        EXPECT_EQ(first.bkBottom, again.bkBottom);
        EXPECT_EQ(first.bkSteps, again.bkSteps);
        EXPECT_EQ(first.bkFrame, again.bkFrame);
        EXPECT_STREQ(first.fontAppName, again.fontAppName);
        EXPECT_STREQ(first.fontLogoName, again.fontLogoName);
        EXPECT_EQ(first.silent, again.silent);
        EXPECT_EQ(first.dirDelete, again.dirDelete);
        EXPECT_EQ(first.enableNewUI, again.enableNewUI);
    }
}
