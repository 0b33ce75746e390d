#include "installer/record/shortcut_entry.h"

#include "installer/record/program_group.h"

ShortcutEntry::ShortcutEntry(ScriptNode* owner, const char* entryText)
    : EntryNode(owner, KindShortcut), line(ParseShortcutLine(entryText)) {
    targetName = line.target;
}

bool ShortcutEntry::InstallEntry(ProgressCallback, void*) {
    if (!target) return LinkPlaceFor(line.folderCode).folder == LinkFolder::None;
    return CreateShortcutLink(line, target->InstalledLocation(), target->LinkName());
}

bool ShortcutEntry::RemoveEntry(ProgressCallback, void*) { return RemoveShortcutLink(line); }

namespace {
StrBuf ComponentGroupFolder(const ScriptNode& component) {
    return ProgramGroupFolder(component.GroupName(), component.UseCommonPrograms());
}

bool EachShortcut(OwnedList<EntryNode>& shortcuts, bool install) {
    bool all = true;
    for (int i = 0; i < shortcuts.Count(); ++i) {
        EntryNode* entry = shortcuts.At(i);
        all = (install ? entry->InstallEntry(nullptr, nullptr) : entry->RemoveEntry(nullptr, nullptr)) && all;
    }
    return all;
}
}  // namespace

bool InstallShortcuts(const ScriptNode& component, OwnedList<EntryNode>& shortcuts) {
    if (component.GroupName().IsEmpty()) return true;
    if (!EnterOrCreateFolder(ComponentGroupFolder(component))) return false;
    return EachShortcut(shortcuts, true);
}

bool RemoveShortcuts(const ScriptNode& component, OwnedList<EntryNode>& shortcuts) {
    if (component.GroupName().IsEmpty()) return true;
    StrBuf folder = ComponentGroupFolder(component);
    if (folder.IsEmpty() || !SetCurrentDirectoryA(folder)) return true;
    return EachShortcut(shortcuts, false);
}
