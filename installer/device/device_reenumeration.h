#pragma once
// Asking Windows to examine the device tree again after a driver was removed.

// Message ids of the two failures, formatted with the configuration manager's result code.
#ifndef IDS_CM_LOCATE_FAILED
#define IDS_CM_LOCATE_FAILED 43         // "CM_Locate_DevNode %d"
#endif
#ifndef IDS_CM_REENUMERATE_FAILED
#define IDS_CM_REENUMERATE_FAILED 44    // "CM_Reenumerate_DevNode %d"
#endif

// False after showing the failing call with its result and the system's text for the last error.
bool ReenumerateDevices();
