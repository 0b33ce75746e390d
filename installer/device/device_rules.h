#pragma once
// What identifies the tablet, decided from values alone: device IDs, the interface
// library's hardware record, the serial reply, and the client programs to stop.
#include <cstddef>
#include "installer/core/strbuf.h"

enum DeviceType { DeviceNone = 0, DeviceSerial = 1, DeviceUsb = 2 };

const int DeviceIdChars = 256;          // buffer given to CM_Get_Device_IDA
const int HardwareRecordSize = 24;      // filled by the library's TDGetHwInfoEx
const int FirstSerialPort = 1;
const int LastSerialPort = 16;

// A device instance ID naming the tablet's USB vendor ("VID_7A31&PID" anywhere in it).
bool IsTabletDeviceId(const char* deviceId);
// The record's 16-bit field at 20 and the bytes at 22 and 23 must all be non-zero.
bool HardwareRecordShowsTablet(const unsigned char* record, size_t size);
// The reply to the identification query, cut after 8 characters, is "(ZORVANT" in any case.
bool IsTabletIdentification(const char* reply, int length);
// A status byte with any of the bits 0x70 set comes from some other device.
bool StatusByteRejectsPort(unsigned char status);
// "COM1" to "COM9"; "\\.\COM10" and above in the device namespace.
StrBuf SerialPortName(int port);

// The command that asks the tablet's client program to stop, and how long to give it.
struct StopCommand {
    const char* command;
    unsigned waitMs;
};
// False for device types without a client program.
bool StopCommandFor(int deviceType, StopCommand& command);

// A running process's executable name, compared in lower case, occurs within the file name.
// An empty process name matches nothing.
bool ProcessNameOccursIn(const char* processName, const char* fileName);
