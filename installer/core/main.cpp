#include <windows.h>
#include "installer/core/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return ProgramMain(instance, commandLine);
}
