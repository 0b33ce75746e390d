#pragma once
// Window classes registered at start-up: the background window and the progress meter.
#include <windows.h>
#include "installer/ui/meter_control.h"   // RegisterMeterClass(instance), UnregisterMeterClass(instance)

bool RegisterBackgroundClass(HINSTANCE instance);   // "ZKSETUPBKGNDWND", RegisterBkgndClass
void UnregisterMeterClass();                        // for the program's own instance
