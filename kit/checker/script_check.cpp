#include "kit/checker/script_rules.h"

#include <set>
#include "installer/core/language.h"
#include "installer/core/strbuf.h"

const std::vector<std::string>& LanguageSuffixes() {
    static const std::vector<std::string> suffixes = [] {
        std::set<std::string> found;
        for (int id = 0; id < 0x10000; ++id) {
            const char* suffix = LanguageSuffixFor(id);
            if (*suffix) found.insert(suffix);
        }
        return std::vector<std::string>(found.begin(), found.end());
    }();
    return suffixes;
}

std::string SuffixOf(const std::string& sectionName) {
    size_t dot = sectionName.rfind('.');
    if (dot == std::string::npos) return "";
    StrBuf tail(sectionName.c_str() + dot);
    if (tail.EqualsNoCase(".all")) return ".all";
    for (const std::string& suffix : LanguageSuffixes())
        if (tail.EqualsNoCase(suffix.c_str())) return suffix;
    return "";
}

void Report(Findings& findings, const Location& at, const char* rule, const std::string& message) {
    findings.Add(at.source ? at.source->name : "", at.line, rule, message);
}

std::string Bracketed(const std::string& name) {
    // A "name" of a whole file's length is no name: enough of it to find it by.
    return "[" + (name.size() > 60 ? name.substr(0, 57) + "..." : name) + "]";
}

namespace {
// The languages the script speaks: those of its sections' suffixes.
std::vector<std::string> LanguagesOf(const ScriptLayout& layout) {
    std::set<std::string> languages;
    for (const LayoutSection& section : layout.sections) {
        std::string suffix = SuffixOf(section.name);
        if (!suffix.empty() && suffix != ".all") languages.insert(suffix);
    }
    std::vector<std::string> list{""};
    list.insert(list.end(), languages.begin(), languages.end());
    return list;
}
}  // namespace

void CheckScript(const SourceText& main, const std::string& folder, const std::string& installerName,
                 ScriptSources& sources, Findings& findings) {
    ScriptCheck check;
    check.main = &main;
    check.folder = folder;
    check.installerName = installerName;
    check.medium = &sources.medium();
    check.sources = &sources;
    check.layouts[&main] = ReadLayout(main);
    for (const std::string& language : LanguagesOf(check.layouts[&main])) {
        check.models.push_back(ReadScriptModel(main, folder, language, sources));
        for (const SectionRead& read : check.models.back().sectionsRead)
            if (!check.layouts.count(read.source)) check.layouts[read.source] = ReadLayout(*read.source);
    }
    // Only a carriage return ends a line: a file written with bare line feeds is one long line.
    if (main.bytes.find('\r') == std::string::npos && main.bytes.find('\n') != std::string::npos)
        findings.Add(main.name, 0, "unreadable-script",
                     "the lines end with line feeds alone: the installer reads the whole file as one line (write CR LF)");
    CheckSections(check, findings);
    for (const ScriptModel& model : check.models) CheckEntries(check, model, findings);
}
