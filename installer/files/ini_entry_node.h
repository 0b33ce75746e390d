#pragma once
// A component's change to an INI file, applied at installation and undone at removal.
#include "installer/files/ini_entry.h"
#include "installer/script/script_node.h"

class IniEntryNode : public EntryNode {
public:
    IniEntryNode(ScriptNode* owner, const char* entryText);
    bool InstallEntry(ProgressCallback callback, void* context) override;
    bool RemoveEntry(ProgressCallback callback, void* context) override;
    StrBuf WrittenLine() const override { return FormatIniEntry(entry); }
    IniEntry entry;
private:
    const char* Folder(StrBuf& holder) const;
};
