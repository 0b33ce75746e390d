#pragma once
// One script file in the tree: its "Disks", "SrcDirs" and "DstDirs" tables and its
// components (one per "SetupApps" line).
#include <windows.h>
#include "installer/script/script_node.h"
#include "installer/script/script_reader.h"

class Component;

class SetupScript : public ScriptNode {
public:
    explicit SetupScript(ScriptNode* application) : ScriptNode(application, KindScript) {}

    // Reads the script at path (again: appends to what is there); with a record key the
    // group name, install folder and component records come from HKEY_CLASSES_ROOT\recordKey.
    // Returns the number of components.
    int Load(const char* path, const char* recordKey = nullptr);

    DiskEntry* FindDisk(int id);
    DirEntry* FindSourceDir(int id) override;
    DirEntry* FindDestDir(int id) override;   // -n: source directory n
    DiskEntry* DiskAt(int i) const { return disks_.At(i); }
    DirEntry* SourceDirAt(int i) const { return sourceDirs_.At(i); }
    DirEntry* DestDirAt(int i) const { return destDirs_.At(i); }
    const StrBuf& RecordKey() const { return recordKey_; }
    Component* ComponentAt(int position) const;

    int Count(int kind) override;
    void SaveRecord(HKEY productKey) override;
    void RemoveRecord(HKEY key) override;
    void Resolve() override;
    bool PrepareDirectories() override;
    bool WriteScript(HANDLE file) override;

    // Links every entry of every component to its disk, directories and target.
    void LinkEntries();

private:
    void ReadSections(const ScriptText& text, HKEY recordHandle);
    void AddComponent(const ScriptText& text, const StrBuf& line, HKEY recordHandle);

    StrBuf recordKey_;
    OwnedList<DiskEntry> disks_;
    OwnedList<DirEntry> sourceDirs_;
    OwnedList<DirEntry> destDirs_;
};

// The machine's folders that directory specifications refer to.
DirectoryFacts MachineDirectoryFacts();
