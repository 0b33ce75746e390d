// Before a driver is installed, the drivers installed earlier are taken off the machine.
#include "installer/run/sequences.h"

#include <memory>
#include "installer/core/handles.h"
#include "installer/run/startup.h"
#include "installer/device/device_reenumeration.h"
#include "installer/record/record_names.h"
#include "installer/registry/registry_keys.h"
#include "installer/tree/application.h"

namespace {
bool ReadRecordFolder(HKEY setupExt, const char* name, StrBuf& folder) {
    return ReadKeyDefault(folder, setupExt, name);
}

void RemoveRecordedInstallation(HKEY setupExt, const char* name, bool silent) {
    // Each record gets an application of its own: a script of one record resolved against
    // another record's folder would delete files that are not its own.
    std::unique_ptr<Application> older(new Application());
    if (older->Load(RecordKeyOf(name), false) == 0) return;
    StrBuf folder;
    if (ReadRecordFolder(setupExt, name, folder)) older->SetInstallDir(folder);
    older->Resolve();
    int savedMode = RunMode();
    SetRunMode(RunUninstallMode);
    UninstallSteps(nullptr, older.get());
    Sleep(2000);   // the system releases the device before it looks at the tree again
    ReenumerateDevices(!silent);
    SetRunMode(savedMode);
}
}  // namespace

void RemoveOlderDrivers(Application& app) {
    if (app.settings.appType.Find("Driver") < 0) return;
    RegKey setupExt;
    if (RegOpenKeyA(HKEY_CLASSES_ROOT, "SetupExt", setupExt.put()) != ERROR_SUCCESS) return;
    DWORD count = 0;
    if (RegQueryInfoKeyA(setupExt.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD i = count; i-- > 0;) {
        char name[MAX_PATH + 1] = "";
        if (RegEnumKeyA(setupExt.get(), i, name, sizeof name) != ERROR_SUCCESS) continue;
        if (StrBuf(name).Find("Software") >= 0) continue;
        RemoveRecordedInstallation(setupExt.get(), name, app.settings.silent);
    }
}
