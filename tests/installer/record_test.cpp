// The installation record an install leaves below HKEY_CLASSES_ROOT, its saved script
// copies and the uninstaller's link, and what the removal takes back.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/record/script_record.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/well_known_locations.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/script/mapped_file.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {
// Each test runs in its own process, possibly beside another: its product is its own.
const std::string& Product() {
    static const std::string name = "Record Probe " + std::to_string(GetCurrentProcessId());
    return name;
}
// A key below the product's record key.
std::string Key(const char* below) { return "SetupExt\\" + Product() + below; }

std::string KeyDefault(const char* path) {
    StrBuf text;
    return ReadKeyDefault(text, HKEY_CLASSES_ROOT, path, 257) ? text.c_str() : "<none>";
}

std::string Script(const char* version) {
    return "[App]\r\nDefPMGroup=" + Product() + "\r\nUnInstall=Remove Record Probe\r\n" +
           "[DstDirs]\r\n1=.\r\n[SetupApps]\r\nDriver=Drv,DrvKeys\r\nTools=Tls,TlsKeys\r\n[DrvKeys]\r\nSpaceNeeded=" + version +
           "\r\n[TlsKeys]\r\nDefInstall=N\r\n[End]\r\n";
}

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = RunMode();
        CoInitialize(nullptr);
        TheApplication().Reset();
        DeleteKeyTree(HKEY_CLASSES_ROOT, Key("").c_str());
    }
    void TearDown() override {
        TheApplication().Reset();
        SetRunMode(saved_);
        DeleteKeyTree(HKEY_CLASSES_ROOT, Key("").c_str());
        StrBuf programs;
        GetSpecialFolderPath(nullptr, CSIDL_COMMON_PROGRAMS, programs);
        RemoveTree(std::string(programs.c_str()) + ("\\" + Product() + ""));
        CoUninitialize();
    }
    // One install run's closing step over a script on the medium.
    void Install(const std::string& scriptText, const std::string& target) {
        WriteBytes(medium_ / "s.inf", scriptText);
        SetRunMode(RunInstallMode);
        Application& app = TheApplication();
        app.Reset();
        app.SetSourceDir(medium_.path().c_str());
        ASSERT_EQ(1, app.Load((medium_ / "s.inf").c_str(), true));
        app.SetInstallDir(target.c_str());
        app.Resolve();
        ASSERT_TRUE(app.PrepareDirectories());
        FinishApplication();
    }
    ScratchDir medium_{"record-medium"};
    int saved_ = 0;
};
}  // namespace

TEST(RecordSlots, NamesOfTheHundredSlots) {
    EXPECT_EQ(std::string("INFNAME"), SlotName(0).c_str());
    EXPECT_EQ(std::string("INFNAME01"), SlotName(1).c_str());
    EXPECT_EQ(std::string("INFNAME99"), SlotName(99).c_str());
}

TEST_F(RecordTest, SameScriptReusesItsSlotChangedScriptGetsTheNext) {
    ScratchDir target("record-target");
    Install(Script("10"), target.path());
    EXPECT_EQ(target.path(), KeyDefault(Key("").c_str()));
    std::string copy = KeyDefault(Key("\\INFNAME").c_str());
    ASSERT_EQ(0u, copy.find(target.path() + "\\ST~"));
    EXPECT_EQ(target.path(), KeyDefault(Key("\\INFNAME\\PATH").c_str()));
    EXPECT_EQ(Product(), KeyDefault(Key("\\INFNAME\\GroupName").c_str()));
    EXPECT_EQ("Driver", KeyDefault(Key("\\INFNAME\\AppDrv").c_str()));
    std::string text = ReadBytes(copy);
    EXPECT_EQ(text.size() - 7, text.rfind("[End]\r\n"));
    EXPECT_NE(std::string::npos, text.find("Driver=Drv,DrvKeys,,,,,,\r\n"));
    // The saved copy is exactly the script as written for the record, then "[End]".
    {
        FileHandle expected(CreateFileA((medium_ / "expected.inf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(expected);
        TheApplication().ScriptAt(0)->WriteScript(expected.get());
        WriteLine(expected.get(), "[End]");
    }
    EXPECT_EQ(ReadBytes(medium_ / "expected.inf"), text);

    Install(Script("10"), target.path());
    EXPECT_EQ(copy, KeyDefault(Key("\\INFNAME").c_str()));
    EXPECT_EQ("<none>", KeyDefault(Key("\\INFNAME01").c_str()));
    int copies = 0;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((target / "ST~*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found)) ++copies;
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    EXPECT_EQ(1, copies);

    // The [App] section is the same; a changed component line makes another script.
    std::string changed = Script("10");
    changed.replace(changed.find("Tools=Tls,"), 10, "Tools=Tl2,");
    Install(changed, target.path());
    EXPECT_EQ(copy, KeyDefault(Key("\\INFNAME").c_str()));
    EXPECT_NE("<none>", KeyDefault(Key("\\INFNAME01").c_str()));
}

TEST_F(RecordTest, UninstallerLinkStartsTheInstallerOnTheRecord) {
    ScratchDir target("record-link");
    Install(Script("10"), target.path());
    StrBuf programs;
    GetSpecialFolderPath(nullptr, TheApplication().UseCommonPrograms() ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs);
    std::string link = std::string(programs.c_str()) + ("\\" + Product() + "\\Remove Record Probe.LNK");
    EXPECT_TRUE(FileThere(link));

    // The uninstaller reads the record back and removes it, the link and the emptied group.
    TheApplication().Reset();
    ASSERT_EQ(RunUninstallMode, ParseCommandLine(("/@" + Key("")).c_str()));
    SetRunMode(RunUninstallMode);
    Application& app = TheApplication();
    ASSERT_EQ(1, app.Load(Key("").c_str(), false));
    EXPECT_EQ(1, app.Count(KindComponent));   // only the chosen component was recorded
    EXPECT_EQ("Remove Record Probe", std::string(app.settings.uninstallName.c_str()));
    std::string copy = KeyDefault(Key("\\INFNAME").c_str());
    FinishApplication();
    EXPECT_EQ("<none>", KeyDefault(Key("").c_str()));
    EXPECT_FALSE(FileThere(copy));
    EXPECT_FALSE(FileThere(link));
    EXPECT_FALSE(FileThere(std::string(programs.c_str()) + ("\\" + Product() + "")));
}

TEST_F(RecordTest, NothingIsRecordedWhenTheScriptSaysSo) {
    ScratchDir target("record-nokeep");
    std::string script = Script("10");
    script.insert(script.find("[DstDirs]"), "DontKeepUninstallInfo=Y\r\n");
    Install(script, target.path());
    EXPECT_EQ("<none>", KeyDefault(Key("").c_str()));
    StrBuf programs;
    GetSpecialFolderPath(nullptr, TheApplication().UseCommonPrograms() ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS, programs);
    EXPECT_FALSE(FileThere(std::string(programs.c_str()) + ("\\" + Product() + "\\Remove Record Probe.LNK")));
}

TEST_F(RecordTest, AComponentKeptAtRemovalKeepsSlotCopyAndProductKey) {
    ScratchDir target("record-keep");
    std::string script = Script("10");
    script.replace(script.find("DefInstall=N"), 12, "DefInstall=Y");
    Install(script, target.path());
    std::string copy = KeyDefault(Key("\\INFNAME").c_str());
    ASSERT_EQ("Tools", KeyDefault(Key("\\INFNAME\\AppTls").c_str()));

    TheApplication().Reset();
    ASSERT_EQ(RunUninstallMode, ParseCommandLine(("/@" + Key("")).c_str()));
    SetRunMode(RunUninstallMode);
    Application& app = TheApplication();
    ASSERT_EQ(1, app.Load(Key("").c_str(), false));
    ASSERT_EQ(2, app.Count(KindComponent));
    app.SetComponentEnabled(1, false);   // the user keeps Tools
    FinishApplication();
    EXPECT_EQ(target.path(), KeyDefault(Key("").c_str()));
    EXPECT_EQ(copy, KeyDefault(Key("\\INFNAME").c_str()));
    EXPECT_TRUE(FileThere(copy));
    EXPECT_EQ("<none>", KeyDefault(Key("\\INFNAME\\AppDrv").c_str()));
    EXPECT_EQ("Tools", KeyDefault(Key("\\INFNAME\\AppTls").c_str()));
}
