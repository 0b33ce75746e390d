#pragma once
// What a check found: each finding at a file and line, under a rule with its severity,
// said in one sentence; printed as text or JSON, and summed up as the program's exit code.
#include <map>
#include <set>
#include <string>
#include <vector>

enum class Severity { Warning, Error };

struct Rule {
    const char* name;
    Severity severity;
    const char* summary;   // what the rule looks for
};
// Every rule the checker has, in the order the guide lists them.
const std::vector<Rule>& Rules();
const Rule* FindRule(const std::string& name);

struct Finding {
    std::string file;      // below the medium, "/" between folders; "" for the medium itself
    int line = 0;          // 0: the file as a whole
    std::string rule;
    Severity severity = Severity::Warning;
    std::string message;
};

// What the scripts take from the medium, noted beside the findings for the medium's build
// (medium paths as the scripts spell them, "\\" between folders).
struct SourceUse {
    std::set<std::string> found;                          // source files on the medium
    std::map<std::string, std::string> uncompressedFor;   // compressed source missing -> its plain file
};

class Findings {
public:
    // rule must be one of Rules(); the same finding twice is kept once.
    void Add(const std::string& file, int line, const char* rule, const std::string& message);
    // In file and line order.
    std::vector<Finding> Sorted() const;
    size_t Count() const { return list_.size(); }
    // 0 clean, 1 warnings only, 2 errors.
    int ExitCode() const;

    void NoteSourceFound(const std::string& path) { sources_.found.insert(path); }
    void NoteUncompressed(const std::string& compressed, const std::string& plain) {
        sources_.uncompressedFor.emplace(compressed, plain);
    }
    void AddSources(const SourceUse& other);
    const SourceUse& Sources() const { return sources_; }
private:
    std::vector<Finding> list_;
    SourceUse sources_;
    std::set<std::string> seen_;
};

std::string SeverityName(Severity severity);
// The text as a JSON string, quotes included.
std::string JsonString(const std::string& text);
// "file:line: severity rule: message", one a line, then a count line.
std::string TextReport(const Findings& findings);
std::string JsonReport(const Findings& findings);
