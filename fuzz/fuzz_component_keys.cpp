// A component's key section over arbitrary text, one line at a time, and its record copy:
// the copy must read back to the same keys the uninstaller needs.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/script/component_keys.h"
#include "installer/script/script_reader.h"

namespace {
bool SameForRemoval(const ComponentKeys& a, const ComponentKeys& b) {
    // The device type and the other install-only keys are not part of the record copy.
    if (a.restartAfterRemoval != b.restartAfterRemoval || a.deleteOemClass != b.deleteOemClass) return false;
    for (int table : {UExeBefore, UExeAfter}) {
        const std::vector<ComponentProgram>& pa = a.Programs(table);
        const std::vector<ComponentProgram>& pb = b.Programs(table);
        if (pa.size() != pb.size()) return false;
        for (size_t i = 0; i < pa.size(); ++i)
            if (pa[i].program != pb[i].program.c_str()) return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* begin = reinterpret_cast<const char*>(data);
    ScriptText text(begin, begin + size);
    ComponentKeys keys;
    TextCursor cursor(text);
    for (int lines = 0; !cursor.AtEnd() && lines < 4096; ++lines) ReadComponentKeyLine(keys, ReadLine(cursor));

    ComponentKeys back;
    for (const StrBuf& line : WriteComponentKeyLines(keys)) ReadComponentKeyLine(back, line);
    bool quoteless = std::string(begin, size).find('"') == std::string::npos;
    if (quoteless && !SameForRemoval(keys, back)) abort();

    DeviceChoice choice = SelectByDeviceFor(size & 1, data[0 % (size ? size : 1)] % 3, size % 3, keys.deviceType);
    std::vector<DeviceComponentState> states = {{choice.enabled, keys.deviceType}, {true, 3 - keys.deviceType}};
    return FindDeviceConflictIn(states, 0) > 1 ? 1 : 0;
}
