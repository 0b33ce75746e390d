#pragma once
// The program group under the Start menu and the links placed in it or in the special folders.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "installer/record/shortcut_line.h"

// The Programs folder (all users' or the user's) joined with the group name ("" when the shell cannot say).
StrBuf ProgramGroupFolder(const char* groupName, bool useCommonPrograms);
// Makes the folder current, creating it with its parents (and telling the shell) when missing.
bool EnterOrCreateFolder(const char* folder);
// One program shortcut; the program group folder must be the current directory. A target that
// was never installed (empty location) gets no link: there is nothing for it to start.
bool CreateShortcutLink(const ShortcutLine& line, const char* installedLocation, const char* destName);
bool RemoveShortcutLink(const ShortcutLine& line);
// The uninstaller's link in the group folder: the installer copy at uninstallerPath (a full
// path: a bare name would be looked up beside whatever program saves the link) with
// " /@SetupExt\<product>".
bool CreateUninstallShortcutIn(const char* groupFolder, const char* uninstallName, const char* productName,
                               const char* uninstallerPath);
// Deletes the uninstaller's link and then the group's folders from the inside out, as far as
// they are empty; a link the user already deleted leaves the group alone.
void RemoveUninstallShortcutIn(const char* programsFolder, const char* groupName, const char* uninstallName);
// Keeps the foreground window in front while the shell reacts to a new group.
void HoldForegroundForASecond();
