#pragma once
// The full-screen background of a run, dressed as the [App] entry says.
#include <windows.h>
#include "installer/script/app_section.h"
#include "installer/ui/background_window.h"

BackgroundLook BackgroundLookFor(const ApplicationSettings& settings, int runMode, const char* pictureDir,
                                 const char* runTitle);
// Creates the window over the whole screen, shows it (hidden when silent) and makes it the
// owner of every dialog of the run. Null when it cannot be created.
HWND OpenRunBackground(HINSTANCE instance, const BackgroundLook& look, bool silent);
void CloseRunBackground(HWND background);
