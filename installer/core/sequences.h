#pragma once
// The install and uninstall sequences; each returns non-zero when Windows must restart.
#include <windows.h>

int RunInstall(HINSTANCE instance);
int RunUninstall(HINSTANCE instance);
