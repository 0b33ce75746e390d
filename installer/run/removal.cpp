#include "installer/run/removal.h"

#include "installer/run/run_outcome.h"
#include "installer/core/system_paths.h"
#include "installer/device/device_clients.h"
#include "installer/record/file_removal.h"
#include "installer/record/uninstaller_copy.h"
#include "installer/tree/application.h"
#include "installer/tree/component_selection.h"

namespace {
bool RemoveFileLists(Application& app, ProgressCallback callback, void* context) {
    UINT previous = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    FileRemovalRun run;
    bool removed = app.RemoveWalk(KindFile, callback, context);
    SetErrorMode(previous);
    return removed;
}
}  // namespace

bool RemoveApplication(Application& app, ProgressCallback callback, void* context) {
    app.status = RemovalDone;
    app.RunBeforePrograms();
    // Links, INI lines and registry values that will not go are not worth stopping for.
    if (!app.RemoveWalk(KindShortcut, callback, context)) app.status = RemovalShortcutsFailed;
    if (!app.RemoveWalk(KindIniEntry, callback, context)) app.status = RemovalIniFailed;
    if (!app.RemoveWalk(KindRegistryEntry, callback, context)) app.status = RemovalRegistryFailed;
    std::vector<int> types = EnabledDeviceTypes(app);
    if (!types.empty()) StopDeviceClients(types.data(), static_cast<int>(types.size()));
    if (!RemoveFileLists(app, callback, context)) {
        app.status = RemovalFilesFailed;
        return false;
    }
    // A folder that is some process's current directory cannot be removed: not ours.
    SetCurrentDirectoryA(WindowsDirectory());
    FinishApplication(app);
    bool left = !app.RemoveDirectories();
    // The folder that still holds the running uninstaller goes at the restart with it.
    if (left && !app.scheduledOwnCopy.IsEmpty() && OnlyOwnCopyLeft(app.scheduledOwnCopy)) left = false;
    app.status = left && app.CanRemove() ? RemovalDirectoriesLeft : RemovalDone;
    return true;
}
