#pragma once
// Which setup script fits the running platform, and the file-name tests that keep the
// removal from deleting the running program or the main script. Pure text work.
#include <vector>

// Script file names to try in the source directory, best fit first. nativeArchitecture is
// 9 for x64, 6 for IA-64, anything else a 32-bit system; osVersionCode as GetOsVersionCode.
std::vector<const char*> ScriptCandidates(int nativeArchitecture, int osVersionCode);

// The text after the last backslash of a path, or the whole path.
const char* FileNamePart(const char* path);
// True when both paths end in the same non-empty file name, ignoring case; null gives false.
bool SameFileName(const char* path, const char* otherPath);
// True when the path's file name is "SetupExt.inf", ignoring case; null gives false.
bool IsScriptName(const char* path);
// The installer's program and its script are never deleted, whatever a record lists.
bool IsProtectedName(const char* fileName, const char* ownProgramPath);
