#pragma once
// What the user is shown at the end of a run.
#include <windows.h>
#include "installer/run/run_outcome.h"

// The run's message, then the restart question when it asks one; true for OK.
bool ShowRunOutcome(HWND owner, const RunOutcome& outcome, UINT question, const char* caption);
