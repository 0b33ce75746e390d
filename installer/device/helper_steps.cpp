#include "installer/device/helper_steps.h"
#include "installer/core/path_text.h"

namespace {
bool Named(const char* name) { return name && *name; }

void AddPrograms(std::vector<HelperStep>& steps, const ProgramSlot* slots, int count, bool afterItems) {
    int used = UsedProgramSlots(slots, count);
    for (int i = 0; i < used; ++i)
        steps.push_back({StartsProgram, slots[i].name, slots[i].wait, slots[i].silent, afterItems});
}

void AddLibraries(std::vector<HelperStep>& steps, const LibrarySlot* slots, int count, HelperKind kind) {
    int used = UsedLibrarySlots(slots, count);
    for (int i = 0; i < used; ++i)
        steps.push_back({kind, slots[i].name, true, slots[i].silent, false});
}
}  // namespace

int UsedProgramSlots(const ProgramSlot* slots, int count) {
    int used = 0;
    while (slots && used < count && used < MaxHelperEntries && Named(slots[used].name)) ++used;
    return used;
}

int UsedLibrarySlots(const LibrarySlot* slots, int count) {
    int used = 0;
    while (slots && used < count && used < MaxHelperEntries && Named(slots[used].name)) ++used;
    return used;
}

std::vector<HelperStep> PlanHelperSteps(const HelperLists& lists, bool removal, HelperPhase phase) {
    std::vector<HelperStep> steps;
    bool after = phase == AfterItems;
    if (!removal && !after) {
        AddPrograms(steps, lists.installBefore, lists.installBeforeCount, false);
    } else if (!removal) {
        AddLibraries(steps, lists.libraries, lists.libraryCount, RegistersLibrary);
        AddPrograms(steps, lists.installAfter, lists.installAfterCount, true);
    } else if (!after) {
        AddLibraries(steps, lists.libraries, lists.libraryCount, UnregistersLibrary);
        AddPrograms(steps, lists.removeBefore, lists.removeBeforeCount, false);
    } else {
        AddPrograms(steps, lists.removeAfter, lists.removeAfterCount, true);
    }
    return steps;
}

std::vector<HelperStep> ComponentHelperSteps(const ComponentKeys& keys, bool removal, HelperPhase phase) {
    ProgramSlot programs[4][kProgramSlots];
    LibrarySlot libraries[kProgramSlots];
    int programCounts[4] = {0, 0, 0, 0};
    for (int table = 0; table < 4; ++table)
        for (const ComponentProgram& p : keys.Programs(table))
            if (programCounts[table] < kProgramSlots) programs[table][programCounts[table]++] = {p.program.c_str(), p.wait, p.silent};
    int libraryCount = 0;
    for (const ComponentLibrary& l : keys.Libraries())
        if (libraryCount < kProgramSlots) libraries[libraryCount++] = {l.library.c_str(), l.silent};
    HelperLists lists;
    lists.installBefore = programs[IExeBefore]; lists.installBeforeCount = programCounts[IExeBefore];
    lists.installAfter = programs[IExeAfter];   lists.installAfterCount = programCounts[IExeAfter];
    lists.removeBefore = programs[UExeBefore];  lists.removeBeforeCount = programCounts[UExeBefore];
    lists.removeAfter = programs[UExeAfter];    lists.removeAfterCount = programCounts[UExeAfter];
    lists.libraries = libraries;                lists.libraryCount = libraryCount;
    return PlanHelperSteps(lists, removal, phase);
}

const char* ProgramArguments(bool removal, bool silent) {
    if (removal) return silent ? " /SRemoved" : " /Removed";
    return silent ? " /SInstall" : " /Install";
}

const char* HelperDirectory(const HelperStep& step, const char* installedLocation, const char* destinationDir) {
    if (step.fromInstalledLocation && Named(installedLocation)) return installedLocation;
    return destinationDir ? destinationDir : "";
}

StrBuf RegistrationCommand(const char* libraryPath, bool silent, bool unregister) {
    StrBuf command("regsvr32.exe");
    if (silent) command += " /s";
    if (unregister) command += " /u";
    command += " \"";
    command += libraryPath;
    command += "\"";
    return command;
}

StrBuf HelperCommandLine(const HelperStep& step, bool removal, const char* directory) {
    StrBuf path = JoinPath(directory, step.name);
    if (step.kind != StartsProgram) return RegistrationCommand(path, step.silent, step.kind == UnregistersLibrary);
    return path + ProgramArguments(removal, step.silent);
}
