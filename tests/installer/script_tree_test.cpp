// The script tree under Wine: loading scripts and records, linking, resolving
// directories against the real Windows folders, and writing the record copy.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/registry/registry_keys.h"
#include "installer/tree/application.h"
#include "installer/tree/component.h"
#include "installer/script/mapped_file.h"
#include "installer/tree/setup_script.h"
#include "tests/fakes/test_support.h"

namespace {

// An entry as later entry kinds declare themselves: a kind and the ids to link.
class ProbeEntry : public EntryNode {
public:
    ProbeEntry(ScriptNode* owner, int kind, const char* name) : EntryNode(owner, kind), name_(name) {}
    const char* LinkName() const override { return name_; }
private:
    StrBuf name_;
};

std::string Str(const StrBuf& text) { return text.c_str(); }

// Restores the run mode a test changes.
class RunModeScope {
public:
    explicit RunModeScope(int mode) : saved_(RunMode()) { SetRunMode(mode); }
    ~RunModeScope() { SetRunMode(saved_); }
private:
    int saved_;
};

}  // namespace

TEST(ScriptTree, DirectorySpecificationsResolveAgainstTheRealFolders) {
    ScratchDir dir("resolve");
    ASSERT_TRUE(WriteBytes(dir / "s.inf",
        "[SrcDirs]\r\n1=.\r\n2=sub\r\n3=#@x\r\n"
        "[DstDirs]\r\n1=###Boot\r\n2=##\\drivers\r\n3=#@\\from\r\n4=#\\fonts\r\n5=%Windows%\\web\r\n"
        "6=%NoSuchMacro%\\x\r\n7=.\r\n8=.x\r\n9=0\r\n10=\\\r\n11=Tablet\r\n"
        "[SetupApps]\r\nMain=Main,Keys\r\n[End]\r\n"));
    Application app;
    app.SetSourceDir("D:\\medium");
    app.SetInstallDir("C:\\Program Files\\Pen");
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    ASSERT_EQ(1, script->Load((dir / "s.inf").c_str()));
    EXPECT_EQ("9=0", Str(DirLine(*script->FindDestDir(9))));   // unresolved until Resolve
    script->Resolve();

    std::string windows = Str(WindowsDirectory()), system = Str(SystemDirectory());
    ASSERT_FALSE(windows.empty());
    struct Row { int id; std::string expected; };
    const Row rows[] = {
        {1, windows.substr(0, 3) + "Boot"},
        {2, system + "\\drivers"},
        {3, "D:\\medium\\from"},
        {4, windows + "\\fonts"},
        {5, windows + "\\web"},
        {6, "C:\\Program Files\\Pen"},
        {7, "C:\\Program Files\\Pen"},
        {8, ".x"},
        {9, ""},
        {10, "C:\\"},
        {11, "C:\\Program Files\\Pen\\Tablet"},
        {-1, "D:\\medium"},            // a negative id names a source directory
        {-2, "D:\\medium\\sub"},
        {-3, "x"},                     // source directories have no alternative folder
    };
    for (const Row& r : rows) {
        const DirEntry* entry = script->FindDestDir(r.id);
        ASSERT_NE(nullptr, entry) << r.id;
        EXPECT_EQ(r.expected, Str(entry->path)) << "id " << r.id << " spec " << Str(entry->specification);
    }
    EXPECT_EQ(nullptr, script->FindDestDir(12));
    EXPECT_EQ(nullptr, script->FindDestDir(INT_MIN));

    app.SetInstallDir("E:\\");   // resolving again follows a changed folder
    script->Resolve();
    EXPECT_EQ("E:\\Tablet", Str(script->FindDestDir(11)->path));
}

TEST(ScriptTree, SectionsLoadInFileOrderWithIncludesAndLanguageVariants) {
    ScratchDir dir("order");
    std::string suffix = Str(LanguageSuffix());
    ASSERT_FALSE(suffix.empty());
    std::string apps;
    for (int i = 1; i <= 20; ++i) {
        std::string n = std::to_string(i);
        apps += "C" + n + "=R" + n + ",K" + n + ",F" + n + ",S" + n + ",I" + n + ",P" + n + ",G" + n + ",H" + n + ",X" + n + "\r\n";
        if (i == 10) apps += "*include=MoreApps\r\n";
    }
    ASSERT_TRUE(WriteBytes(dir / "more.inf", "[Disks]\r\n20=Included disk\r\n[End]\r\n[Disks]\r\n99=after end\r\n"));
    ASSERT_TRUE(WriteBytes(dir / "main.inf",
        "; a comment\r\n[Disks.all]\r\n1=All disk\r\n"
        "[Disks]\r\n2=Plain disk\r\n"
        "[Disks" + suffix + "]\r\n3=Local disk\r\n*include=Disks,more.inf\r\n4=\"Last, disk\",x\r\n"
        "[SrcDirs]\r\n1=src\r\n*include=ExtraSrc\r\n2=src2\r\n"
        "[ExtraSrc]\r\n5=extra\r\n"
        "[SetupApps]\r\n" + apps +
        "[MoreApps]\r\nInc=RInc,KInc\r\n"
        "[End]\r\n[SetupApps]\r\nNever=x\r\n"));
    Application app;
    app.SetSourceDir(dir.path().c_str());
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    EXPECT_EQ(21, script->Load((dir / "main.inf").c_str()));

    std::vector<std::string> disks;
    for (int i = 0; i < script->Count(KindDisks); ++i)
        disks.push_back(std::to_string(script->DiskAt(i)->id) + ":" + Str(script->DiskAt(i)->label));
    EXPECT_EQ((std::vector<std::string>{"1:All disk", "3:Local disk", "20:Included disk", "4:Last, disk"}), disks);
    ASSERT_EQ(3, script->Count(KindSrcDirs));
    EXPECT_EQ(1, script->SourceDirAt(0)->id);
    EXPECT_EQ(5, script->SourceDirAt(1)->id);
    EXPECT_EQ(2, script->SourceDirAt(2)->id);

    ASSERT_EQ(21, app.Count(KindComponent));
    EXPECT_EQ("C10", Str(app.ComponentName(9)));
    EXPECT_EQ("Inc", Str(app.ComponentName(10)));   // included lines come before later ones
    EXPECT_EQ("C11", Str(app.ComponentName(11)));
    EXPECT_EQ("C20", Str(app.ComponentName(20)));
    Component* c7 = script->ComponentAt(6);
    EXPECT_EQ("AppR7", Str(c7->recordName));
    EXPECT_EQ("K7", Str(c7->sections[0]));
    EXPECT_EQ("X7", Str(c7->sections[7]));
    EXPECT_EQ("C7=R7,K7,F7,S7,I7,P7,G7,H7", Str(c7->SetupAppsLine()));   // f9 is not kept
    Component* short_ = script->ComponentAt(10);
    EXPECT_EQ("KInc", Str(short_->sections[0]));
    EXPECT_EQ("", Str(short_->sections[1]));
}

TEST(ScriptTree, EntriesLinkToDisksDirectoriesAndTargetsAndRelinkAfterAnInclude) {
    ScratchDir dir("link");
    ASSERT_TRUE(WriteBytes(dir / "a.inf", "[Disks]\r\n1=One\r\n[SrcDirs]\r\n2=src\r\n[DstDirs]\r\n3=dst\r\n"
                                          "[SetupApps]\r\nMain=Main\r\n[End]\r\n"));
    ASSERT_TRUE(WriteBytes(dir / "b.inf", "[Disks]\r\n7=Seven\r\n[End]\r\n"));
    Application app;
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    ASSERT_EQ(1, script->Load((dir / "a.inf").c_str()));
    Component* main = script->ComponentAt(0);

    auto* file = new ProbeEntry(main, KindFile, "Driver File");
    file->diskId = 1; file->sourceDirId = 2; file->destDirId = -2;
    auto* late = new ProbeEntry(main, KindFile, "Late");
    late->diskId = 7; late->destDirId = 3;
    auto* shortcut = new ProbeEntry(main, KindShortcut, "");
    shortcut->targetName = "driver file";
    auto* lost = new ProbeEntry(main, KindShortcut, "");
    lost->targetName = "nothing";
    auto* registry = new ProbeEntry(main, KindRegistryEntry, "");
    registry->destDirId = 3;
    auto* ini = new ProbeEntry(main, KindIniEntry, "");
    ini->destDirId = 4;
    main->EntryList(KindFile)->Append(file);
    main->EntryList(KindFile)->Append(late);
    main->EntryList(KindShortcut)->Append(shortcut);
    main->EntryList(KindShortcut)->Append(lost);
    main->EntryList(KindRegistryEntry2)->Append(registry);
    main->EntryList(KindIniEntry)->Append(ini);
    script->LinkEntries();

    EXPECT_EQ(script->FindDisk(1), file->disk);
    EXPECT_EQ(script->FindSourceDir(2), file->sourceDir);
    EXPECT_EQ(script->FindSourceDir(2), file->destDir);
    EXPECT_EQ(nullptr, late->disk);
    EXPECT_EQ(script->FindDestDir(3), late->destDir);
    EXPECT_EQ(file, shortcut->target);
    EXPECT_EQ(nullptr, lost->target);
    EXPECT_EQ(script->FindDestDir(3), registry->destDir);
    EXPECT_EQ(nullptr, ini->destDir);
    EXPECT_EQ(nullptr, shortcut->disk);   // ids an entry does not declare stay unlinked

    script->Load((dir / "b.inf").c_str());   // as "*include" in [App] does
    EXPECT_EQ("Seven", Str(late->disk->label));

    // Entry counts follow the enabled flag; GetAt reaches entries either way.
    EXPECT_EQ(2, app.Count(KindFile));
    EXPECT_EQ(1, app.Count(KindRegistryEntry));
    EXPECT_EQ(1, app.Count(KindRegistryEntry2));
    EXPECT_EQ(late, app.GetAt(1, KindFile));
    main->enabled = false;
    EXPECT_EQ(0, app.Count(KindFile));
    EXPECT_EQ(late, main->GetAt(1, KindFile));
}

namespace {
struct WalkLog {
    std::vector<std::string> events;
    int cancelAt = -1;
};
int LogWalk(unsigned event, uintptr_t kind, uintptr_t request, void* context) {
    auto* log = static_cast<WalkLog*>(context);
    auto* parent = reinterpret_cast<ScriptNode*>(request);
    log->events.push_back(std::to_string(event) + "/" + std::to_string(kind) + "/" +
                          (parent ? std::to_string(parent->Kind()) : std::string("-")));
    return static_cast<int>(log->events.size()) == log->cancelAt ? 1 : 0;
}
}  // namespace

TEST(ScriptTree, WalksReportEachLevelAndStopWhenCancelled) {
    Application app;
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    Component* on = new Component(script, "On=a");
    Component* off = new Component(script, "Off=b");
    off->enabled = false;
    script->AppendChild(on);
    script->AppendChild(off);

    WalkLog log;
    EXPECT_TRUE(app.InstallWalk(KindFile, LogWalk, &log));
    // The application and each script report their part; components install without events.
    EXPECT_EQ((std::vector<std::string>{"16/8/-", "16/8/2", "17/8/2", "17/8/-"}), log.events);

    WalkLog cancel;
    cancel.cancelAt = 2;   // the script's beginning
    EXPECT_FALSE(app.RemoveWalk(KindIniEntry, LogWalk, &cancel));
    EXPECT_EQ((std::vector<std::string>{"18/10/-", "18/10/2", "19/10/-"}), cancel.events);

    // Pre-order positions: the application counts itself for its own kind only.
    EXPECT_EQ(&app, app.GetAt(0, KindApplication));
    EXPECT_EQ(script, app.GetAt(0, KindScript));
    int position = -1, inChild = -1;
    EXPECT_EQ(off, app.GetAt(1, KindComponent, &position, &inChild));
    EXPECT_EQ(0, position);
    EXPECT_EQ(1, inChild);
    EXPECT_EQ(nullptr, app.GetAt(2, KindComponent));
    EXPECT_EQ(script, app.GetAt(0, AnyChild));
    EXPECT_EQ(1, app.Count(AnyChild));
    EXPECT_EQ(3, script->Depth() + on->Depth());
}

TEST(ScriptTree, FoldersAndGroupFallBackToTheParent) {
    Application app;
    app.SetSourceDir("D:\\");
    app.SetInstallDir("C:\\Pen");
    app.SetGroupName("Pen Tools");
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    Component* component = new Component(script, "Main=x");
    script->AppendChild(component);
    EXPECT_EQ("C:\\Pen", Str(component->InstallDir()));
    EXPECT_EQ("Pen Tools", Str(component->GroupName()));
    script->SetInstallDir("C:\\Other");
    script->SetGroupName("Own");
    EXPECT_EQ("C:\\Other", Str(component->InstallDir()));
    EXPECT_EQ("Own", Str(component->GroupName()));
    EXPECT_EQ("D:\\", Str(component->SourceDir()));
    app.settings.commonGroup = 1;
    EXPECT_TRUE(component->UseCommonPrograms());   // Wine reports an NT kernel
    app.settings.commonGroup = 0;
    EXPECT_FALSE(component->UseCommonPrograms());
}

TEST(ScriptTree, ComponentRecordRestartAndRemovalAnswers) {
    RegKey slot;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "SetupExt\\TreeProbeComponent\\INFNAME", slot.put()));
    Component kept(nullptr, "Pen Driver=Drv,Keys");
    kept.SaveRecord(slot.get());
    char value[64] = "";
    LONG size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueA(slot.get(), "AppDrv", value, &size));
    EXPECT_STREQ("Pen Driver", value);

    Component again(nullptr, "Pen Driver=Drv");
    again.Load(ScriptText(""), slot.get());
    EXPECT_TRUE(again.recorded);
    EXPECT_TRUE(again.CanRemove());
    again.enabled = false;   // recorded but not chosen: the product's record must stay
    EXPECT_FALSE(again.CanRemove());
    again.RemoveRecord(slot.get());
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueA(slot.get(), "AppDrv", value, &size));
    again.enabled = true;
    again.keys.restartAfterRemoval = true;
    EXPECT_TRUE(again.RestartWantedOnUninstall());
    EXPECT_FALSE(again.RestartWantedOnInstall());
    again.RemoveRecord(slot.get());
    size = sizeof value;
    EXPECT_NE(ERROR_SUCCESS, RegQueryValueA(slot.get(), "AppDrv", value, &size));

    // Driver information files that cannot be looked at keep the component's record.
    std::string other = std::string(WindowsDirectory().c_str()) + "\\INF\\OTHER";
    bool hadOther = GetFileAttributesA(other.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!hadOther) {
        kept.SaveRecord(slot.get());
        again.keys.deleteOemClass = true;
        again.keys.oemClass = "ZvTreeProbe";
        again.RemoveRecord(slot.get());
        size = sizeof value;
        EXPECT_EQ(ERROR_SUCCESS, RegQueryValueA(slot.get(), "AppDrv", value, &size));
        ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
        again.RemoveRecord(slot.get());
        RemoveDirectoryA(other.c_str());
        size = sizeof value;
        EXPECT_NE(ERROR_SUCCESS, RegQueryValueA(slot.get(), "AppDrv", value, &size));
    }

    Component unrecorded(nullptr, "Other=Other");
    unrecorded.Load(ScriptText(""), slot.get());
    EXPECT_FALSE(unrecorded.recorded);
    slot.reset();
    DeleteKeyTree(HKEY_CLASSES_ROOT, "SetupExt\\TreeProbeComponent");
}

TEST(ScriptTree, WrittenScriptCopyReadsBackToTheSameTables) {
    ScratchDir dir("write");
    ASSERT_TRUE(WriteBytes(dir / "s.inf", "[App]\r\nDefPMGroup=Pen\r\n[Disks]\r\n1=Disk one\r\n[SrcDirs]\r\n1=.\r\n"
                                          "[DstDirs]\r\n2=##\\drivers\r\n3=Pen\r\n"
                                          "[SetupApps]\r\nPen Driver=Drv,Keys,Files\r\nTools=Tls\r\n[End]\r\n"));
    Application app;
    app.SetSourceDir(dir.path().c_str());
    ASSERT_EQ(1, app.Load((dir / "s.inf").c_str(), true));
    std::string copy = dir / "copy.tmp";
    {
        FileHandle file(CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        EXPECT_TRUE(app.ScriptAt(0)->WriteScript(file.get()));
        WriteLine(file.get(), "[End]");
    }
    std::string text = ReadBytes(copy);
    std::string suffix = Str(LanguageSuffix());
    EXPECT_EQ(0u, text.find("[App" + suffix + "]\r\nAppName=\"Uninstall\","));
    EXPECT_NE(std::string::npos, text.find("\r\n\r\n[SetupApps" + suffix + "]\r\nPen Driver=Drv,Keys,Files,,,,,\r\n"
                                           "Tools=Tls,,,,,,,\r\n\r\n[SrcDirs" + suffix + "]\r\n1=.\r\n\r\n[DstDirs" +
                                           suffix + "]\r\n2=##\\drivers\r\n3=Pen\r\n\r\n[Disks" + suffix +
                                           "]\r\n1=Disk one\r\n\r\n[Keys]\r\n\r\n[End]\r\n"));

    Application reread;
    ASSERT_EQ(1, reread.Load(copy.c_str(), true));
    SetupScript* script = reread.ScriptAt(0);
    EXPECT_EQ("Disk one", Str(script->FindDisk(1)->label));
    EXPECT_EQ("##\\drivers", Str(script->FindDestDir(2)->specification));
    EXPECT_EQ("Tools", Str(reread.ComponentName(1)));
    EXPECT_EQ("Keys", Str(script->ComponentAt(0)->sections[0]));
    EXPECT_EQ("Pen", Str(reread.GroupName()));
}

TEST(ScriptTree, PreparedDirectoriesAreCreatedAndPrunedWhenEmpty) {
    ScratchDir dir("prepare");
    ASSERT_TRUE(WriteBytes(dir / "s.inf", "[DstDirs]\r\n1=Pen\\Drivers\\x64\r\n2=0\r\n3=.\r\n"
                                          "[SetupApps]\r\nMain=Main\r\n[End]\r\n"));
    std::string install = dir / "Program";
    Application app;
    app.SetInstallDir(install.c_str());
    SetupScript* script = new SetupScript(&app);
    app.AppendChild(script);
    ASSERT_EQ(1, script->Load((dir / "s.inf").c_str()));
    app.Resolve();
    ASSERT_TRUE(app.PrepareDirectories());
    EXPECT_TRUE(FileThere(install + "\\Pen\\Drivers\\x64"));

    ASSERT_TRUE(WriteBytes(install + "\\Pen\\kept.txt", "user data"));
    EXPECT_FALSE(app.RemoveDirectories());   // the folder still holds a file
    EXPECT_FALSE(FileThere(install + "\\Pen\\Drivers"));
    EXPECT_EQ("user data", ReadBytes(install + "\\Pen\\kept.txt"));

    // A folder that cannot be made (a file stands in its place) fails the preparation.
    ASSERT_TRUE(WriteBytes(install + "\\Pen\\Drivers", "file"));
    EXPECT_FALSE(app.PrepareDirectories());
}
