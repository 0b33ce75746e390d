#include "installer/script/component_keys.h"

#include "installer/script/script_reader.h"

namespace {
const char* const kProgramKeys[4] = {"IExeBefore", "IExeAfter", "UExeBefore", "UExeAfter"};
const std::vector<ComponentProgram> kNoPrograms;
const std::vector<ComponentLibrary> kNoLibraries;

bool IsProgramTable(int table) { return table >= 0 && table < 4; }

void ReadProgramLine(ComponentKeys& keys, int table, StrBuf& value) {
    ComponentProgram program;
    program.program = NextField(value, ',', true);
    program.wait = ReadYesNo(value);
    program.silent = ReadYesNo(value);
    keys.AddProgram(table, program);
}

void ReadLibraryLine(ComponentKeys& keys, StrBuf& value) {
    ComponentLibrary library;
    library.library = NextField(value, ',', true);
    library.silent = ReadYesNo(value);
    keys.AddLibrary(library);
}
}  // namespace

ComponentKeys::ComponentKeys(const ComponentKeys& other)
    : spaceNeededK(other.spaceNeededK), deviceType(other.deviceType), enabled(other.enabled),
      changeable(other.changeable), restartAfterInstall(other.restartAfterInstall),
      restartAfterRemoval(other.restartAfterRemoval), deleteOemClass(other.deleteOemClass), oemClass(other.oemClass),
      lines_(other.lines_ ? new ComponentHelperLines(*other.lines_) : nullptr) {}

ComponentKeys& ComponentKeys::operator=(const ComponentKeys& other) {
    if (this != &other) *this = ComponentKeys(other);
    return *this;
}

const std::vector<ComponentProgram>& ComponentKeys::Programs(int table) const {
    return lines_ && IsProgramTable(table) ? lines_->programs[table] : kNoPrograms;
}

const std::vector<ComponentLibrary>& ComponentKeys::Libraries() const {
    return lines_ ? lines_->libraries : kNoLibraries;
}

ComponentHelperLines& ComponentKeys::Lines() {
    if (!lines_) lines_.reset(new ComponentHelperLines);
    return *lines_;
}

bool ComponentKeys::AddProgram(int table, const ComponentProgram& program) {
    if (!IsProgramTable(table) || program.program.IsEmpty() || Programs(table).size() >= kProgramSlots) return false;
    Lines().programs[table].push_back(program);
    return true;
}

bool ComponentKeys::AddLibrary(const ComponentLibrary& library) {
    if (library.library.IsEmpty() || Libraries().size() >= kProgramSlots) return false;
    Lines().libraries.push_back(library);
    return true;
}

void ReadComponentKeyLine(ComponentKeys& keys, const StrBuf& line) {
    StrBuf value(line);
    StrBuf key = CutKey(value);
    if (key.EqualsNoCase("DefInstall")) keys.enabled = ReadYesNo(value);
    else if (key.EqualsNoCase("ConInsll")) keys.changeable = ReadYesNo(value);
    else if (key.EqualsNoCase("SpaceNeeded")) keys.spaceNeededK = ReadNumber(value);
    else if (key.EqualsNoCase("RestartWindows") || key.EqualsNoCase("RebootSystem")) keys.restartAfterInstall = ReadYesNo(value);
    else if (key.EqualsNoCase("URestartWindows")) keys.restartAfterRemoval = ReadYesNo(value);
    else if (key.EqualsNoCase("DeleteOemClass")) {
        keys.deleteOemClass = ReadYesNo(value);
        keys.oemClass = NextField(value, ',', true);
    } else if (key.EqualsNoCase("LibraryReg")) ReadLibraryLine(keys, value);
    else if (key.EqualsNoCase("DeviceType")) keys.deviceType = ReadNumber(value);
    else {
        for (int table = 0; table < 4; ++table)
            if (key.EqualsNoCase(kProgramKeys[table])) ReadProgramLine(keys, table, value);
    }
}

std::vector<StrBuf> WriteComponentKeyLines(const ComponentKeys& keys) {
    std::vector<StrBuf> lines;
    StrBuf line;
    // The removal's restart wish is kept whenever it is set: the uninstaller reads nothing else.
    if (keys.restartAfterRemoval || keys.restartAfterInstall) {
        line.Format("URestartWindows=%c", YesNoLetter(keys.restartAfterRemoval));
        lines.push_back(line);
    }
    if (keys.deleteOemClass) {
        line.Format("DeleteOemClass=%c,%s", 'Y', AlwaysQuoted(keys.oemClass).c_str());
        lines.push_back(line);
    }
    // The removal stops the tablet's programs by the families of the components it removes.
    if (keys.deviceType != 0) {
        line.Format("DeviceType=%d", keys.deviceType);
        lines.push_back(line);
    }
    for (const ComponentLibrary& slot : keys.Libraries()) {
        line.Format("LibraryReg=%s,%c", AlwaysQuoted(slot.library).c_str(), YesNoLetter(slot.silent));
        lines.push_back(line);
    }
    for (int table : {UExeBefore, UExeAfter}) {
        for (const ComponentProgram& slot : keys.Programs(table)) {
            line.Format("%s=%s,%c,%c", kProgramKeys[table], AlwaysQuoted(slot.program).c_str(), YesNoLetter(slot.wait),
                        YesNoLetter(slot.silent));
            lines.push_back(line);
        }
    }
    return lines;
}

DeviceChoice SelectByDeviceFor(bool noDetection, int detectedType, int forced, int componentDeviceType) {
    DeviceChoice choice;
    choice.changeable = !noDetection && (detectedType == 0 || detectedType == componentDeviceType);
    choice.enabled = detectedType != 0 && detectedType == componentDeviceType && forced == 0;
    return choice;
}

int FindDeviceConflictIn(const std::vector<DeviceComponentState>& components, int index) {
    if (index < 0 || index >= static_cast<int>(components.size())) return -1;
    const DeviceComponentState& self = components[static_cast<size_t>(index)];
    if (!self.enabled || (self.deviceType != 1 && self.deviceType != 2)) return -1;
    for (size_t i = 0; i < components.size(); ++i) {
        const DeviceComponentState& other = components[i];
        if (static_cast<int>(i) == index || !other.enabled) continue;
        if ((other.deviceType == 1 || other.deviceType == 2) && other.deviceType != self.deviceType)
            return static_cast<int>(i);
    }
    return -1;
}
