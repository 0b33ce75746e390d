#pragma once
// Facts of the running process, fixed once at start-up and read by every layer: the program
// instance, the run's mode and command-line values, the system's version, architecture and
// language, and the first steps that make the process safe to go on.
#include <windows.h>
#include "installer/core/strbuf.h"

enum RunModeValue { RunInstallMode = 0, RunUninstallMode = 1, RunQuitMode = 2 };

HINSTANCE ProgramInstance();
void SetProgramInstance(HINSTANCE instance);
int RunMode();
void SetRunMode(int mode);
const StrBuf& DefaultDirOverride();
void SetDefaultDirOverride(const StrBuf& dir);
const StrBuf& UninstallRecordKey();
void SetUninstallRecordKey(const StrBuf& key);

extern UINT InstallStatusMessage;   // "Zorvant_InstallStatus", registered before the entry
UINT AutoPlayMessage();             // "QueryCancelAutoPlay"
void RegisterAutoPlayMessage();

int GetOsVersionCode();             // cached; -1 means not yet computed
int NativeArchitecture();           // 0 x86 or unknown, 6 IA-64, 9 x64
void ComputeNativeArchitecture();
// For a run that must act as on another system (the tests of 32-bit rules on 64-bit Windows).
void SetNativeArchitecture(int code);
void DisableFsRedirection();
// The first steps of the program: library search limited, thread language, architecture, the
// system libraries loaded, redirection switched off.
void PrepareProcess();
int SystemLanguageId();
void SetThreadLanguage();
int FontCharset();
StrBuf LanguageSuffix();
