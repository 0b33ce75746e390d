#include "installer/device/device_reenumeration.h"
#include <windows.h>
#include "installer/core/messages.h"
#include "installer/core/process_facts.h"
#include "installer/device/config_manager.h"

namespace {
void ShowFailure(UINT id, CmResult result) {
    DWORD lastError = GetLastError();
    StrBuf pattern;
    LoadResString(pattern, ProgramInstance(), id);
    StrBuf text;
    text.Format(pattern, static_cast<int>(result));
    MessageBoxA(nullptr, text, "", MB_OK);

    char system[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, lastError, 0x400, system,
                   sizeof system, nullptr);
    MessageBoxA(nullptr, system, "", MB_OK);
}
}  // namespace

bool ReenumerateDevices(bool showFailures) {
    const ConfigManager* cm = ConfigManagerFunctions();
    CmDevInst root = 0;
    CmResult result = cm ? cm->locateDevNode(&root, nullptr, 0) : CmFailure;
    if (result != CmSuccess) {
        if (showFailures) ShowFailure(IDS_CM_LOCATE_FAILED, result);
        return false;
    }
    result = cm->reenumerateDevNode ? cm->reenumerateDevNode(root, 0) : CmFailure;
    if (result != CmSuccess) {
        if (showFailures) ShowFailure(IDS_CM_REENUMERATE_FAILED, result);
        return false;
    }
    return true;
}

