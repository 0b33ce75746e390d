// The application node under Wine: loading for install and from a record, the
// component accessors, and the closing step of both runs.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/registry/registry_keys.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {

std::string Str(const StrBuf& text) { return text.c_str(); }

std::string KeyDefault(const char* path) {
    char value[300] = "";
    LONG size = sizeof value;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, path, value, &size) != ERROR_SUCCESS) return "<missing>";
    return value;
}

bool KeyThere(const char* path) {
    RegKey key;
    return RegOpenKeyA(HKEY_CLASSES_ROOT, path, key.put()) == ERROR_SUCCESS;
}

void SetKeyDefault(const std::string& path, const std::string& value) {
    RegSetValueA(HKEY_CLASSES_ROOT, path.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

// The global application, fresh for each test and left empty afterwards.
class GlobalApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { savedMode_ = RunMode(); TheApplication().Reset(); }
    void TearDown() override {
        TheApplication().Reset();
        SetRunMode(savedMode_);
        DeleteKeyTree(HKEY_CLASSES_ROOT, "SetupExt\\AppProbe");
    }
    int savedMode_ = 0;
};

const char* kMainScript =
    "[App]\r\nCaption=Pen Setup\r\nDefPMGroup=AppProbe\r\nBkBmpName=bk.bmp\r\nLogoBmpName=logo.bmp\r\n"
    "*include=extra.inf\r\n"
    "[Disks]\r\n1=Disk\r\n[SetupApps]\r\nDriver=Drv,DrvKeys\r\nTools=Tls\r\n[End]\r\n";

}  // namespace

TEST_F(GlobalApplicationTest, InstallLoadReadsTheScriptThenItsAppSectionAndIncludes) {
    ScratchDir dir("appload");
    ASSERT_TRUE(WriteBytes(dir / "main.inf", kMainScript));
    ASSERT_TRUE(WriteBytes(dir / "extra.inf", "[App]\r\nCaption=never read\r\n[Disks]\r\n2=Extra\r\n"
                                              "[SetupApps]\r\nExtra=Ext\r\n[End]\r\n"));
    Application& app = TheApplication();
    app.SetSourceDir(dir.path().c_str());
    ASSERT_EQ(1, app.Load((dir / "main.inf").c_str(), true));
    EXPECT_EQ(Str(StrBuf((dir / "main.inf").c_str())), Str(app.LoadedFrom()));
    EXPECT_EQ("Pen Setup", Str(app.settings.caption));
    EXPECT_EQ("AppProbe", Str(app.settings.produceName));
    EXPECT_EQ("AppProbe", Str(app.GroupName()));
    ASSERT_EQ(3, app.Count(KindComponent));
    EXPECT_EQ("Extra", Str(app.ComponentName(2)));
    EXPECT_EQ("Extra", Str(app.ScriptAt(0)->FindDisk(2)->label));

    // Accessors by position; positions without a component read as empty.
    EXPECT_TRUE(app.ComponentEnabled(0));
    EXPECT_TRUE(app.SetComponentEnabled(0, false));
    EXPECT_FALSE(app.SetComponentEnabled(0, true));
    EXPECT_TRUE(app.ComponentOffered(1));
    EXPECT_EQ(0, app.ComponentSpaceNeeded(1));
    EXPECT_EQ(0, app.ComponentDeviceType(1));
    EXPECT_EQ("", Str(app.ComponentName(3)));
    EXPECT_EQ("", Str(app.ComponentName(-1)));
    EXPECT_FALSE(app.ComponentEnabled(3));
    EXPECT_FALSE(app.SetComponentEnabled(7, true));
    EXPECT_EQ(0, app.ComponentSpaceNeeded(9));
}

TEST_F(GlobalApplicationTest, ScriptsWithoutComponentsAreDropped) {
    ScratchDir dir("appempty");
    ASSERT_TRUE(WriteBytes(dir / "empty.inf", "[App]\r\nCaption=Nothing\r\n[Disks]\r\n1=Disk\r\n[End]\r\n"));
    Application& app = TheApplication();
    EXPECT_EQ(0, app.Load((dir / "empty.inf").c_str(), true));
    EXPECT_EQ("Nothing", Str(app.settings.caption));
    EXPECT_EQ(0, app.Load((dir / "missing.inf").c_str(), true));
    EXPECT_EQ(0, app.ChildCount());
}

TEST_F(GlobalApplicationTest, UninstallLoadKeepsRecordedScriptsAndComponents) {
    ScratchDir dir("appuninst");
    ASSERT_TRUE(WriteBytes(dir / "first.tmp", "[App]\r\nCaption=First\r\n[SetupApps]\r\nDriver=Drv\r\nTools=Tls\r\n[End]\r\n"));
    ASSERT_TRUE(WriteBytes(dir / "second.tmp", "[App]\r\nCaption=Second\r\n[SetupApps]\r\nExtra=Ext\r\n[End]\r\n"));
    ASSERT_TRUE(WriteBytes(dir / "unrecorded.tmp", "[SetupApps]\r\nGone=Gone\r\n[End]\r\n"));
    SetKeyDefault("SetupExt\\AppProbe", "C:\\Pen");
    // Slot INFNAME names a copy whose components have no record: it is skipped, and the
    // [App] section comes from the first copy kept.
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME", dir / "unrecorded.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME01", dir / "first.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME01\\AppDrv", "Driver");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME01\\PATH", "C:\\Pen\\Drivers");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME01\\GroupName", "Pen Group");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME02", dir / "missing.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME99", dir / "second.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME99\\AppExt", "Extra");

    SetRunMode(RunUninstallMode);
    Application& app = TheApplication();
    ASSERT_EQ(2, app.Load("SetupExt\\AppProbe", false));
    EXPECT_EQ("First", Str(app.settings.caption));
    ASSERT_EQ(2, app.Count(KindComponent));
    EXPECT_EQ("Driver", Str(app.ComponentName(0)));   // Tools has no record
    EXPECT_EQ("Extra", Str(app.ComponentName(1)));
    SetupScript* first = app.ScriptAt(0);
    EXPECT_EQ("SetupExt\\AppProbe\\INFNAME01", Str(first->RecordKey()));
    EXPECT_EQ("C:\\Pen\\Drivers", Str(first->InstallDir()));
    EXPECT_EQ("Pen Group", Str(first->GroupName()));
    EXPECT_TRUE(static_cast<Component*>(app.GetAt(0, KindComponent))->recorded);

    TheApplication().Reset();
    EXPECT_EQ(0, TheApplication().Load("SetupExt\\NoSuchProbe", false));
}

TEST_F(GlobalApplicationTest, FinishedInstallRecordsTheFolderAndCopiesThePictures) {
    ScratchDir medium("appmedium");
    ScratchDir target("apptarget");
    ASSERT_TRUE(WriteBytes(medium / "main.inf", kMainScript));
    ASSERT_TRUE(WriteBytes(medium / "extra.inf", "[End]\r\n"));
    ASSERT_TRUE(WriteBytes(medium / "bk.bmp", "BM-background"));
    ASSERT_TRUE(WriteBytes(medium / "logo.bmp", "BM-logo"));
    SetRunMode(RunInstallMode);
    Application& app = TheApplication();
    app.SetSourceDir(medium.path().c_str());
    ASSERT_EQ(1, app.Load((medium / "main.inf").c_str(), true));
    app.SetInstallDir(target.path().c_str());
    FinishApplication();
    EXPECT_EQ(target.path(), KeyDefault("SetupExt\\AppProbe"));
    EXPECT_EQ("BM-background", ReadBytes(target / "bk.bmp"));   // the uninstaller's picture
    EXPECT_EQ("BM-logo", ReadBytes(target / "logo.bmp"));
}

TEST_F(GlobalApplicationTest, DontKeepUninstallInfoRecordsNothing) {
    ScratchDir medium("appnokeep");
    ASSERT_TRUE(WriteBytes(medium / "main.inf", std::string(kMainScript).replace(6, 0, "DontKeepUninstallInfo=Y\r\n")));
    ASSERT_TRUE(WriteBytes(medium / "bk.bmp", "BM"));
    SetRunMode(RunInstallMode);
    Application& app = TheApplication();
    app.SetSourceDir(medium.path().c_str());
    ASSERT_EQ(1, app.Load((medium / "main.inf").c_str(), true));
    ASSERT_TRUE(app.settings.dontKeepUninstallInfo);
    app.SetInstallDir((medium / "target").c_str());
    FinishApplication();
    EXPECT_FALSE(KeyThere("SetupExt\\AppProbe"));
    EXPECT_FALSE(FileThere(medium / "target\\bk.bmp"));
}

TEST_F(GlobalApplicationTest, WithoutAProductNameNoRecordIsWrittenButPicturesAre) {
    ScratchDir medium("appnoname");
    ScratchDir target("appnonametarget");
    ASSERT_TRUE(WriteBytes(medium / "s.inf", "[App]\r\nBkUBmpName=u.bmp\r\n[SetupApps]\r\nA=A\r\n[End]\r\n"));
    ASSERT_TRUE(WriteBytes(medium / "u.bmp", "BM-u"));
    std::string before = KeyDefault("SetupExt");
    SetRunMode(RunInstallMode);
    Application& app = TheApplication();
    app.SetSourceDir(medium.path().c_str());
    ASSERT_EQ(1, app.Load((medium / "s.inf").c_str(), true));
    app.SetInstallDir(target.path().c_str());
    FinishApplication();
    EXPECT_EQ(before, KeyDefault("SetupExt"));
    EXPECT_EQ("BM-u", ReadBytes(target / "u.bmp"));
}

TEST_F(GlobalApplicationTest, FinishedUninstallRemovesRecordPicturesAndEmptyFolders) {
    ScratchDir dir("appremove");
    std::string installDir = dir / "Pen";
    ASSERT_TRUE(CreateDirectoryA(installDir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((installDir + "\\empty").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(installDir + "\\bk.bmp", "BM"));
    ASSERT_TRUE(WriteBytes(installDir + "\\logo.bmp", "BM"));
    ASSERT_TRUE(WriteBytes(dir / "copy.tmp", "[App]\r\nBkBmpName=bk.bmp\r\nLogoBmpName=logo.bmp\r\n"
                                             "[SetupApps]\r\nDriver=Drv\r\n[End]\r\n"));
    SetKeyDefault("SetupExt\\AppProbe", installDir);
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME", dir / "copy.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME\\AppDrv", "Driver");

    ASSERT_EQ(RunUninstallMode, ParseCommandLine("/@SetupExt\\AppProbe"));
    SetRunMode(RunUninstallMode);
    Application& app = TheApplication();
    ASSERT_EQ(installDir, Str(app.InstallDir()));
    ASSERT_EQ(1, app.Load("SetupExt\\AppProbe", false));
    FinishApplication();
    EXPECT_FALSE(KeyThere("SetupExt\\AppProbe"));
    EXPECT_FALSE(FileThere(installDir + "\\bk.bmp"));
    EXPECT_FALSE(FileThere(installDir + "\\logo.bmp"));
    EXPECT_FALSE(FileThere(installDir));
}

TEST_F(GlobalApplicationTest, UninstallKeepsTheRecordWhileAComponentStaysInstalled) {
    ScratchDir dir("appkeep");
    ASSERT_TRUE(WriteBytes(dir / "copy.tmp", "[App]\r\nBkBmpName=bk.bmp\r\n[SetupApps]\r\nDriver=Drv\r\nTools=Tls\r\n[End]\r\n"));
    ASSERT_TRUE(WriteBytes(dir / "bk.bmp", "BM"));
    SetKeyDefault("SetupExt\\AppProbe", dir.path());
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME", dir / "copy.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME\\AppDrv", "Driver");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME\\AppTls", "Tools");

    ASSERT_EQ(RunUninstallMode, ParseCommandLine("/@SetupExt\\AppProbe"));
    SetRunMode(RunUninstallMode);
    Application& app = TheApplication();
    ASSERT_EQ(1, app.Load("SetupExt\\AppProbe", false));
    app.SetComponentEnabled(1, false);   // the user keeps Tools
    FinishApplication();
    EXPECT_TRUE(KeyThere("SetupExt\\AppProbe\\INFNAME\\AppTls"));
    EXPECT_FALSE(KeyThere("SetupExt\\AppProbe\\INFNAME\\AppDrv"));
    EXPECT_TRUE(FileThere(dir / "bk.bmp"));
}

TEST_F(GlobalApplicationTest, WithoutAnInstallFolderThePicturesLiveInTheWindowsFolder) {
    ScratchDir medium("appnofolder");
    ScratchDir current("appnofoldercwd");   // what the current folder is by the end of a removal
    std::string windows = WindowsDirectory().c_str();
    std::string picture = "zk_probe_bk.bmp", logo = "zk_probe_logo.bmp";
    ASSERT_TRUE(WriteBytes(medium / "s.inf", "[App]\r\nDefPMGroup=AppProbe\r\nBkBmpName=" + picture +
                                                 "\r\nLogoBmpName=" + logo + "\r\n[SetupApps]\r\nDriver=Drv\r\n[End]\r\n"));
    ASSERT_TRUE(WriteBytes(medium / picture, "BM-kit"));
    ASSERT_TRUE(WriteBytes(medium / logo, "BM-kit-logo"));
    ASSERT_TRUE(WriteBytes(current / picture, "BM-the-user's"));
    ASSERT_TRUE(WriteBytes(current / logo, "BM-the-user's-logo"));

    SetRunMode(RunInstallMode);
    Application& app = TheApplication();
    app.SetSourceDir(medium.path().c_str());
    ASSERT_EQ(1, app.Load((medium / "s.inf").c_str(), true));
    app.SetInstallDir("");
    FinishApplication();
    EXPECT_EQ("BM-kit", ReadBytes(windows + "\\" + picture));
    EXPECT_EQ("BM-kit-logo", ReadBytes(windows + "\\" + logo));

    // No folder, no record copy either: the record the uninstaller reads is made here.
    app.Reset();
    ASSERT_TRUE(WriteBytes(medium / "copy.tmp", "[App]\r\nBkBmpName=" + picture + "\r\nLogoBmpName=" + logo +
                                                    "\r\n[SetupApps]\r\nDriver=Drv\r\n[End]\r\n"));
    SetKeyDefault("SetupExt\\AppProbe", "");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME", medium / "copy.tmp");
    SetKeyDefault("SetupExt\\AppProbe\\INFNAME\\AppDrv", "Driver");
    ASSERT_EQ(RunUninstallMode, ParseCommandLine("/@SetupExt\\AppProbe"));
    SetRunMode(RunUninstallMode);
    ASSERT_TRUE(app.InstallDir().IsEmpty());
    ASSERT_EQ(1, app.Load("SetupExt\\AppProbe", false));
    {
        InDirectory inside(current.path());
        FinishApplication();
    }
    EXPECT_FALSE(FileThere(windows + "\\" + picture));
    EXPECT_FALSE(FileThere(windows + "\\" + logo));
    EXPECT_EQ("BM-the-user's", ReadBytes(current / picture));
    EXPECT_EQ("BM-the-user's-logo", ReadBytes(current / logo));
    DeleteFileA((windows + "\\" + picture).c_str());
    DeleteFileA((windows + "\\" + logo).c_str());
}
