#pragma once
// Process-wide facts fixed at start-up and the program's entry sequence.
#include <windows.h>
#include "installer/core/command_line.h"
#include "installer/core/strbuf.h"

enum RunModeValue { RunInstallMode = 0, RunUninstallMode = 1, RunQuitMode = 2 };

HINSTANCE ProgramInstance();
void SetProgramInstance(HINSTANCE instance);
int RunMode();
void SetRunMode(int mode);
const StrBuf& DefaultDirOverride();
const StrBuf& UninstallRecordKey();

extern UINT InstallStatusMessage;   // "Zorvant_InstallStatus", registered before the entry
UINT AutoPlayMessage();             // "QueryCancelAutoPlay"

int GetOsVersionCode();             // cached; -1 means not yet computed
int NativeArchitecture();           // 0 x86 or unknown, 6 IA-64, 9 x64
void ComputeNativeArchitecture();
void DisableFsRedirection();
// The first steps of the program: library search limited, thread language, architecture, the
// system libraries loaded, redirection switched off.
void PrepareProcess();
int SystemLanguageId();
void SetThreadLanguage();
int FontCharset();
StrBuf LanguageSuffix();

// Reads the switches into the application (source and install folder, silent,
// no-detection, device type); an "@" switch reads the record key's default value
// below HKEY_CLASSES_ROOT: readable gives uninstall, unreadable quit.
int ParseCommandLine(const char* commandLine);
// Steps of the program from the locale to the restart; returns the exit code.
int ProgramMain(HINSTANCE instance, const char* commandLine);
