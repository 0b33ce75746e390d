#pragma once
// One installable unit: a line of a script's "SetupApps" section. Its key section and
// entry sections are read by ReadComponentSections; the entries live in lists per kind.
#include <functional>
#include <windows.h>
#include "installer/script/component_keys.h"
#include "installer/script/script_node.h"
#include "installer/script/script_reader.h"

class Component : public ScriptNode {
public:
    static const int kSectionCount = 8;

    // line: "name=f1,f2,...,f9" as it stands in "SetupApps".
    Component(ScriptNode* script, const StrBuf& line);

    // Resets the load-time flags, reads the sections and checks the record below recordKey.
    bool Load(const ScriptText& text, HKEY recordKey);
    // The line written back into "SetupApps" of the record copy.
    StrBuf SetupAppsLine() const;

    OwnedList<EntryNode>* EntryList(int kind);
    // The first file entry whose destination name equals name, ignoring case; null when none.
    class FileEntry* FindFileByDestName(const char* name);
    void ForEachEntry(const std::function<void(EntryNode&)>& visit);
    // The first entry of the file list whose link name equals name, ignoring case.
    const EntryNode* FindFileByLinkName(const char* name);

    ScriptNode* GetAt(int index, int kind, int* childPosition = nullptr, int* indexInChild = nullptr) override;
    int Count(int kind) override;
    bool InstallWalk(int kind, ProgressCallback callback, void* context) override;
    bool RemoveWalk(int kind, ProgressCallback callback, void* context) override;
    bool RestartWantedOnInstall() override { return enabled && keys.restartAfterInstall; }
    bool RestartWantedOnUninstall() override { return enabled && keys.restartAfterRemoval; }
    void SaveRecord(HKEY key) override;
    void RemoveRecord(HKEY key) override;
    bool CanRemove() override { return !(recorded && !enabled); }
    void RunBeforePrograms() override;
    void RunAfterPrograms() override;
    bool WriteScript(HANDLE file) override;
    // Chooses the component for the detected tablet family.
    void SelectByDevice(bool noDetection, int detectedType, int forced);

    StrBuf name;
    StrBuf recordName;                  // "App" + f1
    StrBuf sections[kSectionCount];     // f2..f9
    // The user's choice, starting from the key section's defaults.
    bool enabled = true;
    bool changeable = true;
    bool recorded = false;
    // The key section as read: what the record copy writes back and what the run asks.
    ComponentKeys keys;

private:
    bool ReadComponentSections(const ScriptText& text);
    void TakeSectionLine(int kind, const StrBuf& line);
    void ExpandCopyFolder(const StrBuf& value);
    void RunHelpers(bool afterItems);
    enum { Files, Shortcuts, IniEntries, SpareFiles, RegistryEntries, RemovalFiles, ListCount };
    OwnedList<EntryNode> lists_[ListCount];
};
