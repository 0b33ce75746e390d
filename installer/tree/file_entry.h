#pragma once
// A file a component installs or removes: its line, its links to the script's tables and,
// once copied in this run, the folder it was installed to.
#include "installer/script/file_entry_line.h"
#include "installer/script/script_node.h"

class FileEntry : public EntryNode {
public:
    // kind: KindFile, KindSpareFile or KindRemovalFile, after the section it stands in.
    FileEntry(ScriptNode* owner, int kind, const char* entryText);

    const char* LinkName() const override { return fields.destName; }
    StrBuf InstalledLocation() const override { return installedLocation; }
    bool InstallEntry(ProgressCallback callback, void* context) override;
    bool RemoveEntry(ProgressCallback callback, void* context) override;
    StrBuf WrittenLine() const override { return WriteFileEntryLine(fields); }

    FileEntryLine fields;
    StrBuf installedLocation;   // empty until the file is in place; not kept in the record copy
};
