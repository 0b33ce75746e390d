#include "installer/run/sequences.h"

#include <cstdio>
#include "installer/core/messages.h"
#include "installer/run/run_background.h"
#include "installer/run/outcome_message.h"
#include "installer/run/startup.h"
#include "installer/run/removal.h"
#include "installer/tree/application.h"
#include "installer/ui/options_dialog.h"
#include "installer/ui/progress_callback.h"
#include "installer/ui/wizard.h"

namespace {

StrBuf g_title;   // "Uninstall"

int WizardUninstallSteps(HWND owner, void*) { return UninstallSteps(owner); }
}  // namespace

int UninstallSteps(HWND parent, Application* which) {
    Application& app = which ? *which : TheApplication();
    SetCurrentDirectoryA(app.InstallDir());
    if (parent) SetForegroundWindow(parent);
    ProgressContext context;
    RemoveApplication(app, StandardProgressCallback, &context);
    fflush(nullptr);
    return app.status;
}

int UninstallDialogs(HWND parent) {
    Application& app = TheApplication();
    if (!app.settings.silent && ShowInstallOptions(parent, true) == IDCANCEL) return 0;
    UninstallSteps(parent, &app);
    if (app.settings.silent) return 0;
    RunOutcome outcome = RemovalRunOutcome(app.status, app.RestartWantedOnUninstall());
    return ShowRunOutcome(parent, outcome, kRemovalRestartQuestion, g_title) ? 1 : 0;
}

int RunUninstall(HINSTANCE instance) {
    Application& app = TheApplication();
    LoadResString(g_title, instance, IDS_UNINSTALL_TITLE);
    if (app.Load(UninstallRecordKey(), false) == 0) {
        if (!app.settings.silent) ShowMessage(nullptr, IDS_FILE_NOT_FOUND, g_title, kInfoMessageStyle, "Setupext.Inf");
        return 0;
    }
    app.Resolve();
    BackgroundLook look = BackgroundLookFor(app.settings, RunUninstallMode, app.InstallDir(), g_title);
    HWND background = OpenRunBackground(instance, look, app.settings.silent);
    if (!background) return 0;
    int result;
    if (app.settings.enableNewUI) {
        WizardRun run;
        run.steps = WizardUninstallSteps;
        result = RunUninstallWizard(background, run) ? 1 : 0;
    } else {
        result = UninstallDialogs(background);
    }
    CloseRunBackground(background);
    return result;
}
