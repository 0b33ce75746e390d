#pragma once
// The registry view of the kit's own registry entries and of the folders looked up in the
// registry. On 64-bit Windows the script is a 64-bit kit (chosen by the native architecture)
// whose programs, shell extension and drivers are 64-bit: a 32-bit installer addresses the
// 64-bit view for them, as its files bypass the file-system redirection. The installation
// record stays in the installer's own view, where the same 32-bit uninstaller reads it.
#include <windows.h>

// KEY_WOW64_64KEY for an x64 or IA-64 system, 0 (accepted by every Windows) otherwise.
REGSAM KitRegistryViewFor(int nativeArchitecture);
// The view for the running system.
REGSAM KitRegistryView();
