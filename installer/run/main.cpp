#include <windows.h>
#include "installer/run/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return ProgramMain(instance, commandLine);
}
