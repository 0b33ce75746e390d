#pragma once
// Applying an INI entry at installation and undoing it at removal, through the profile
// interface and, for repeated keys, by rewriting the file.
#include "installer/files/ini_entry.h"

// folder: the resolved path of the entry's directory, null when it has none. True on success
// or when there was nothing to do; false when the file or the temporary file cannot be opened.
// A "remove at installation" entry also sets removeOnUninstall, which the record copy keeps.
bool ApplyIniEntry(IniEntry& entry, const char* folder);
bool UndoIniEntry(const IniEntry& entry, const char* folder);
