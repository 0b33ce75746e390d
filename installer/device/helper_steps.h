#pragma once
// Which of a component's own programs and libraries run at each point of an install or
// removal, and the command lines they get. Values in, steps out: the component only
// finds each step's file among its entries and hands the step to RunHelperStep.
#include <vector>
#include "installer/core/strbuf.h"
#include "installer/script/component_keys.h"

const int MaxHelperEntries = 8;     // further entries of a list are ignored

struct ProgramSlot {                // "IExeBefore", "IExeAfter", "UExeBefore", "UExeAfter"
    const char* name;
    bool wait;
    bool silent;
};
struct LibrarySlot {                // "LibraryReg"
    const char* name;
    bool silent;
};

// A component's lists as the script gave them; an entry without a name ends its list.
struct HelperLists {
    const ProgramSlot* installBefore = nullptr; int installBeforeCount = 0;
    const ProgramSlot* installAfter = nullptr;  int installAfterCount = 0;
    const ProgramSlot* removeBefore = nullptr;  int removeBeforeCount = 0;
    const ProgramSlot* removeAfter = nullptr;   int removeAfterCount = 0;
    const LibrarySlot* libraries = nullptr;     int libraryCount = 0;
};

enum HelperPhase { BeforeItems, AfterItems };
enum HelperKind { StartsProgram, RegistersLibrary, UnregistersLibrary };

struct HelperStep {
    HelperKind kind;
    StrBuf name;                    // looked up among the component's file entries
    bool wait;                      // libraries are always waited for
    bool silent;
    bool fromInstalledLocation;     // after-lists run the program where it was installed
};

// In order: install before = IExeBefore; install after = LibraryReg, IExeAfter;
// removal before = LibraryReg (unregistering), UExeBefore; removal after = UExeAfter.
std::vector<HelperStep> PlanHelperSteps(const HelperLists& lists, bool removal, HelperPhase phase);
// The same for a component's key section, whose tables hold the program and library slots.
std::vector<HelperStep> ComponentHelperSteps(const ComponentKeys& keys, bool removal, HelperPhase phase);

// Entries of a list that count: at most eight, up to the first one without a name.
int UsedProgramSlots(const ProgramSlot* slots, int count);
int UsedLibrarySlots(const LibrarySlot* slots, int count);

// " /Install", " /SInstall", " /Removed" or " /SRemoved".
const char* ProgramArguments(bool removal, bool silent);

// The folder a step's file is taken from: the installed location when the step asks for it
// and the file has one (it was copied in this run); otherwise the entry's destination folder.
const char* HelperDirectory(const HelperStep& step, const char* installedLocation, const char* destinationDir);

// Program: path followed by its arguments. Library: "regsvr32.exe [/s] [/u] "path"".
StrBuf HelperCommandLine(const HelperStep& step, bool removal, const char* directory);
StrBuf RegistrationCommand(const char* libraryPath, bool silent, bool unregister);
