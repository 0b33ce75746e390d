#pragma once
// The program's entry sequence: the process prepared, the command line read, the run chosen.
#include <windows.h>
#include "installer/core/process_facts.h"
#include "installer/run/command_line.h"

// Reads the switches into the application (source and install folder, silent,
// no-detection, device type); an "@" switch reads the record key's default value
// below HKEY_CLASSES_ROOT: readable gives uninstall, unreadable quit.
int ParseCommandLine(const char* commandLine);
// Steps of the program from the locale to the restart; returns the exit code.
int ProgramMain(HINSTANCE instance, const char* commandLine);
