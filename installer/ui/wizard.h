#pragma once
// The install and uninstall wizards: property sheets in wizard mode, one page per step.
#include <windows.h>

// The run a wizard starts from its summary page: the installation or the removal proper,
// with the owner as foreground window. It returns the run's status for the finish page.
struct WizardRun {
    int (*steps)(HWND owner, void* context) = nullptr;
    void* context = nullptr;
};

// Both return true exactly when the finish page asked for a restart.
bool RunInstallWizard(HWND owner, const WizardRun& run);
bool RunUninstallWizard(HWND owner, const WizardRun& run);

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RemoveWelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ComponentPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RemoveItemsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgramFolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InstallSummaryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK RemoveSummaryPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Shared by the pages: sets a notification's result and the sheet's buttons.
BOOL PageResult(HWND page, LONG_PTR result);
void SetWizardButtons(HWND page, int buttons);
