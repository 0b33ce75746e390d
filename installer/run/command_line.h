#pragma once
// The installer's command line: cut into switch pieces and read into options.
// Pure text work; reading the uninstall record named by "@" is the caller's.
#include <vector>
#include "installer/core/strbuf.h"

struct CommandLineOptions {
    bool silent = false;          // "SilentInstall" or "S"
    bool noDetection = false;     // "NODRV"
    int deviceType = 0;           // "DEV:n"
    StrBuf defaultDir;            // "DEFDIR:text"
    bool sourceDirGiven = false;  // an unrecognised switch names the source directory
    StrBuf sourceDir;
    bool hasRecordKey = false;    // "@key": parsing stopped there
    StrBuf recordKey;
};

// True for a tail that starts a new switch piece.
bool IsKnownSwitch(const char* tail);
// The switch pieces of a command line, each trimmed, in order.
std::vector<StrBuf> SplitSwitchPieces(const char* commandLine);
// Reads every piece; stops at the first "@" switch.
CommandLineOptions ReadCommandLine(const char* commandLine);
