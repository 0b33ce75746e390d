#pragma once
// Starting the components' own programs and the system's registration tool.
#include "installer/device/helper_steps.h"

// Starts the command line; with wait, keeps the windows alive until its main thread ends.
// A program that cannot be started is skipped: the result only tells whether it started.
bool StartProgram(const char* commandLine, bool wait);
// "regsvr32.exe" on the library, always waited for.
bool RegisterLibrary(const char* libraryPath, bool silent, bool unregister);
// One planned step with its file found in directory.
bool RunHelperStep(const HelperStep& step, bool removal, const char* directory);
