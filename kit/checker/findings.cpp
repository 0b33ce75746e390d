#include "kit/checker/findings.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

const std::vector<Rule>& Rules() {
    static const std::vector<Rule> rules = {
        {"unknown-section", Severity::Warning, "a section nothing reads whose name is close to one that is read"},
        {"unread-section", Severity::Warning, "a section no reader of the installer or the launcher reads"},
        {"missing-section", Severity::Error, "a section a SetupApps line names that the script lacks"},
        {"unknown-key", Severity::Warning, "a key the section's reader does not know"},
        {"missing-disk", Severity::Error, "a disk id that no \"Disks\" line has"},
        {"missing-source-dir", Severity::Error, "a source folder id that no \"SrcDirs\" line has"},
        {"missing-dest-dir", Severity::Error, "a destination folder id that no \"DstDirs\" line has"},
        {"missing-source-file", Severity::Error, "a file entry's source file that is not on the medium"},
        {"after-end", Severity::Warning, "lines after \"[End]\", which nothing reads"},
        {"cut-entry", Severity::Error, "an entry line that the reader cuts short"},
        {"extra-fields", Severity::Warning, "an entry line with more fields than its reader takes"},
        {"unmatched-quote", Severity::Error, "a line with a quote that nothing closes"},
        {"duplicate-id", Severity::Warning, "a \"Disks\", \"SrcDirs\" or \"DstDirs\" id given twice: the first wins"},
        {"duplicate-component", Severity::Error, "two components with the same name or record name"},
        {"unknown-target", Severity::Error, "a shortcut, program or library that no file entry of its component installs"},
        {"no-uninstaller-copy", Severity::Warning, "no file entry installs the installer for the uninstall link"},
        {"no-script-for-platform", Severity::Error, "a platform for which no script variant is chosen"},
        {"hidden-plain-section", Severity::Warning, "a language variant that hides what its plain section has"},
        {"unknown-path-macro", Severity::Error, "a folder that starts with a \"%\" macro the installer does not expand"},
        {"missing-include", Severity::Error, "an \"*include\" of a section or file that does not exist"},
        {"include-cycle", Severity::Error, "sections that include each other"},
        {"space-needed", Severity::Warning, "\"SpaceNeeded\" smaller than the component's files"},
        {"value-too-long", Severity::Warning, "a value longer than the buffer that will cut it"},
        {"launcher-item", Severity::Error, "a launcher item without its pictures or its target"},
        {"unreadable-script", Severity::Error, "a script variant that is empty, cannot be expanded or ends its lines without carriage returns"},
    };
    return rules;
}

const Rule* FindRule(const std::string& name) {
    for (const Rule& rule : Rules())
        if (name == rule.name) return &rule;
    return nullptr;
}

void Findings::Add(const std::string& file, int line, const char* rule, const std::string& message) {
    const Rule* known = FindRule(rule);
    Finding finding{file, line, rule, known ? known->severity : Severity::Error, message};
    std::string key = file + '\n' + std::to_string(line) + '\n' + rule + '\n' + message;
    if (!seen_.insert(key).second) return;
    list_.push_back(finding);
}

void Findings::AddSources(const SourceUse& other) {
    sources_.found.insert(other.found.begin(), other.found.end());
    sources_.uncompressedFor.insert(other.uncompressedFor.begin(), other.uncompressedFor.end());
}

std::vector<Finding> Findings::Sorted() const {
    std::vector<Finding> sorted = list_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.file, a.line) < std::tie(b.file, b.line);
    });
    return sorted;
}

int Findings::ExitCode() const {
    int code = 0;
    for (const Finding& f : list_) code = std::max(code, f.severity == Severity::Error ? 2 : 1);
    return code;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);   // script text is in the kit's code page: passed as it is
        }
    }
    return out + "\"";
}

std::string SeverityName(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

namespace {
std::string Where(const Finding& f) {
    std::string where = f.file.empty() ? "." : f.file;
    if (f.line > 0) where += ":" + std::to_string(f.line);
    return where;
}

}  // namespace

std::string TextReport(const Findings& findings) {
    std::string out;
    int errors = 0, warnings = 0;
    for (const Finding& f : findings.Sorted()) {
        out += Where(f) + ": " + SeverityName(f.severity) + " " + f.rule + ": " + f.message + "\n";
        (f.severity == Severity::Error ? errors : warnings)++;
    }
    out += std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings\n";
    return out;
}

std::string JsonReport(const Findings& findings) {
    std::string out = "{\"findings\": [";
    bool first = true;
    for (const Finding& f : findings.Sorted()) {
        out += first ? "\n" : ",\n";
        first = false;
        out += "  {\"file\": " + JsonString(f.file) + ", \"line\": " + std::to_string(f.line) +
               ", \"rule\": " + JsonString(f.rule) + ", \"severity\": " + JsonString(SeverityName(f.severity)) +
               ", \"message\": " + JsonString(f.message) + "}";
    }
    out += first ? "], " : "\n], ";
    out += "\"exit\": " + std::to_string(findings.ExitCode()) + "}\n";
    return out;
}
