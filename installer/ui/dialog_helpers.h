#pragma once
// Small helpers every dialog and wizard page of the installer shares.
#include <windows.h>
#include "installer/core/strbuf.h"

// Centres the window on its parent's window rectangle, or on the screen without a parent.
void CentreWindow(HWND window);
// Centres on the screen, titles the dialog with the [App] Caption, and beeps when asked.
void CentreOnScreenWithCaption(HWND dialog, bool beep);
// Gives the item a font of its current face at the given point size.
void SetDlgItemPointFont(HWND dialog, int item, int points, bool bold);
// Frees the font SetDlgItemPointFont gave the item (on the dialog's WM_DESTROY).
void ReleaseDlgItemFont(HWND dialog, int item);
// The first id from first to last whose button is checked; -1 when none is.
int FirstCheckedButton(HWND dialog, int first, int last);
// The caption of the run's questions: "Setup" when installing, "Uninstall" when removing.
StrBuf RunTitle();
// Answers "QueryCancelAutoPlay" for a dialog so that AutoPlay stays off while it is open.
bool AnswerAutoPlay(HWND dialog, UINT message);
// Asks the run's cancel question; true when the user confirms.
bool ConfirmCancel(HWND owner);
