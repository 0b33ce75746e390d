#include "installer/run/sequences.h"

#include <climits>
#include <cstdio>
#include "installer/core/messages.h"
#include "installer/run/run_background.h"
#include "installer/run/outcome_message.h"
#include "installer/run/setup_script_selection.h"
#include "installer/run/startup.h"
#include "installer/core/system_paths.h"
#include "installer/device/tablet_detection.h"
#include "installer/files/disk_and_directories.h"
#include "installer/tree/application.h"
#include "installer/tree/component_selection.h"
#include "installer/ui/options_dialog.h"
#include "installer/ui/progress_callback.h"
#include "installer/ui/wizard.h"

namespace {

StrBuf g_title;   // "Setup": the caption of every message of the run

// The expanded script lives in a file of its own until the application has read it. A
// medium that cannot be written to (a CD) still installs: the temporary folder takes it.
StrBuf CreateScriptCopyFile(HINSTANCE instance) {
    StrBuf path = TempFileIn(ModuleDirectory(instance));
    if (!path.IsEmpty()) return path;
    char temp[MAX_PATH + 1] = "";
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp) return StrBuf();
    return TempFileIn(temp);
}

bool LoadScript(HINSTANCE instance, Application& app) {
    StrBuf scriptCopy = CreateScriptCopyFile(instance);
    bool loaded = !scriptCopy.IsEmpty() && SelectSetupScript(scriptCopy, app.SourceDir()) &&
                  app.Load(scriptCopy, true) != 0;
    if (!scriptCopy.IsEmpty()) DeleteFileA(scriptCopy);
    // A silent run is unattended: a box nobody answers would hold it for ever.
    if (!loaded && !app.settings.silent)
        ShowMessage(nullptr, IDS_FILE_NOT_FOUND, g_title, kInfoMessageStyle, "Setupext.inf");
    return loaded;
}

// The drive's free space against what the enabled components need; the interactive run
// tells the user and lets them choose another folder.
bool SpaceIsEnough(HWND parent, Application& app) {
    uint64_t freeK = 0;
    int neededK = TotalSpaceNeeded(app);
    StrBuf installDir = app.InstallDir();
    if (HasEnoughSpace(installDir, static_cast<uint64_t>(neededK), &freeK)) return true;
    if (!app.settings.silent) {
        char drive = installDir.IsEmpty() ? '?' : installDir[0];
        long shownFree = freeK > static_cast<uint64_t>(LONG_MAX) ? LONG_MAX : static_cast<long>(freeK);
        ShowMessage(parent, IDS_LOW_DISK_SPACE, g_title, kInfoMessageStyle, static_cast<int>(drive), shownFree,
                    static_cast<long>(neededK));
    }
    return false;
}

int WizardInstallSteps(HWND owner, void*) { return InstallSteps(owner); }
}  // namespace

void SelectDevice(Application& app) {
    if (!AnyDeviceComponent(app)) {
        app.deviceType = 0;
        return;
    }
    if (!app.noDetection) app.deviceType = DetectTablet();
    SelectComponentsByDevice(app, app.noDetection, app.deviceType, 0);
}

int InstallDialogs(HWND parent) {
    Application& app = TheApplication();
    for (;;) {
        if (app.settings.silent)
            app.SetInstallDir(app.settings.defaultDir);
        else if (ShowInstallOptions(parent, false) == IDCANCEL)
            return 0;
        if (!SpaceIsEnough(parent, app)) {
            if (app.settings.silent) return 0;
            continue;
        }
        RemoveOlderDrivers(app);
        app.Resolve();
        if (app.PrepareDirectories()) break;
        if (app.settings.silent) return 0;
    }
    InstallSteps(parent);
    if (app.settings.silent) return 0;
    RunOutcome outcome = InstallRunOutcome(app.status, app.RestartWantedOnInstall());
    return ShowRunOutcome(parent, outcome, kInstallRestartQuestion, g_title) ? 1 : 0;
}

int InstallSteps(HWND parent) {
    Application& app = TheApplication();
    SetCurrentDirectoryA(app.InstallDir());
    app.Resolve();
    if (parent) SetForegroundWindow(parent);

    ProgressContext context;
    ProgressCallback callback = StandardProgressCallback;
    app.RunBeforePrograms();
    if (!app.PrepareDirectories())
        app.status = InstallDirectoriesFailed;
    else if (!app.InstallWalk(KindFile, callback, &context))
        app.status = InstallFilesFailed;
    else if (!app.InstallWalk(KindIniEntry, callback, &context))
        app.status = InstallIniFailed;
    else if (!app.InstallWalk(KindRegistryEntry, callback, &context))
        app.status = InstallRegistryFailed;
    else if (!app.settings.noPMInfo && !app.InstallWalk(KindShortcut, callback, &context))
        app.status = InstallShortcutsFailed;
    else {
        FinishApplication(app);
        app.status = InstallDone;
    }

    // Folders made for entries that installed nothing are not left behind.
    SetCurrentDirectoryA(app.InstallDir());
    DeleteDirectoryTree(app.InstallDir(), false);
    fflush(nullptr);
    return app.status;
}

void BroadcastInstallStatus(int status) {
    // A hung window elsewhere must not hold the installer: each send gives up on it.
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR reply = 0;
        SendMessageTimeoutA(HWND_BROADCAST, InstallStatusMessage, static_cast<WPARAM>(status), 0,
                            SMTO_ABORTIFHUNG, 5000, &reply);
    }
}

int RunInstall(HINSTANCE instance) {
    Application& app = TheApplication();
    LoadResString(g_title, instance, IDS_SETUP);
    if (!LoadScript(instance, app)) return 0;
    if (!DefaultDirOverride().IsEmpty()) app.settings.defaultDir = DefaultDirOverride();

    BackgroundLook look = BackgroundLookFor(app.settings, RunInstallMode, ModuleDirectory(instance), g_title);
    HWND background = OpenRunBackground(instance, look, app.settings.silent);
    if (!background) return 0;

    SelectDevice(app);
    int result;
    if (!app.settings.silent && app.settings.enableNewUI) {
        WizardRun run;
        run.steps = WizardInstallSteps;
        result = RunInstallWizard(background, run) ? 1 : 0;
    } else {
        result = InstallDialogs(background);
    }
    BroadcastInstallStatus(app.status);
    CloseRunBackground(background);
    return result;
}
