#pragma once
// A component's registry value, set at installation and removed at removal.
#include "installer/registry/registry_entry_line.h"
#include "installer/script/script_node.h"

class RegistryEntry : public EntryNode {
public:
    RegistryEntry(ScriptNode* owner, const char* entryText);
    bool InstallEntry(ProgressCallback callback, void* context) override;
    bool RemoveEntry(ProgressCallback callback, void* context) override;
    StrBuf WrittenLine() const override { return WriteRegistryEntryLine(line); }
    RegistryEntryLine line;
};
