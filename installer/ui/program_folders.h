#pragma once
// The folders offered as program groups: those directly inside the Start menu's
// programs folder, by the names the file system gives them.
#include <windows.h>
#include <shlobj.h>
#include <vector>
#include "installer/core/strbuf.h"

// The names (last path component) of the folders the shell folder lists; empty when it
// cannot list them. Not the display names: on a localized Windows "Startup" shows as
// "Autostart", and a group chosen by that name would be made beside the real folder.
std::vector<StrBuf> ProgramFolderNames(IShellFolder* programs);

// The same for the user's programs folder (CSIDL_PROGRAMS).
std::vector<StrBuf> ProgramFolderNames();
