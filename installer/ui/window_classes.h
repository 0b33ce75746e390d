#pragma once
// Window classes registered at start-up: the background window and the progress meter.
#include <windows.h>

bool RegisterBackgroundClass(HINSTANCE instance);   // "ZKSETUPBKGNDWND"
bool RegisterMeterClass(HINSTANCE instance);        // "ZKMETERCTL"
void UnregisterMeterClass();
