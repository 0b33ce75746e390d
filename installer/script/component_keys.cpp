#include "installer/script/component_keys.h"

#include "installer/script/script_reader.h"

namespace {
const char* const kProgramKeys[4] = {"IExeBefore", "IExeAfter", "UExeBefore", "UExeAfter"};

void FillProgramSlot(ComponentProgram (&table)[kProgramSlots], StrBuf& value) {
    for (ComponentProgram& slot : table) {
        if (!slot.program.IsEmpty()) continue;
        slot.program = NextField(value, ',', true);
        slot.wait = ReadYesNo(value);
        slot.silent = ReadYesNo(value);
        return;
    }
}

void FillLibrarySlot(ComponentLibrary (&table)[kProgramSlots], StrBuf& value) {
    for (ComponentLibrary& slot : table) {
        if (!slot.library.IsEmpty()) continue;
        slot.library = NextField(value, ',', true);
        slot.silent = ReadYesNo(value);
        return;
    }
}
}  // namespace

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
    } else if (key.EqualsNoCase("LibraryReg")) FillLibrarySlot(keys.libraries, value);
    else if (key.EqualsNoCase("DeviceType")) keys.deviceType = ReadNumber(value);
    else {
        for (int table = 0; table < 4; ++table)
            if (key.EqualsNoCase(kProgramKeys[table])) FillProgramSlot(keys.programs[table], value);
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
    for (const ComponentLibrary& slot : keys.libraries) {
        if (slot.library.IsEmpty()) continue;
        line.Format("LibraryReg=%s,%c", AlwaysQuoted(slot.library).c_str(), YesNoLetter(slot.silent));
        lines.push_back(line);
    }
    for (int table : {UExeBefore, UExeAfter}) {
        for (const ComponentProgram& slot : keys.programs[table]) {
            if (slot.program.IsEmpty()) continue;
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
