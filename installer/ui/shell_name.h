#pragma once
// The text of a name the shell hands back, in any of its three forms, in the ANSI code page.
#include <windows.h>
#include <shlobj.h>

// Copies at most size - 1 bytes and the NUL; frees the wide form's memory. False (and an empty
// text) when the name cannot be given.
bool ShellNameText(STRRET& name, LPCITEMIDLIST item, char* text, int size);
