/* Stands in for a tablet driver on the sample medium: an ordinary small PE image that
   carries the driver's version resource, so that version checks and file copies see a
   real versioned binary. It is never loaded. */
#include <windows.h>

BOOL WINAPI DriverEntry(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance; (void)reason; (void)reserved;
    return TRUE;
}
