#include "installer/record/shortcut_entry.h"

#include "installer/record/program_group.h"
#include "installer/script/component.h"
#include "installer/script/file_entry.h"

ShortcutEntry::ShortcutEntry(ScriptNode* owner, const char* entryText)
    : EntryNode(owner, KindShortcut), line(ParseShortcutLine(entryText)) {
    targetName = line.target;
}

bool ShortcutEntry::InstallEntry(ProgressCallback, void*) {
    const FileEntry* file = static_cast<const FileEntry*>(target);
    if (!file) return LinkPlaceFor(line.folderCode).folder == LinkFolder::None;
    return CreateShortcutLink(line, file->installedLocation, file->fields.destName);
}

bool ShortcutEntry::RemoveEntry(ProgressCallback, void*) { return RemoveShortcutLink(line); }

namespace {
StrBuf ComponentGroupFolder(Component& component) {
    return ProgramGroupFolder(component.GroupName(), component.UseCommonPrograms());
}

bool EachShortcut(Component& component, bool install) {
    OwnedList<EntryNode>* shortcuts = component.EntryList(KindShortcut);
    bool all = true;
    for (int i = 0; i < shortcuts->Count(); ++i) {
        EntryNode* entry = shortcuts->At(i);
        all = (install ? entry->InstallEntry(nullptr, nullptr) : entry->RemoveEntry(nullptr, nullptr)) && all;
    }
    return all;
}
}  // namespace

bool InstallShortcuts(Component& component) {
    if (component.GroupName().IsEmpty()) return true;
    if (!EnterOrCreateFolder(ComponentGroupFolder(component))) return false;
    return EachShortcut(component, true);
}

bool RemoveShortcuts(Component& component) {
    if (component.GroupName().IsEmpty()) return true;
    StrBuf folder = ComponentGroupFolder(component);
    if (folder.IsEmpty() || !SetCurrentDirectoryA(folder)) return true;
    return EachShortcut(component, false);
}
