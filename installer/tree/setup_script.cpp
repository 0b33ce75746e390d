#include "installer/tree/setup_script.h"

#include "installer/record/script_record.h"

#include <climits>

#include "installer/core/handles.h"
#include "installer/core/process_facts.h"
#include "installer/core/system_paths.h"
#include "installer/files/disk_and_directories.h"
#include "installer/registry/well_known_locations.h"
#include "installer/registry/registry_keys.h"
#include "installer/tree/component.h"
#include "installer/script/mapped_file.h"

namespace {

// RegQueryValue of a subkey's default value, at most 256 characters; empty when unreadable.
StrBuf SubkeyDefault(HKEY key, const char* subkey) {
    StrBuf value;
    if (!ReadKeyDefault(value, key, subkey)) return StrBuf();
    return value;
}

void WriteLines(HANDLE file, bool& ok, const char* header, int count, const std::function<StrBuf(int)>& line) {
    if (count > 0) ok = WriteLine(file, header) && ok;
    for (int i = 0; i < count; ++i) ok = WriteLine(file, line(i)) && ok;
    ok = WriteLine(file, "") && ok;
}

}  // namespace

DirectoryFacts MachineDirectoryFacts() {
    DirectoryFacts facts;
    facts.windowsDirectory = WindowsDirectory();
    facts.systemDirectory = SystemDirectory();
    // The boot drive is taken to be the drive Windows runs from.
    facts.bootRoot = facts.windowsDirectory.Left(3);
    facts.expandMacro = [](StrBuf& path) { return ExpandPathMacro(path); };
    return facts;
}

int SetupScript::Load(const char* path, const char* recordKey) {
    RegKey record;
    if (recordKey) {
        recordKey_ = recordKey;
        if (RegOpenKeyA(HKEY_CLASSES_ROOT, recordKey, record.put()) == ERROR_SUCCESS) {
            SetGroupName(SubkeyDefault(record.get(), "GroupName"));
            SetInstallDir(SubkeyDefault(record.get(), "PATH"));
        } else {
            record.reset();
        }
    }
    MappedFile file(path);
    ReadSections(file.Text(), record.get());
    int components = Count(AnyChild);
    if (components > 0) LinkEntries();
    return components;
}

void SetupScript::ReadSections(const ScriptText& text, HKEY recordHandle) {
    MappedIncludeFiles files;
    IncludeFollower::Context context;
    context.sourceDir = SourceDir();
    context.files = &files;
    context.languageSuffix = LanguageSuffix();
    auto read = [&](const char* name, int kind, std::function<void(const StrBuf&)> take) {
        LineFunctionReader inner(std::move(take));
        IncludeFollower reader(text, kind, inner, context);
        ParseSection(text, name, kind, reader, context.languageSuffix);
    };
    read("Disks", KindDisks, [&](const StrBuf& line) { disks_.Append(new DiskEntry(ReadDiskLine(line))); });
    read("DstDirs", KindDstDirs, [&](const StrBuf& line) { destDirs_.Append(new DirEntry(ReadDirLine(line))); });
    read("SrcDirs", KindSrcDirs, [&](const StrBuf& line) { sourceDirs_.Append(new DirEntry(ReadDirLine(line))); });
    read("SetupApps", KindComponent, [&](const StrBuf& line) { AddComponent(text, line, recordHandle); });
}

void SetupScript::AddComponent(const ScriptText& text, const StrBuf& line, HKEY recordHandle) {
    Component* component = new Component(this, line);
    component->Load(text, recordHandle);
    // The uninstaller keeps only what the record says was installed.
    if (RunMode() == RunUninstallMode && !component->recorded) {
        delete component;
        return;
    }
    AppendChild(component);
}

Component* SetupScript::ComponentAt(int position) const { return static_cast<Component*>(Child(position)); }

DiskEntry* SetupScript::FindDisk(int id) {
    for (int i = 0; i < disks_.Count(); ++i)
        if (disks_.At(i)->id == id) return disks_.At(i);
    return nullptr;
}

DirEntry* SetupScript::FindSourceDir(int id) {
    for (int i = 0; i < sourceDirs_.Count(); ++i)
        if (sourceDirs_.At(i)->id == id) return sourceDirs_.At(i);
    return nullptr;
}

DirEntry* SetupScript::FindDestDir(int id) {
    // -INT_MIN has no int: such an id names nothing.
    if (id < 0) return id == INT_MIN ? nullptr : FindSourceDir(-id);
    for (int i = 0; i < destDirs_.Count(); ++i)
        if (destDirs_.At(i)->id == id) return destDirs_.At(i);
    return nullptr;
}

void SetupScript::LinkEntries() {
    for (int c = 0; c < ChildCount(); ++c) {
        Component* component = ComponentAt(c);
        component->ForEachEntry([&](EntryNode& entry) {
            if (entry.diskId != EntryNode::kNoLink) entry.disk = FindDisk(entry.diskId);
            if (entry.sourceDirId != EntryNode::kNoLink) entry.sourceDir = FindSourceDir(entry.sourceDirId);
            if (entry.destDirId != EntryNode::kNoLink) entry.destDir = FindDestDir(entry.destDirId);
            if (entry.Kind() == KindShortcut) entry.target = component->FindFileByLinkName(entry.targetName);
        });
    }
}

int SetupScript::Count(int kind) {
    switch (kind) {
    case KindDisks: return disks_.Count();
    case KindSrcDirs: return sourceDirs_.Count();
    case KindDstDirs: return destDirs_.Count();
    default: return ScriptNode::Count(kind);
    }
}

void SetupScript::SaveRecord(HKEY productKey) { WriteScriptRecord(*this, productKey); }

// Components keep their records below this script's own slot key.
void SetupScript::RemoveRecord(HKEY) { RemoveScriptRecord(*this, RecordKey()); }

void SetupScript::Resolve() {
    DirectoryFacts facts = MachineDirectoryFacts();
    StrBuf source = SourceDir(), install = InstallDir();
    for (int i = 0; i < sourceDirs_.Count(); ++i)
        sourceDirs_.At(i)->path = ResolveDirSpec(sourceDirs_.At(i)->specification, source, StrBuf(), facts);
    for (int i = 0; i < destDirs_.Count(); ++i)
        destDirs_.At(i)->path = ResolveDirSpec(destDirs_.At(i)->specification, install, source, facts);
    ScriptNode::Resolve();
}

bool SetupScript::PrepareDirectories() {
    for (int i = 0; i < destDirs_.Count(); ++i) {
        const StrBuf& path = destDirs_.At(i)->path;
        // A "0" directory resolves to nothing and needs no folder.
        if (!path.IsEmpty() && !CreateDirectoryTree(path)) return false;
    }
    return ScriptNode::PrepareDirectories();
}

bool SetupScript::WriteScript(HANDLE file) {
    bool ok = Parent() ? Parent()->WriteScript(file) : true;
    StrBuf suffix = LanguageSuffix();
    WriteLines(file, ok, SectionHeaderLine("SetupApps", suffix), ChildCount(),
               [&](int i) { return ComponentAt(i)->SetupAppsLine(); });
    WriteLines(file, ok, SectionHeaderLine("SrcDirs", suffix), sourceDirs_.Count(),
               [&](int i) { return DirLine(*sourceDirs_.At(i)); });
    WriteLines(file, ok, SectionHeaderLine("DstDirs", suffix), destDirs_.Count(),
               [&](int i) { return DirLine(*destDirs_.At(i)); });
    WriteLines(file, ok, SectionHeaderLine("Disks", suffix), disks_.Count(),
               [&](int i) { return DiskLine(*disks_.At(i)); });
    for (int i = 0; i < ChildCount(); ++i) ok = Child(i)->WriteScript(file) && ok;
    return ok;
}
