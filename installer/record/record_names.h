#pragma once
// The names the installation record is kept under (HKEY_CLASSES_ROOT\SetupExt\<product>), which
// the install writes and the uninstaller, its link and the Control Panel's entry read. Pure.
#include "installer/core/strbuf.h"

// "SetupExt\<product>": the record's key below HKEY_CLASSES_ROOT.
StrBuf RecordKeyOf(const char* productName);
// " /@SetupExt\<product>": the uninstaller link's arguments.
StrBuf UninstallLinkArguments(const char* productName);
// "INFNAME" for the first slot, then "INFNAME01" to "INFNAME99".
StrBuf SlotName(int index);
const int kSlotCount = 100;
// The record value under the product key that names the installer's own copy.
extern const char kOwnCopyKey[];   // "Uninstaller"
