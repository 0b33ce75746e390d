#pragma once
// The dialogs the standard progress callback raises while entries are installed or removed:
// the progress dialog (modeless) and the modal questions about a disk, a version conflict
// and a file in use.
#include <windows.h>
#include "installer/core/strbuf.h"

INT_PTR CALLBACK ProgressDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DiskRequestDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK VersionConflictDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FileInUseDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The version conflict dialog's parameter.
struct VersionConflictQuestion {
    StrBuf existingPath;
    StrBuf newPath;
    unsigned bits = 0;
};

// Fills a conflict list with a file's version information: by default FillVersionList;
// null restores that default.
using VersionListFiller = void (*)(HWND list, const char* path);
void SetVersionListFiller(VersionListFiller filler);

// The modal questions, owned by owner. Results: disk 1 (OK) or 2; conflict 6, 7 or 3;
// file in use 4 (retry), 5 (skip) or 3 (abort).
int AskForDisk(HWND owner, const char* diskText);
int AskVersionConflict(HWND owner, const VersionConflictQuestion& question);
int AskFileInUse(HWND owner, const char* path);
