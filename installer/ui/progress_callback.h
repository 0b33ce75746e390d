#pragma once
// The standard progress callback of the install and removal runs: it drives the progress
// dialog, puts the file questions to the user and keeps the windows alive between entries.
#include <windows.h>
#include <cstdint>

// The caller's context: three integers, zeroed before a run.
struct ProgressContext {
    int itemsDone = 0;
    int itemCount = 0;
    int reserved = 0;
};

int StandardProgressCallback(unsigned event, uintptr_t parameter, uintptr_t request, void* context);

// Runs every pending message (at most every kPumpEveryMs); true when the user has confirmed
// cancelling in the progress dialog.
bool PumpAndCheckCancel();
constexpr DWORD kPumpEveryMs = 20;

// The window that owns the dialogs of the run (the background window).
void SetDialogOwner(HWND owner);
HWND DialogOwner();
// The progress dialog while a list of files runs, else null.
HWND ProgressDialog();
