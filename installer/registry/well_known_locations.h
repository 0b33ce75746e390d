#pragma once
// Folders that differ from machine to machine: path macros, the shell's special
// folders, and the depth-first deletion of a registry key.
#include <windows.h>
#include "installer/core/strbuf.h"

// Expands a leading "%Name%" or "%AppPath:prog.exe%" in place. True when the path had
// no leading "%" or was expanded; false (path unchanged) when it cannot be expanded.
bool ExpandPathMacro(StrBuf& path);
// The newest word processor's install root for one office version ("14.0"); false when absent.
bool FindWordInstallRoot(const char* version, StrBuf& root);
// The shell's special folder (CSIDL_PROGRAMS, CSIDL_COMMON_STARTUP, ...) in out, at most
// 512 characters; returns its length, 0 with an empty path when the shell cannot answer.
int GetSpecialFolderPath(HWND owner, int csidl, StrBuf& out);
