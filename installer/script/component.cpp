#include "installer/script/component.h"

#include "installer/core/handles.h"
#include "installer/registry/registry_keys.h"

Component::Component(ScriptNode* script, const StrBuf& line) : ScriptNode(script, KindComponent) {
    StrBuf value(line);
    name = CutKey(value);
    recordName = "App" + NextField(value, ',', true);
    for (StrBuf& section : sections) section = NextField(value, ',', true);
}

bool Component::Load(const ScriptText& text, HKEY recordKey) {
    spaceNeeded = 0;
    restartAfterInstall = false;
    enabled = changeable = true;
    recorded = false;
    deleteOemClassFiles = false;
    deviceType = 0;
    bool ok = ReadComponentSections(text);
    if (recordKey) {
        char value[257];
        LONG size = sizeof value;
        recorded = RegQueryValueA(recordKey, recordName, value, &size) == ERROR_SUCCESS;
    }
    return ok;
}

// The key and entry sections are read by the component reader; until it is in
// place a component carries no entries.
bool Component::ReadComponentSections(const ScriptText&) { return true; }

StrBuf Component::SetupAppsLine() const {
    StrBuf line;
    line.Format("%s=%s,%s,%s,%s,%s,%s,%s,%s", name.c_str(), recordName.Mid(3).c_str(), sections[0].c_str(),
                sections[1].c_str(), sections[2].c_str(), sections[3].c_str(), sections[4].c_str(),
                sections[5].c_str(), sections[6].c_str());
    return line;
}

OwnedList<EntryNode>* Component::EntryList(int kind) {
    switch (kind) {
    case KindFile: return &lists_[Files];
    case KindShortcut: return &lists_[Shortcuts];
    case KindIniEntry: return &lists_[IniEntries];
    case KindSpareFile: return &lists_[SpareFiles];
    case KindRegistryEntry:
    case KindRegistryEntry2: return &lists_[RegistryEntries];
    case KindRemovalFile: return &lists_[RemovalFiles];
    default: return nullptr;
    }
}

void Component::ForEachEntry(const std::function<void(EntryNode&)>& visit) {
    for (OwnedList<EntryNode>& list : lists_)
        for (int i = 0; i < list.Count(); ++i) visit(*list.At(i));
}

const EntryNode* Component::FindFileByLinkName(const char* linkName) {
    OwnedList<EntryNode>& files = lists_[Files];
    for (int i = 0; i < files.Count(); ++i)
        if (CompareNoCase(files.At(i)->LinkName(), linkName) == 0) return files.At(i);
    return nullptr;
}

ScriptNode* Component::GetAt(int index, int kind, int* childPosition, int* indexInChild) {
    if (OwnedList<EntryNode>* list = EntryList(kind)) return list->At(index);
    return ScriptNode::GetAt(index, kind, childPosition, indexInChild);
}

int Component::Count(int kind) {
    if (OwnedList<EntryNode>* list = EntryList(kind)) return enabled ? list->Count() : 0;
    return ScriptNode::Count(kind);
}

bool Component::InstallWalk(int kind, ProgressCallback callback, void* context) {
    return !enabled || ScriptNode::InstallWalk(kind, callback, context);
}

bool Component::RemoveWalk(int kind, ProgressCallback callback, void* context) {
    return !enabled || ScriptNode::RemoveWalk(kind, callback, context);
}

void Component::SaveRecord(HKEY key) {
    if (!enabled) return;
    // RegSetValueA creates the subkey when it is missing and closes it again.
    RegSetValueA(key, recordName, REG_SZ, name, static_cast<DWORD>(name.Length()));
}

void Component::RemoveRecord(HKEY key) {
    if (!enabled) return;
    DeleteKeyTree(key, recordName);
}
