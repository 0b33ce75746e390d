#pragma once
// The product's entry in the system's list of installed programs (the Control Panel's list),
// below HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\<product>.
// It starts the same installed uninstaller as the Start-menu link, and goes with the record.
#include <vector>
#include "installer/core/strbuf.h"

struct ProgramsListFacts {
    StrBuf productName;
    StrBuf uninstaller;     // the installed copy's full path
    StrBuf recordKey;       // "SetupExt\<product>"
    StrBuf installDir;
    int sizeK = 0;          // the enabled components' "SpaceNeeded"
    StrBuf publisher;       // both from the product program's version resource; empty: not written
    StrBuf version;
};

struct ProgramsListValue {
    const char* name;
    bool isNumber;
    StrBuf text;
    unsigned number;
};

// The entry's key below HKEY_LOCAL_MACHINE.
StrBuf ProgramsListKeyPath(const char* productName);
// The uninstall command: the uninstaller in quotes, then the record switch (which ends the
// command line); the quiet form puts "/S" before it.
StrBuf UninstallCommand(const ProgramsListFacts& facts, bool quiet);
// The values of the entry, in the order they are written.
std::vector<ProgramsListValue> ProgramsListValues(const ProgramsListFacts& facts);

#ifdef _WIN32
// Writes the entry (replacing one of an earlier install); false when it could not be made.
bool WriteProgramsListEntry(const ProgramsListFacts& facts);
void DeleteProgramsListEntry(const char* productName);
#endif
