#pragma once
// The keys of a component's key section, read line by line and written back for the
// record copy, and the device rules that choose components for the detected tablet.
#include <memory>
#include <vector>
#include "installer/core/strbuf.h"

struct ComponentProgram {
    StrBuf program;        // destination name of one of the component's files
    bool wait = false;
    bool silent = false;
};
struct ComponentLibrary {
    StrBuf library;
    bool silent = false;
};

enum ProgramTable { IExeBefore = 0, IExeAfter = 1, UExeBefore = 2, UExeAfter = 3 };
const int kProgramSlots = 8;

// The program and library lines of a key section, held only when the section has any.
struct ComponentHelperLines {
    std::vector<ComponentProgram> programs[4];
    std::vector<ComponentLibrary> libraries;
};

struct ComponentKeys {
    int spaceNeededK = 0;              // "SpaceNeeded"
    int deviceType = 0;                // "DeviceType": 0 none, 1 serial or library tablet, 2 USB tablet
    bool enabled = true;               // "DefInstall"
    bool changeable = true;            // "ConInsll"
    bool restartAfterInstall = false;  // "RestartWindows", "RebootSystem"
    bool restartAfterRemoval = false;  // "URestartWindows"
    bool deleteOemClass = false;       // "DeleteOemClass" Y/N, class
    StrBuf oemClass;

    ComponentKeys() = default;
    ComponentKeys(const ComponentKeys& other);
    ComponentKeys& operator=(const ComponentKeys& other);
    ComponentKeys(ComponentKeys&&) noexcept = default;
    ComponentKeys& operator=(ComponentKeys&&) noexcept = default;

    // In the order of their lines, each table at most kProgramSlots long.
    const std::vector<ComponentProgram>& Programs(int table) const;
    const std::vector<ComponentLibrary>& Libraries() const;
    // False, and nothing kept, when the name is empty or the table is full.
    bool AddProgram(int table, const ComponentProgram& program);
    bool AddLibrary(const ComponentLibrary& library);

private:
    // Most components have none of these lines: an empty section costs one pointer.
    std::unique_ptr<ComponentHelperLines> lines_;
    ComponentHelperLines& Lines();
};

// One line of the key section; unknown keys are ignored, a full table ignores further lines.
void ReadComponentKeyLine(ComponentKeys& keys, const StrBuf& line);
// The key section as the uninstaller needs it (the install-only keys are left out).
std::vector<StrBuf> WriteComponentKeyLines(const ComponentKeys& keys);

struct DeviceChoice {
    bool changeable;
    bool enabled;
};
// A device component after the tablet search: only a matching family is chosen, and
// nothing may be changed when the search was switched off.
DeviceChoice SelectByDeviceFor(bool noDetection, int detectedType, int forced, int componentDeviceType);

struct DeviceComponentState {
    bool enabled;
    int deviceType;
};
// Another enabled component of the other tablet family, or -1.
int FindDeviceConflictIn(const std::vector<DeviceComponentState>& components, int index);
