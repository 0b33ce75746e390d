#pragma once
// A script's part of the installation record: its saved copy, its INFNAME slot below the
// product key with the install folder, the group and the chosen components.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "installer/record/record_names.h"

class ScriptNode;

// Writes the saved copy of a script node and its slot; an unchanged script reuses the slot it had.
void WriteScriptRecord(ScriptNode& script, HKEY productKey);
// Removes the components' records and, when nothing of the script stays, its copy and its
// slot (the key path the record was read from).
void RemoveScriptRecord(ScriptNode& script, const StrBuf& slotPath);
