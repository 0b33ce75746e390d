#include "installer/device/device_rules.h"
#include "installer/core/code_page.h"
#include <cstring>
#include <string>

namespace {
// Letters folded whole character by whole character: a trail byte with a letter's code stays.
std::string LowerAscii(const char* text) {
    std::string lower(text ? text : "");
    LowerCaseInPlace(&lower[0]);
    return lower;
}
}  // namespace

bool IsTabletDeviceId(const char* deviceId) {
    return deviceId && strstr(deviceId, "VID_7A31&PID") != nullptr;
}

bool HardwareRecordShowsTablet(const unsigned char* record, size_t size) {
    if (!record || size < static_cast<size_t>(HardwareRecordSize)) return false;
    unsigned model = record[20] | (record[21] << 8);
    return model != 0 && record[22] != 0 && record[23] != 0;
}

bool IsTabletIdentification(const char* reply, int length) {
    static const char identification[] = "(ZORVANT";
    const int wanted = static_cast<int>(sizeof identification) - 1;
    if (!reply || length < wanted) return false;
    return LowerAscii(std::string(reply, wanted).c_str()) == LowerAscii(identification);
}

bool StatusByteRejectsPort(unsigned char status) {
    return (status & 0x70) != 0;
}

StrBuf SerialPortName(int port) {
    // Only COM1 to COM9 are device names everywhere; "COM10" alone would name a file in the
    // current directory, which the probe must never open and write to.
    StrBuf name;
    name.Format(port >= 1 && port <= 9 ? "COM%d" : "\\\\.\\COM%d", port);
    return name;
}

bool StopCommandFor(int deviceType, StopCommand& command) {
    switch (deviceType) {
    case DeviceUsb: command = {"REZUVE.EXE /StopClient", 2000}; return true;
    case DeviceSerial: command = {"Dralvex.EXE /StopClient", 2000}; return true;
    default: return false;
    }
}

bool ProcessNameOccursIn(const char* processName, const char* fileName) {
    std::string name = LowerAscii(processName);
    if (name.empty()) return false;
    std::string file = LowerAscii(fileName);
    return FindText(file.c_str(), static_cast<int>(file.size()), name.c_str(), 0) >= 0;
}
