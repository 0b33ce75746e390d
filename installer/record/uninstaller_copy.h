#pragma once
// Which copy of the installer the uninstaller's link starts. The link must name a file that
// stays on the machine: the medium the installer ran from is usually gone by the time the
// user removes the product.
#include <windows.h>
#include "installer/core/strbuf.h"
#include "installer/record/record_names.h"

// Copies the running program into folder under its own name; the copy's path, "" on failure.
StrBuf CopyOwnProgramInto(const char* folder);

// What the removal does with the recorded copy: delete it, or, when it is the running
// program itself (the link started it), schedule it and its then empty folder for the
// next start of Windows.
enum class OwnCopyFate { Deleted, ScheduledForRestart };
// Returns the fate taken.
OwnCopyFate RemoveOwnCopy(const char* copyPath);
// True when the copy's folder holds nothing but the copy.
bool OnlyOwnCopyLeft(const char* copyPath);
