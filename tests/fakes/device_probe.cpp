// Runs one detection step in a process of its own, so that the configuration manager and the
// tablet library stand-ins beside it are loaded in place of the system's (the loader's
// override applies from a process's start). The result is the exit code:
//   usb          the node FindUsbTablet returns (0 none)
//   library      ProbeTabletLibrary
//   serial <n>   ProbeSerialPort(n)
//   scan         FindTabletByLibraryOrPort
//   detect       DetectTablet
//   reenumerate  ReenumerateDevices
// Unknown commands give 255.
#include <windows.h>
#include <cstdlib>
#include <cstring>
#include "installer/run/startup.h"
#include "installer/device/device_reenumeration.h"
#include "installer/device/serial_probe.h"
#include "installer/device/tablet_detection.h"

int main(int argc, char** argv) {
    SetProgramInstance(GetModuleHandleA(nullptr));
    if (argc < 2) return 255;
    const char* command = argv[1];
    if (!strcmp(command, "usb")) return static_cast<int>(FindUsbTablet());
    if (!strcmp(command, "library")) return ProbeTabletLibrary();
    if (!strcmp(command, "serial") && argc > 2) return ProbeSerialPort(atoi(argv[2]));
    if (!strcmp(command, "scan")) return FindTabletByLibraryOrPort();
    if (!strcmp(command, "detect")) return DetectTablet();
    if (!strcmp(command, "reenumerate")) return ReenumerateDevices();
    return 255;
}
