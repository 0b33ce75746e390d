#pragma once
// The configuration manager's functions, taken by name from "Cfgmgr32.dll" on first use and
// kept for the rest of the run (Windows 95 may lack the library; then nothing is found).
#include <windows.h>

typedef DWORD CmResult;             // CONFIGRET
typedef DWORD CmDevInst;            // DEVINST

struct ConfigManager {
    CmResult (WINAPI* getDeviceId)(CmDevInst node, char* buffer, ULONG chars, ULONG flags);
    CmResult (WINAPI* getChild)(CmDevInst* child, CmDevInst node, ULONG flags);
    CmResult (WINAPI* getSibling)(CmDevInst* sibling, CmDevInst node, ULONG flags);
    CmResult (WINAPI* locateDevNode)(CmDevInst* node, const char* deviceId, ULONG flags);
    CmResult (WINAPI* reenumerateDevNode)(CmDevInst node, ULONG flags);   // may be missing
};

const CmResult CmSuccess = 0;
const CmResult CmFailure = 0x13;    // CR_FAILURE, for a function the library lacks

// Null when the library or any of the four search functions is missing.
const ConfigManager* ConfigManagerFunctions();
