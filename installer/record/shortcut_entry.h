#pragma once
// A component's shortcut to one of its files, placed in the program group or a special folder.
#include "installer/record/shortcut_line.h"
#include "installer/script/script_node.h"

class ShortcutEntry : public EntryNode {
public:
    ShortcutEntry(ScriptNode* owner, const char* entryText);
    // The program group folder is the current directory while these run.
    bool InstallEntry(ProgressCallback callback, void* context) override;
    bool RemoveEntry(ProgressCallback callback, void* context) override;
    StrBuf WrittenLine() const override { return WriteShortcutLine(line); }
    ShortcutLine line;
};

// Every shortcut of a component, in the group folder they share (the component's group and
// its all-users choice): true when all were made.
bool InstallShortcuts(const ScriptNode& component, OwnedList<EntryNode>& shortcuts);
bool RemoveShortcuts(const ScriptNode& component, OwnedList<EntryNode>& shortcuts);
