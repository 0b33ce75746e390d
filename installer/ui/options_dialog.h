#pragma once
// The classic options dialog: the folder to install to (install mode) and a check box per
// component, four rows at a time with a scroll bar beyond four components.
#include <windows.h>

INT_PTR CALLBACK InstallOptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Shows template 2 (install) or 8 (uninstall) modally; IDOK or IDCANCEL.
int ShowInstallOptions(HWND owner, bool uninstall);
