#pragma once
// The install and uninstall sequences; each returns non-zero when Windows must restart.
#include <windows.h>

class Application;

int RunInstall(HINSTANCE instance);
int RunUninstall(HINSTANCE instance);

// The classic, dialog-driven part of each run (silent runs go through them without dialogs).
int InstallDialogs(HWND parent);
int UninstallDialogs(HWND parent);

// The runs proper; both leave their status in the application and return it.
int InstallSteps(HWND parent);
int UninstallSteps(HWND parent, Application* app = nullptr);

// Lets the components of a tablet family choose themselves for the tablet found here.
void SelectDevice(Application& app);
// For a driver product: removes the recorded installations whose names do not say "Software".
void RemoveOlderDrivers(Application& app);
// Tells every top-level window how the install ended (twice, as listeners expect).
void BroadcastInstallStatus(int status);
