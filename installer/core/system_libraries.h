#pragma once
// The libraries the installer loads itself, and the file-system redirection they depend on.
// A 32-bit installer on 64-bit Windows switches redirection off at start-up so that it sees
// the real system folders; from then on the system directory it names is the 64-bit one, whose
// libraries a 32-bit process cannot load. So every library it uses is either loaded from the
// system directory before redirection goes off, or loaded with redirection back on around it.
#include <windows.h>

// The libraries used on demand later in the run: version (file installation), lz32 (the
// script and file copies) and the configuration manager. Each is loaded by its full path in
// the system directory, so that a copy planted beside the installer is never taken; they stay
// loaded for the whole run. False when one of them could not be loaded.
bool LoadSystemLibraries();
extern const char* const kSystemLibraries[3];

// Loads a library by name with redirection switched back on for the load alone (off again
// afterwards, as it was): the tablet library, which is not a system library of every kit.
HMODULE LoadLibraryRedirected(const char* name);

// Wow64EnableWow64FsRedirection looked up by name (absent before 64-bit Windows).
void SwitchFsRedirection(bool on);
// Tests watch the switch: the function is called in place of the system's, with whether
// redirection is to go on. Null restores the system's.
using FsRedirectionSwitch = void (*)(bool on);
void SetFsRedirectionSwitch(FsRedirectionSwitch watcher);
