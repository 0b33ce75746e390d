#pragma once
// A component's shortcut to one of its files, placed in the program group or a special folder.
#include "installer/record/shortcut_line.h"
#include "installer/script/script_node.h"

class Component;

class ShortcutEntry : public EntryNode {
public:
    ShortcutEntry(ScriptNode* owner, const char* entryText);
    // The program group folder is the current directory while these run.
    bool InstallEntry(ProgressCallback callback, void* context) override;
    bool RemoveEntry(ProgressCallback callback, void* context) override;
    StrBuf WrittenLine() const override { return WriteShortcutLine(line); }
    ShortcutLine line;
};

// Every shortcut of the component, in the group folder they share: true when all were made.
bool InstallShortcuts(Component& component);
bool RemoveShortcuts(Component& component);
