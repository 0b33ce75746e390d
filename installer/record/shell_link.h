#pragma once
// Shell-link files made through the shell's link object, announced to the shell.
#include <windows.h>
#include "installer/core/strbuf.h"

// Null texts are not set. False when the link object cannot be made or the file not saved.
bool CreateShellLink(const char* linkPath, const char* targetPath, const char* description,
                     const char* workingDirectory, const char* arguments);
// The shell's view of folder and link changes.
void AnnounceCreated(const char* path);
void AnnounceDeleted(const char* path);
void AnnounceFolderMade(const char* path);
void AnnounceFolderRemoved(const char* path);
