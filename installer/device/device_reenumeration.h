#pragma once
// Asking Windows to examine the device tree again after a driver was removed.

#include "resources/resource_ids.h"   // the two failure messages, with the result code

// False after showing the failing call with its result and the system's text for the last error;
// a silent run asks for no answer, so it passes showFailures false and nothing is shown.
bool ReenumerateDevices(bool showFailures = true);
