#include "installer/files/ini_entry_node.h"

#include "installer/files/ini_entry_actions.h"

IniEntryNode::IniEntryNode(ScriptNode* owner, const char* entryText)
    : EntryNode(owner, KindIniEntry), entry(ReadIniEntry(entryText)) {
    if (entry.directoryNumber != 0) destDirId = entry.directoryNumber;
}

const char* IniEntryNode::Folder(StrBuf& holder) const {
    if (!destDir) return nullptr;
    holder = destDir->path;
    return holder.c_str();
}

bool IniEntryNode::InstallEntry(ProgressCallback, void*) {
    StrBuf folder;
    return ApplyIniEntry(entry, Folder(folder));
}

bool IniEntryNode::RemoveEntry(ProgressCallback, void*) {
    StrBuf folder;
    return UndoIniEntry(entry, Folder(folder));
}
