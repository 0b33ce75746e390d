#pragma once
// Finding out which kind of tablet is connected: USB in the device tree, else the tablet
// interface library, else the serial ports. Every failure means "not found" for that way.
#include "installer/device/config_manager.h"
#include "installer/device/device_rules.h"

int DetectTablet();                 // a DeviceType code
CmDevInst FindUsbTablet();          // first matching node in depth-first order, or 0
bool FindTabletByLibraryOrPort();   // shows the wait cursor meanwhile
bool ProbeTabletLibrary();          // "WINTAB32.DLL", loaded for this one query
