// Stand-in for the tablet interface library, described by the file named by
// FAKE_TABLET_LIBRARY: "open 0|1" (a device behind the library), "info 0|1" (the record
// query succeeds), "model <n>" (16 bits at offset 20), "byte22 <n>", "byte23 <n>",
// "log <path>" (records each call).
#include "tests/fakes/fake_description.h"

namespace {
struct Behaviour {
    bool open = false;
    bool info = true;
    unsigned model = 0x0101;
    unsigned byte22 = 1;
    unsigned byte23 = 1;
    std::string log;
};

const Behaviour& Described() {
    static Behaviour b;
    static bool loaded = false;
    if (loaded) return b;
    loaded = true;
    for (const std::string& line : DescriptionLines("FAKE_TABLET_LIBRARY")) {
        std::string value;
        if (DescriptionValue(line, "open", value)) b.open = value == "1";
        else if (DescriptionValue(line, "info", value)) b.info = value == "1";
        else if (DescriptionValue(line, "model", value)) b.model = strtoul(value.c_str(), nullptr, 0);
        else if (DescriptionValue(line, "byte22", value)) b.byte22 = strtoul(value.c_str(), nullptr, 0);
        else if (DescriptionValue(line, "byte23", value)) b.byte23 = strtoul(value.c_str(), nullptr, 0);
        else if (DescriptionValue(line, "log", value)) b.log = value;
    }
    return b;
}

int token = 0;   // the device handle given out
}  // namespace

extern "C" {
__declspec(dllexport) void* WINAPI OpenTabletDevice(int which) {
    AppendLogLine(Described().log, "open " + std::to_string(which));
    return Described().open ? &token : nullptr;
}

__declspec(dllexport) BOOL WINAPI TDGetHwInfoEx(void* device, unsigned char* record) {
    AppendLogLine(Described().log, std::string("info ") + (device == &token ? "device" : "other"));
    if (device != &token || !record || !Described().info) return FALSE;
    memset(record, 0xEE, 24);   // fields nobody reads are not zero either
    record[20] = static_cast<unsigned char>(Described().model & 0xFF);
    record[21] = static_cast<unsigned char>(Described().model >> 8);
    record[22] = static_cast<unsigned char>(Described().byte22);
    record[23] = static_cast<unsigned char>(Described().byte23);
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI CloseTabletDevice(void* device) {
    AppendLogLine(Described().log, std::string("close ") + (device == &token ? "device" : "other"));
    return device == &token;
}
}
