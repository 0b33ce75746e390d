#pragma once
// The check of a whole medium: every script variant of the installer's folder with what it
// includes, the platforms the variants leave without a script, and the launcher's setup.inf.
#include <string>
#include <vector>
#include "kit/checker/findings.h"
#include "kit/checker/medium.h"

// False when root is no folder; the findings otherwise.
bool CheckMedium(const std::string& root, Findings& findings);

// A script text given as bytes, as if it were "SetupExt.inf" alone on an otherwise empty
// medium (for the fuzzer: every rule over one text, nothing read from a disk).
void CheckScriptBytes(const std::string& bytes, Findings& findings);

// The medium folders that hold script variants: the root first, then the folders below it.
std::vector<std::string> ScriptFolders(const Medium& medium);
// The installer's own file beside the scripts: the one program there other than the launcher.
std::string InstallerName(const Medium& medium, const std::string& folder);
