// PLACEHOLDER: the menu window is not built yet; the launcher starts and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
