// PLACEHOLDER: the background window and the meter are registered under their
// class names so that start-up runs; their painting is not built yet.
#include "installer/ui/window_classes.h"

namespace {
ATOM g_meterClass = 0;
HINSTANCE g_meterInstance = nullptr;
}

bool RegisterBackgroundClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "ZKSETUPBKGNDWND";
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool RegisterMeterClass(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "ZKMETERCTL";
    g_meterInstance = instance;
    g_meterClass = RegisterClassA(&wc);
    return g_meterClass != 0;
}

void UnregisterMeterClass() {
    if (g_meterClass) UnregisterClassA("ZKMETERCTL", g_meterInstance);
    g_meterClass = 0;
}
