#include "installer/core/sequences.h"

#include <cstdio>
#include "installer/core/messages.h"
#include "installer/core/run_background.h"
#include "installer/core/run_outcome.h"
#include "installer/core/startup.h"
#include "installer/record/removal.h"
#include "installer/script/application.h"
#include "installer/ui/options_dialog.h"
#include "installer/ui/progress_callback.h"
#include "installer/ui/wizard.h"

namespace {
const UINT kInfoStyle = MB_OK | MB_ICONINFORMATION | MB_TASKMODAL;        // 0x2040
const UINT kQuestionStyle = MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL;  // 0x2021

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
    RunOutcome outcome = RemovalOutcome(app.status, app.RestartWantedOnUninstall());
    if (outcome.message) ShowMessage(parent, outcome.message, g_title, kInfoStyle);
    return outcome.askRestart && ShowMessage(parent, kRemovalRestartQuestion, g_title, kQuestionStyle) == IDOK;
}

int RunUninstall(HINSTANCE instance) {
    Application& app = TheApplication();
    LoadResString(g_title, instance, IDS_UNINSTALL_TITLE);
    if (app.Load(UninstallRecordKey(), false) == 0) {
        ShowMessage(nullptr, IDS_FILE_NOT_FOUND, g_title, kInfoStyle, "Setupext.Inf");
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
