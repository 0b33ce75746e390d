#include "installer/registry/registry_entry_node.h"

#include "installer/registry/registry_entry.h"

RegistryEntry::RegistryEntry(ScriptNode* owner, const char* entryText)
    : EntryNode(owner, KindRegistryEntry), line(ParseRegistryEntryLine(entryText)) {
    if (line.directoryId != 0) destDirId = line.directoryId;
}

bool RegistryEntry::InstallEntry(ProgressCallback, void*) {
    // An entry naming a directory that did not resolve gets no value rather than a wrong one.
    if (line.directoryId != 0 && !destDir) return false;
    StrBuf folder = DestinationPath();
    return ApplyRegistryEntry(line, line.directoryId != 0 ? folder.c_str() : nullptr);
}

bool RegistryEntry::RemoveEntry(ProgressCallback, void*) { return RemoveRegistryEntry(line); }
