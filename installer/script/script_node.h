#pragma once
// The script tree: one Application owns one SetupScript per script file, a script owns
// its components, a component owns its entries. The virtual operations walk the tree.
#include <windows.h>
#include <cstdint>
#include "installer/core/strbuf.h"
#include "installer/script/ptr_array.h"
#include "installer/script/script_tables.h"

enum NodeKind {
    KindApplication = 2,
    KindComponent = 3,
    KindDisks = 4,       // tables of a SetupScript
    KindSrcDirs = 5,
    KindDstDirs = 6,
    KindFile = 8,
    KindShortcut = 9,
    KindIniEntry = 10,
    KindSpareFile = 11,
    KindRegistryEntry = 12,
    KindRegistryEntry2 = 13,
    KindRemovalFile = 14,
    KindScript = 10000,
    AnyChild = 10001,    // selector: direct children by position
};

// Events a walk raises around its list; the callback's non-zero answer to a
// beginning cancels the walk.
enum WalkEvent { WalkListBegin = 16, WalkListEnd = 17, WalkUnlistBegin = 18, WalkUnlistEnd = 19 };
// (event, parameter, request, context): for walk events the parameter is the entry
// kind and the request the walking node's parent (0 for the application).
using ProgressCallback = int (*)(unsigned event, uintptr_t parameter, uintptr_t request, void* context);

class ScriptNode {
public:
    explicit ScriptNode(ScriptNode* parent, int kind = AnyChild);
    virtual ~ScriptNode();
    ScriptNode(const ScriptNode&) = delete;
    ScriptNode& operator=(const ScriptNode&) = delete;

    virtual ScriptNode* GetAt(int index, int kind, int* childPosition = nullptr, int* indexInChild = nullptr);
    virtual int Count(int kind);
    virtual bool InstallWalk(int kind, ProgressCallback callback, void* context);
    virtual bool RemoveWalk(int kind, ProgressCallback callback, void* context);
    virtual DirEntry* FindSourceDir(int id);
    virtual DirEntry* FindDestDir(int id);
    virtual StrBuf SourceDir() const;
    virtual StrBuf InstallDir() const;
    virtual StrBuf GroupName() const;
    virtual bool UseCommonPrograms() const;
    virtual bool RestartWantedOnInstall();
    virtual bool RestartWantedOnUninstall();
    virtual void SaveRecord(HKEY key);
    virtual void RemoveRecord(HKEY key);
    virtual bool CanRemove();
    virtual void RunAfterPrograms();
    virtual void RunBeforePrograms();
    virtual void Resolve();
    // Each node's install folder and then its children's; defined by the files subsystem.
    virtual bool PrepareDirectories();
    virtual bool RemoveDirectories();
    virtual bool WriteScript(HANDLE file);

    ScriptNode* Parent() const { return parent_; }
    int Kind() const { return kind_; }
    int Depth() const;
    int ChildCount() const { return children_.Count(); }
    ScriptNode* Child(int position) const { return children_.At(position); }
    bool AppendChild(ScriptNode* child) { return children_.Append(child); }
    void DeleteChild(int position) { children_.Delete(position); }

    const StrBuf& OwnSourceDir() const { return sourceDir_; }
    const StrBuf& OwnInstallDir() const { return installDir_; }
    void SetSourceDir(const char* dir) { sourceDir_ = dir; }
    void SetInstallDir(const char* dir) { installDir_ = dir; }
    void SetGroupName(const char* name) { groupName_ = name; }

protected:
    bool Walk(int kind, ProgressCallback callback, void* context, bool install);
    const StrBuf& OwnGroupName() const { return groupName_; }

private:
    ScriptNode* parent_;
    OwnedList<ScriptNode> children_;
    StrBuf groupName_;
    StrBuf sourceDir_;
    StrBuf installDir_;
    int kind_;
};

// Base of the entries a component owns (files, shortcuts, INI and registry entries).
// A subclass sets its kind and the ids it wants linked; the script's linking step
// fills the references. kNoLink marks an id the entry does not have.
class EntryNode : public ScriptNode {
public:
    static const int kNoLink = 0x7FFFFFFF;
    EntryNode(ScriptNode* owner, int kind) : ScriptNode(owner, kind) {}

    int diskId = kNoLink;
    int sourceDirId = kNoLink;
    int destDirId = kNoLink;     // negative: source directory -id
    StrBuf targetName;           // shortcuts: destination name of a file of the same component

    const DiskEntry* disk = nullptr;
    const DirEntry* sourceDir = nullptr;
    const DirEntry* destDir = nullptr;
    const EntryNode* target = nullptr;

    // The name a shortcut's target field is compared with (file entries: the destination name).
    virtual const char* LinkName() const { return ""; }
    // Where this run put the entry's file ("" before it is in place, and for other entries).
    virtual StrBuf InstalledLocation() const { return StrBuf(); }
    // What the entry does on the machine in an install or a removal run, and its line in
    // the record copy.
    virtual bool InstallEntry(ProgressCallback callback, void* context) { return true; }
    virtual bool RemoveEntry(ProgressCallback callback, void* context) { return true; }
    virtual StrBuf WrittenLine() const { return StrBuf(); }
    // The resolved path of the entry's destination directory ("" when it has none).
    StrBuf DestinationPath() const { return destDir ? destDir->path : StrBuf(); }
};
