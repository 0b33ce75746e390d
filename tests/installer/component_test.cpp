// Components read from a real script: their keys and entry sections, CopyFolder, the
// record copy they write, their installation walks and the device rules over the run.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/files/ini_entry_node.h"
#include "installer/record/shortcut_entry.h"
#include "installer/registry/registry_entry_node.h"
#include "installer/registry/registry_keys.h"
#include "installer/registry/registry_view.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/tree/component_selection.h"
#include "installer/tree/file_entry.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {
std::string Str(const StrBuf& s) { return s.c_str(); }

const char kScript[] =
    "[SrcDirs]\r\n1=.\r\n2=drivers\r\n"
    "[DstDirs]\r\n1=.\r\n2=Driver\r\n"
    "[SetupApps]\r\n"
    "Pen driver=Drv,DrvKeys,DrvFiles,DrvLinks,DrvIni,DrvSpare,DrvReg1,DrvReg2,DrvRemove\r\n"
    "Manual=Man,ManKeys,ManFiles\r\n"
    "[DrvKeys]\r\nDefInstall=Y\r\nSpaceNeeded=700\r\nDeviceType=2\r\nRestartWindows=Y\r\nURestartWindows=Y\r\n"
    "IExeAfter=PENCFG.EXE,Y,Y\r\nUExeBefore=PENCFG.EXE,N,N\r\nLibraryReg=PENUI.DLL,Y\r\nCopyFolder=1-2:*.*,2\r\n"
    "[DrvFiles]\r\n"
    "Pen driver,1-2:PEN.SYS,2:PEN.SYS,N,Y,0=text after the equals sign is dropped\r\n"
    "Config tool,1-1:PENCFG.EXE,1:PENCFG.EXE\r\n"
    "CopyFolder=1-2:*.*,2,N,Y,5\r\n"
    "*include=MoreFiles\r\n"
    "[MoreFiles]\r\nUser interface,1-1:PENUI.DLL,1:PENUI.DLL,N,N,0\r\n"
    "[DrvRemove]\r\nOld driver,1-2:OLDPEN.SYS,2:OLDPEN.SYS\r\n"
    "[DrvLinks]\r\nPENCFG.EXE,Pen settings,0\r\nPENCFG.EXE,On the desktop,-3\r\n"
    "[DrvIni]\r\nwin.ini,Pen,Driver,2:PEN.SYS\r\n"
    "[DrvSpare]\r\nSpare,1-1:SPARE.TXT,1:SPARE.TXT\r\n"
    "[DrvReg1]\r\nHKEY_LOCAL_MACHINE,REG_SZ,Software\\Zorvant Test\\Pen,Version,0:1.0\r\n"
    "[DrvReg2]\r\nHKEY_LOCAL_MACHINE,REG_SZ,Software\\Zorvant Test\\Pen,Folder,2:\r\n"
    "[ManKeys]\r\nDefInstall=N\r\nSpaceNeeded=300\r\nDeviceType=1\r\n"
    "[ManFiles]\r\nManual,1-1:MANUAL.TXT,1:MANUAL.TXT\r\n"
    "[End]\r\n";

// A medium folder with the script and its files, and a tree loaded from it.
struct LoadedKit {
    ScratchDir dir{"component"};
    Application app;
    SetupScript* script = nullptr;
    LoadedKit() {
        CreateDirectoryA((dir / "drivers").c_str(), nullptr);
        CreateDirectoryA((dir / "drivers\\sub").c_str(), nullptr);
        WriteBytes(dir / "SetupExt.inf", kScript);
        for (const char* f : {"PENCFG.EXE", "PENUI.DLL", "SPARE.TXT", "MANUAL.TXT"}) WriteBytes(dir / f, f);
        for (const char* f : {"PEN.SYS", "EXTRA1.SYS", "EXTRA2.SYS"}) WriteBytes(dir / (std::string("drivers\\") + f), f);
        app.SetSourceDir(dir.path().c_str());
        script = new SetupScript(&app);
        app.AppendChild(script);
        script->Load((dir / "SetupExt.inf").c_str());
    }
    Component* driver() { return app.ComponentAt(0); }
    Component* manual() { return app.ComponentAt(1); }
};

// A string value below HKEY_LOCAL_MACHINE in the view the kit's entries are written in.
LONG KitMachineValue(const char* path, const char* name, std::string& value) {
    RegKey key;
    LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KitRegistryView(), key.put());
    if (opened != ERROR_SUCCESS) return opened;
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    LONG read = RegGetValueA(key.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, text, &size);
    value = read == ERROR_SUCCESS ? text : "";
    return read;
}

std::vector<std::string> DestNames(Component* c, int kind) {
    std::vector<std::string> names;
    OwnedList<EntryNode>* list = c->EntryList(kind);
    for (int i = 0; i < list->Count(); ++i) names.push_back(Str(static_cast<FileEntry*>(list->At(i))->fields.destName));
    return names;
}
}  // namespace

TEST(Components, SectionsFillTheirListsInReadingOrder) {
    LoadedKit kit;
    ASSERT_EQ(2, kit.app.Count(KindComponent));
    Component* drv = kit.driver();
    EXPECT_EQ("Pen driver", Str(drv->name));
    EXPECT_EQ("AppDrv", Str(drv->recordName));
    EXPECT_EQ(700, drv->keys.spaceNeededK);
    EXPECT_EQ(2, drv->keys.deviceType);
    EXPECT_TRUE(drv->keys.restartAfterInstall);
    // CopyFolder in the key section means nothing; in the file section it lists the folder's
    // files (not its subfolder) where it stands, before the included section's file.
    EXPECT_EQ((std::vector<std::string>{"PEN.SYS", "PENCFG.EXE", "EXTRA1.SYS", "EXTRA2.SYS", "PEN.SYS", "PENUI.DLL"}),
              DestNames(drv, KindFile));
    FileEntry* copied = static_cast<FileEntry*>(drv->EntryList(KindFile)->At(2));
    EXPECT_EQ(5, copied->fields.installMode);
    EXPECT_EQ((std::vector<std::string>{"OLDPEN.SYS"}), DestNames(drv, KindRemovalFile));
    EXPECT_EQ(1, drv->EntryList(KindSpareFile)->Count());
    EXPECT_EQ(2, drv->EntryList(KindShortcut)->Count());
    EXPECT_EQ(1, drv->EntryList(KindIniEntry)->Count());
    EXPECT_EQ(2, drv->EntryList(KindRegistryEntry)->Count());   // both registry sections, one list
    // Only the text before "=" is the entry.
    EXPECT_EQ(0, static_cast<FileEntry*>(drv->EntryList(KindFile)->At(0))->fields.installMode);
    // Shortcuts find their file by its destination name; tables are linked.
    auto* link = static_cast<ShortcutEntry*>(drv->EntryList(KindShortcut)->At(0));
    EXPECT_EQ(drv->FindFileByDestName("pencfg.exe"), link->target);
    EXPECT_NE(nullptr, static_cast<FileEntry*>(drv->EntryList(KindFile)->At(0))->destDir);
    EXPECT_FALSE(kit.manual()->enabled);
}

TEST(Components, CountsFollowTheChoiceButPositionsDoNot) {
    LoadedKit kit;
    Component* man = kit.manual();
    EXPECT_EQ(0, man->Count(KindFile));
    EXPECT_NE(nullptr, man->GetAt(0, KindFile));
    EXPECT_EQ(nullptr, man->GetAt(1, KindFile));
    EXPECT_EQ(6, kit.app.Count(KindFile));
    EXPECT_EQ(700, TotalSpaceNeeded(kit.app));
    man->enabled = true;
    EXPECT_EQ(1000, TotalSpaceNeeded(kit.app));
    EXPECT_EQ(1, FindDeviceConflict(kit.app, 0));
    EXPECT_EQ(0, FindDeviceConflict(kit.app, 1));
}

TEST(Components, DetectedTabletChoosesItsFamily) {
    LoadedKit kit;
    ASSERT_TRUE(AnyDeviceComponent(kit.app));
    SelectComponentsByDevice(kit.app, false, 1, 0);
    EXPECT_FALSE(kit.driver()->enabled);
    EXPECT_FALSE(kit.driver()->changeable);
    EXPECT_TRUE(kit.manual()->enabled);
    EXPECT_TRUE(kit.manual()->changeable);
    SelectComponentsByDevice(kit.app, true, 2, 0);
    EXPECT_TRUE(kit.driver()->enabled);
    EXPECT_FALSE(kit.driver()->changeable);
    EXPECT_FALSE(kit.manual()->changeable);
}

TEST(Components, RecordCopyHoldsWhatTheUninstallerNeeds) {
    LoadedKit kit;
    kit.manual()->enabled = false;
    std::string copy = kit.dir / "copy.inf";
    HANDLE f = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    EXPECT_TRUE(kit.script->WriteScript(f));
    CloseHandle(f);
    std::string text = ReadBytes(copy);
    EXPECT_NE(std::string::npos, text.find("Pen driver=Drv,DrvKeys,DrvFiles,DrvLinks,DrvIni,DrvSpare,DrvReg1,DrvReg2\r\n"));
    EXPECT_NE(std::string::npos, text.find(
        "[DrvKeys]\r\nURestartWindows=Y\r\nDeviceType=2\r\nLibraryReg=\"PENUI.DLL\",Y\r\nUExeBefore=\"PENCFG.EXE\",N,N\r\n\r\n"));
    // Removal files join the file section; the install-only keys and spare files are gone.
    EXPECT_NE(std::string::npos, text.find("Old driver,1-2:OLDPEN.SYS,2:OLDPEN.SYS,N,Y,0\r\n\r\n"));
    EXPECT_EQ(std::string::npos, text.find("SpaceNeeded"));
    EXPECT_EQ(std::string::npos, text.find("SPARE.TXT"));
    EXPECT_EQ(std::string::npos, text.find("[DrvReg1]"));
    EXPECT_NE(std::string::npos, text.find("[DrvReg2]\r\nHKEY_LOCAL_MACHINE,REG_SZ,Software\\Zorvant Test\\Pen,Version,0:1.0\r\n"));
    // Components that were not chosen are written too: the record decides what was installed.
    EXPECT_NE(std::string::npos, text.find("[ManFiles]\r\nManual,1-1:MANUAL.TXT,1:MANUAL.TXT,N,Y,0\r\n"));

    // Read back as the uninstaller would, the file section carries every file.
    Application back;
    back.SetSourceDir(kit.dir.path().c_str());
    SetupScript* script = new SetupScript(&back);
    back.AppendChild(script);
    ASSERT_EQ(2, script->Load(copy.c_str()));
    EXPECT_EQ(7, back.ComponentAt(0)->EntryList(KindFile)->Count());
    EXPECT_EQ(2, back.ComponentAt(0)->EntryList(KindRegistryEntry)->Count());
    EXPECT_TRUE(back.ComponentAt(0)->keys.restartAfterRemoval);
    // The removal stops the tablet's programs by the recorded family.
    EXPECT_EQ(2, back.ComponentAt(0)->keys.deviceType);
    EXPECT_EQ(1, back.ComponentAt(1)->keys.deviceType);
}

TEST(Components, SetupAppsLineReadsBackWithCommasQuotesAndEqualsSigns) {
    const char* const lines[] = {
        "\"Pen, driver\"=Drv,Keys,Files",
        "\"Pen = \"\"Pro\"\"\"=\"D,v\",\"K=1\",\" Files \",Links,Ini,Spare,Reg1,Reg2",
        "Plain=P",
    };
    for (const char* line : lines) {
        Component first(nullptr, line);
        Component again(nullptr, first.SetupAppsLine());
        SCOPED_TRACE(Str(first.SetupAppsLine()));
        EXPECT_EQ(Str(first.name), Str(again.name));
        EXPECT_EQ(Str(first.recordName), Str(again.recordName));
        for (int i = 0; i < 7; ++i) EXPECT_EQ(Str(first.sections[i]), Str(again.sections[i]));
    }
    Component quoted(nullptr, lines[1]);
    EXPECT_EQ("Pen = \"Pro\"", Str(quoted.name));
    EXPECT_EQ("AppD,v", Str(quoted.recordName));
    EXPECT_EQ(" Files ", Str(quoted.sections[1]));
}

// The folder value is read back in the view the kit's entries go to (the 64-bit one on 64-bit
// Windows, also from the 32-bit build), for the architecture start-up fixes.
TEST(Components, InstallAndRemoveWalksPlaceAndTakeBackTheEntries) {
    ComputeNativeArchitecture();
    LoadedKit kit;
    ScratchDir target("component-target");
    kit.app.SetInstallDir(target.path().c_str());
    kit.app.Resolve();
    ASSERT_TRUE(kit.app.PrepareDirectories());
    EXPECT_TRUE(kit.app.InstallWalk(KindFile, nullptr, nullptr));
    EXPECT_TRUE(FileThere(target / "Driver\\PEN.SYS"));
    EXPECT_TRUE(FileThere(target / "PENCFG.EXE"));
    EXPECT_TRUE(FileThere(target / "Driver\\EXTRA2.SYS"));
    EXPECT_FALSE(FileThere(target / "MANUAL.TXT"));   // not chosen
    EXPECT_EQ(target.path(), Str(kit.driver()->FindFileByDestName("PENCFG.EXE")->installedLocation));

    EXPECT_TRUE(kit.app.InstallWalk(KindRegistryEntry, nullptr, nullptr));
    std::string value;
    ASSERT_EQ(ERROR_SUCCESS, KitMachineValue("Software\\Zorvant Test\\Pen", "Folder", value));
    EXPECT_EQ(target / "Driver\\", value);

    EXPECT_TRUE(kit.app.RemoveWalk(KindRegistryEntry, nullptr, nullptr));
    EXPECT_NE(ERROR_SUCCESS, KitMachineValue("Software\\Zorvant Test\\Pen", "Folder", value));
    EXPECT_TRUE(kit.app.RemoveWalk(KindFile, nullptr, nullptr));
    EXPECT_FALSE(FileThere(target / "Driver\\PEN.SYS"));
    EXPECT_TRUE(FileThere(target / "PENUI.DLL"));        // kept: it is not removed at uninstallation
    DeleteKeyTree(HKEY_LOCAL_MACHINE, "Software\\Zorvant Test", KitRegistryView());
}

namespace {
class RunModeScope {
public:
    explicit RunModeScope(int mode) : saved_(RunMode()) { SetRunMode(mode); }
    ~RunModeScope() { SetRunMode(saved_); }
private:
    int saved_;
};
}  // namespace

TEST(Components, RecordCopyLoadsForRemovalWithInstallOnlyKeysAtTheirDefaults) {
    LoadedKit kit;
    std::string copy = kit.dir / "record.inf";
    {
        HANDLE f = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, f);
        kit.script->WriteScript(f);
        CloseHandle(f);
    }
    // The record names only the driver: the manual was not installed.
    HKEY slot = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "SetupExt\\ComponentRoundTrip\\INFNAME", &slot));
    RegSetValueA(slot, "AppDrv", REG_SZ, "Pen driver", 10);
    RegCloseKey(slot);

    ScratchDir installed("component-installed");
    CreateDirectoryA((installed / "Driver").c_str(), nullptr);
    for (const char* f : {"PEN.SYS", "LATER.SYS"}) WriteBytes(installed / (std::string("Driver\\") + f), f);
    RunModeScope removal(RunUninstallMode);
    Application app;
    app.SetInstallDir(installed.path().c_str());
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    ASSERT_EQ(1, script->Load(copy.c_str(), "SetupExt\\ComponentRoundTrip\\INFNAME"));
    Component* drv = app.ComponentAt(0);
    ASSERT_NE(nullptr, drv);
    EXPECT_TRUE(drv->recorded);
    EXPECT_EQ("Pen driver", Str(drv->name));
    EXPECT_EQ(0, drv->keys.spaceNeededK);   // install-only keys are not in the copy
    EXPECT_EQ(2, drv->keys.deviceType);     // the removal stops the tablet's programs by it
    EXPECT_FALSE(drv->keys.restartAfterInstall);
    EXPECT_TRUE(drv->keys.restartAfterRemoval);
    EXPECT_TRUE(drv->keys.Programs(IExeAfter).empty());
    EXPECT_EQ("PENCFG.EXE", Str(drv->keys.Programs(UExeBefore).at(0).program));
    EXPECT_EQ("PENUI.DLL", Str(drv->keys.Libraries().at(0).library));
    EXPECT_EQ(0, drv->EntryList(KindSpareFile)->Count());
    EXPECT_EQ(2, drv->EntryList(KindShortcut)->Count());
    EXPECT_EQ(1, drv->EntryList(KindIniEntry)->Count());
    EXPECT_EQ(2, drv->EntryList(KindRegistryEntry)->Count());
    // Every installed file plus the removal file comes back as a file of the component.
    EXPECT_EQ((std::vector<std::string>{"PEN.SYS", "PENCFG.EXE", "EXTRA1.SYS", "EXTRA2.SYS", "PEN.SYS", "PENUI.DLL",
                                        "OLDPEN.SYS"}),
              DestNames(drv, KindFile));
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "SetupExt\\ComponentRoundTrip");
}

TEST(Components, CopyFolderAtRemovalListsWhatIsInTheInstalledFolder) {
    ScratchDir installed("copyfolder-removal");
    CreateDirectoryA((installed / "Driver").c_str(), nullptr);
    CreateDirectoryA((installed / "Driver\\Sub").c_str(), nullptr);
    for (const char* f : {"A.SYS", "ADDED LATER.SYS"}) WriteBytes(installed / (std::string("Driver\\") + f), f);
    WriteBytes(installed / "copy.inf",
               "[SrcDirs]\r\n1=.\r\n[DstDirs]\r\n2=Driver\r\n[SetupApps]\r\nDrv=Drv,,Files\r\n"
               "[Files]\r\nCopyFolder=1-1:*.*,2,N,Y,0\r\n[End]\r\n");
    RunModeScope removal(RunUninstallMode);
    Application app;
    app.SetInstallDir(installed.path().c_str());
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    // The uninstaller keeps only recorded components.
    HKEY slot = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "SetupExt\\CopyFolderRemoval\\INFNAME", &slot));
    RegSetValueA(slot, "AppDrv", REG_SZ, "Drv", 3);
    RegCloseKey(slot);
    ASSERT_EQ(1, script->Load((installed / "copy.inf").c_str(), "SetupExt\\CopyFolderRemoval\\INFNAME"));
    EXPECT_EQ((std::vector<std::string>{"A.SYS", "ADDED LATER.SYS"}), DestNames(app.ComponentAt(0), KindFile));
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "SetupExt\\CopyFolderRemoval");
}
