#pragma once
// A script's part of the installation record: its saved copy, its INFNAME slot below the
// product key with the install folder, the group and the chosen components.
#include <windows.h>
#include "installer/core/strbuf.h"

class SetupScript;

// "INFNAME" for the first slot, then "INFNAME01" to "INFNAME99".
StrBuf SlotName(int index);
const int kSlotCount = 100;

// Writes the saved copy and the slot; an unchanged script reuses the slot it had.
void WriteScriptRecord(SetupScript& script, HKEY productKey);
// Removes the components' records and, when nothing of the script stays, its copy and slot.
void RemoveScriptRecord(SetupScript& script);
