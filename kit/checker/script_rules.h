#pragma once
// The rules over one script variant: its sections and keys as written (section_rules.cpp)
// and its tables, components and entries as the installer reads them (entry_rules.cpp).
#include <map>
#include <string>
#include <vector>
#include "kit/checker/findings.h"
#include "kit/checker/script_layout.h"
#include "kit/checker/script_model.h"

struct ScriptCheck {
    const SourceText* main = nullptr;
    std::string folder;                    // the medium folder of the script
    std::string installerName;             // the installer's file name beside the script
    std::vector<ScriptModel> models;       // the script read without a language, then per language it has
    std::map<const SourceText*, ScriptLayout> layouts;   // every script text read
    const Medium* medium = nullptr;
    ScriptSources* sources = nullptr;
};

// Every suffix the installer may give section names (".deu", ...).
const std::vector<std::string>& LanguageSuffixes();
// The suffix a section name ends in, or "".
std::string SuffixOf(const std::string& sectionName);

// Reads the script for every language it has variants for, then runs every rule.
void CheckScript(const SourceText& main, const std::string& folder, const std::string& installerName,
                 ScriptSources& sources, Findings& findings);

void CheckSections(const ScriptCheck& check, Findings& findings);
void CheckEntries(const ScriptCheck& check, const ScriptModel& model, Findings& findings);

void Report(Findings& findings, const Location& at, const char* rule, const std::string& message);
// "[name]"
std::string Bracketed(const std::string& name);
