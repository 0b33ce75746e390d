#pragma once
// "ZKMETERCTL": a horizontal progress bar that shows its percentage centred,
// with the text over the filled part in inverted colours.
#include <windows.h>
#include "installer/ui/meter_messages.h"

// Registers the class unless this instance or the system has it already.
bool RegisterMeterClass(HINSTANCE instance);
void UnregisterMeterClass(HINSTANCE instance);
extern "C" __declspec(dllexport) LRESULT CALLBACK MeterWndFn(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

// The painting step into any DC of the control's client size.
void PaintMeter(HWND wnd, HDC dc);
