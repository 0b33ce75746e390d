#pragma once
// The names the readers know: the sections read by name, the keys of [App] and of a
// component's key section, and the path macros; and the nearest of them to a misspelt name.
#include <string>
#include <vector>

struct KnownName {
    const char* name;
    const char* meaning;    // one line, as the guide gives it
};

// Sections read by their fixed names (with ".all" and language variants).
const std::vector<KnownName>& ScriptSectionNames();
const std::vector<KnownName>& AppKeys();
const std::vector<KnownName>& ComponentKeyNames();
// Names of "%Name%" at the start of a folder ("AppPath" takes ":program").
const std::vector<KnownName>& PathMacroNames();
// "setup.inf": the launcher's sections and keys.
const std::vector<KnownName>& LauncherParameterKeys();
const std::vector<KnownName>& LauncherItemKeys();

bool IsKnown(const std::vector<KnownName>& names, const std::string& name);
// The candidate closest to name (edit distance, case ignored) when it is close enough to be a
// slip of the pen; "" when none is.
std::string NearestName(const std::string& name, const std::vector<std::string>& candidates);
std::vector<std::string> NamesOf(const std::vector<KnownName>& names);
// Letters A to Z in lower case, as names are compared.
std::string LowerAscii(std::string text);
