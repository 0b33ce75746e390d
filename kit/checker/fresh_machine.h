#pragma once
// The machine a plan installs on: a fresh Windows of a given version and architecture, its
// folders standing for themselves in the plan as placeholders ("{WINDOWS}", "{SYSTEM}", ...),
// and what such a machine already has, so that the plan tells what an install adds.
#include <string>
#include <utility>
#include <vector>
#include "installer/registry/registry_entry_line.h"
#include "installer/script/script_tables.h"

struct FreshMachine {
    int architecture = 9;      // as the installer numbers it: 0 x86, 6 IA-64, 9 x64
    int osVersionCode = 601;   // as the installer computes it: 210 Windows 98, 601 Windows 7
    bool NtFamily() const { return osVersionCode >= 400; }
};

// The placeholders with the concrete folders the plan computes with (Windows' own spelling);
// the longest folder first, so that a path takes the most particular name.
const std::vector<std::pair<std::string, std::string>>& MachineFolders();
// The concrete folder of a placeholder ("{WINDOWS}" -> "C:\\windows").
std::string FolderOf(const std::string& placeholder);
// Every known folder at the start of a path or after a quote, a space or "=" written as its
// placeholder; own holds the kit's own folders ({INSTALLDIR}, {GROUP}) with their paths.
std::string WithPlaceholders(const std::string& text,
                             const std::vector<std::pair<std::string, std::string>>& own = {});

// The folders directory specifications and "%...%" macros refer to, as the installer's
// table code takes them. Macros the fresh machine cannot answer ("%OfficeWord%",
// "%AppPath:...%", unknown names) fail as they do there.
DirectoryFacts FreshDirectoryFacts();
bool ExpandFreshMacro(StrBuf& path);

// A folder a fresh Windows already has (its own folders, the shell's, a drive's root).
bool FreshMachineHasFolder(const std::string& folder, const FreshMachine& machine);
// "HKLM\\Software\\..." of a root and a path below it ("" none).
std::string RegistryKeyName(RegistryRoot root, const std::string& path);
// A registry key a fresh Windows already has (the roots, the keys the root macros stand for,
// the common keys kits write values into).
bool FreshMachineHasKey(const std::string& keyName, const FreshMachine& machine);
