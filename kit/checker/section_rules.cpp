// Rules over the sections and keys of a script as written: what is read, what is not, what
// comes after "[End]", quotes, "*include" targets and cycles, and the language variants.
#include <algorithm>
#include <functional>
#include <set>
#include "installer/core/path_text.h"
#include "kit/checker/name_tables.h"
#include "kit/checker/script_rules.h"

namespace {
using ReadKey = std::pair<const SourceText*, std::string>;   // text and lower-case section name

class SectionRules {
public:
    SectionRules(const ScriptCheck& check, Findings& findings) : check_(check), findings_(findings) {}

    void Run() {
        CollectRead();
        for (const auto& [source, layout] : layouts_) {
            CheckAfterEnd(*source, layout);
            CheckQuotes(*source, layout);
            CheckHeaders(*source, layout);
            CheckIncludeTargets(*source, layout);
        }
        CheckCycles();
        CheckKeys();
        CheckHiddenPlain(*check_.main, layouts_.at(check_.main));
    }

private:
    const ScriptLayout& LayoutOf(const SourceText* source) {
        auto found = layouts_.find(source);
        if (found == layouts_.end()) found = layouts_.emplace(source, ReadLayout(*source)).first;
        return found->second;
    }

    const SourceText* IncludedFile(const std::string& file) {
        std::string mediumPath;
        if (!MediumPathOf(JoinPath(MediumFolderPath(check_.folder), file.c_str()), mediumPath)) return nullptr;
        return check_.sources->Load(mediumPath);
    }

    // The sections the readers ask for, and those their "*include" lines pull in.
    void CollectRead() {
        for (const auto& [source, layout] : check_.layouts) layouts_.emplace(source, layout);
        for (const ScriptModel& model : check_.models)
            for (const SectionRead& read : model.sectionsRead) read_.insert({read.source, read.name});
        for (bool grew = true; grew;) {
            grew = false;
            std::vector<ReadKey> added;
            for (const auto& [source, layout] : layouts_)
                for (const LayoutInclude& include : layout.includes) {
                    if (InAppSection(layout, include)) continue;
                    if (!read_.count({source, LowerAscii(layout.sections[include.section].name)})) continue;
                    const SourceText* target = include.file.empty() ? source : IncludedFile(include.file);
                    if (!target) continue;
                    for (const std::string& name : {include.target, include.target + ".all"})
                        added.push_back({target, LowerAscii(name)});
                    for (const std::string& suffix : LanguageSuffixes())
                        added.push_back({target, LowerAscii(include.target + suffix)});
                }
            for (const ReadKey& key : added) {
                if (!read_.insert(key).second) continue;
                grew = true;
                LayoutOf(key.first);
            }
        }
    }

    bool IsRead(const SourceText* source, const std::string& name) const { return read_.count({source, LowerAscii(name)}) > 0; }

    void CheckAfterEnd(const SourceText& source, const ScriptLayout& layout) {
        if (!layout.firstLineAfterEnd) return;
        Report(findings_, {&source, layout.firstLineAfterEnd}, "after-end",
               std::to_string(layout.linesAfterEnd) + " header or key line(s) after [End] at line " + std::to_string(layout.endLine) +
                   " are never read");
    }

    void CheckQuotes(const SourceText& source, const ScriptLayout& layout) {
        for (int line : layout.unmatchedQuotes)
            Report(findings_, {&source, line}, "unmatched-quote",
                   "a quote opens here that nothing closes: the reader takes it as an ordinary character");
    }

    std::vector<std::string> SectionCandidates() const {
        std::vector<std::string> names = NamesOf(ScriptSectionNames());
        for (const ScriptModel& model : check_.models)
            for (const ComponentModel& component : model.components)
                for (const StrBuf& section : component.sections)
                    if (!section.IsEmpty()) names.push_back(section.c_str());
        for (const auto& [source, layout] : layouts_)
            for (const LayoutInclude& include : layout.includes)
                if (!InAppSection(layout, include)) names.push_back(include.target);
        return names;
    }

    void CheckHeaders(const SourceText& source, const ScriptLayout& layout) {
        std::vector<std::string> candidates;
        for (const LayoutSection& section : layout.sections) {
            if (IsRead(&source, section.name)) continue;
            std::string suffix = SuffixOf(section.name);
            std::string base = section.name.substr(0, section.name.size() - suffix.size());
            if (!suffix.empty() && IsRead(&source, base)) {
                Report(findings_, {&source, section.line}, "unread-section",
                       Bracketed(section.name) + " is never read: component sections are read by their plain name only");
                continue;
            }
            if (candidates.empty()) candidates = SectionCandidates();
            std::string nearest = NearestName(base, candidates);
            if (!nearest.empty())
                Report(findings_, {&source, section.line}, "unknown-section",
                       Bracketed(section.name) + " is never read; did you mean " + Bracketed(nearest + suffix) + "?");
            else
                Report(findings_, {&source, section.line}, "unread-section",
                       Bracketed(section.name) + " is never read: no SetupApps line or \"*include\" names it");
        }
    }

    // In [App], "*include" names a further script file rather than a section.
    static bool InAppSection(const ScriptLayout& layout, const LayoutInclude& include) {
        const std::string& name = layout.sections[include.section].name;
        return LowerAscii(name.substr(0, name.size() - SuffixOf(name).size())) == "app";
    }

    void CheckIncludeTargets(const SourceText& source, const ScriptLayout& layout) {
        for (const LayoutInclude& include : layout.includes) {
            if (!IsRead(&source, layout.sections[include.section].name)) continue;
            Location at{&source, include.line};
            if (InAppSection(layout, include)) {
                if (!IncludedFile(include.target))
                    Report(findings_, at, "missing-include",
                           "\"*include\" adds the script " + include.target + ", which is not on the medium beside the script");
                continue;
            }
            if (include.target.empty()) {
                Report(findings_, at, "missing-include", "\"*include\" names no section");
                continue;
            }
            if (include.file.empty()) {
                if (!HasSectionHeader(source.Text(), include.target.c_str()))
                    Report(findings_, at, "missing-include",
                           "\"*include\" reads " + Bracketed(include.target) + ", which this file does not have");
                continue;
            }
            const SourceText* file = IncludedFile(include.file);
            if (!file) {
                Report(findings_, at, "missing-include",
                       "\"*include\" reads the file " + include.file + ", which is not on the medium beside the script");
                continue;
            }
            bool found = HasSectionHeader(file->Text(), include.target.c_str()) ||
                         HasSectionHeader(file->Text(), (include.target + ".all").c_str());
            if (!found)
                Report(findings_, at, "missing-include",
                       "\"*include\" reads " + Bracketed(include.target) + " of " + file->name + ", which has no such section");
        }
    }

    // A depth-first walk over the include lines; an include that reaches a section still on
    // the walk's path closes a cycle.
    void CheckCycles() {
        struct Edge { ReadKey to; Location at; std::string name; };
        std::map<ReadKey, std::vector<Edge>> edges;
        for (const auto& [source, layout] : layouts_)
            for (const LayoutInclude& include : layout.includes) {
                if (InAppSection(layout, include)) continue;
                const SourceText* target = include.file.empty() ? source : IncludedFile(include.file);
                if (!target) continue;
                edges[{source, LowerAscii(layout.sections[include.section].name)}].push_back(
                    {{target, LowerAscii(include.target)}, {source, include.line}, include.target});
            }
        std::map<ReadKey, int> state;   // 1 on the path, 2 done
        std::function<void(const ReadKey&)> visit = [&](const ReadKey& node) {
            state[node] = 1;
            for (const Edge& edge : edges[node]) {
                const ReadKey& next = edge.to;
                if (state[next] == 1)
                    Report(findings_, edge.at, "include-cycle",
                           "this \"*include\" leads back to " + Bracketed(edge.name) +
                               ": its lines are read again at every level, 8 deep");
                else if (state[next] == 0)
                    visit(next);
            }
            state[node] = 2;
        };
        for (const auto& [node, targets] : edges)
            if (state[node] == 0) visit(node);
    }

    void CheckKeyLines(const std::vector<LocatedLine>& lines, const std::vector<KnownName>& known, const char* where) {
        std::vector<std::string> names = NamesOf(known);
        for (const LocatedLine& line : lines) {
            StrBuf value(line.text);
            std::string key = CutKey(value).c_str();
            if (IsKnown(known, key)) continue;
            std::string nearest = NearestName(key, names);
            Report(findings_, line.at, "unknown-key",
                   "\"" + key + "\" is no key of " + where + (nearest.empty() ? ": the line is ignored"
                                                                              : "; did you mean \"" + nearest + "\"?"));
        }
    }

    void CheckKeys() {
        for (const ScriptModel& model : check_.models) {
            CheckKeyLines(model.appLines, AppKeys(), "[App]");
            for (const ComponentModel& component : model.components)
                CheckKeyLines(component.keyLines, ComponentKeyNames(), "a component's key section");
        }
    }

    // What a section says, by its keys (for SetupApps: the record names, which stay the
    // same in every language while the component names do not).
    static std::set<std::string> KeysOf(const ScriptLayout& layout, const std::string& name) {
        std::set<std::string> keys;
        for (const LayoutSection& section : layout.sections) {
            if (LowerAscii(section.name) != LowerAscii(name)) continue;
            for (const LayoutLine& line : section.lines) {
                if (LowerAscii(name).rfind("setupapps", 0) == 0) {
                    StrBuf value(line.text.c_str());
                    CutKey(value);
                    keys.insert(LowerAscii(NextField(value, ',', true).c_str()));
                } else {
                    keys.insert(LowerAscii(line.key));
                }
            }
        }
        return keys;
    }

    void CheckHiddenPlain(const SourceText& source, const ScriptLayout& layout) {
        for (const KnownName& known : ScriptSectionNames()) {
            std::string plain = known.name;
            std::set<std::string> plainKeys = KeysOf(layout, plain);
            if (plainKeys.empty()) continue;
            std::set<std::string> allKeys = KeysOf(layout, plain + ".all");
            std::set<std::string> done;   // a variant's header may stand more than once
            for (const LayoutSection& section : layout.sections) {
                std::string suffix = SuffixOf(section.name);
                if (suffix.empty() || suffix == ".all" || LowerAscii(section.name) != LowerAscii(plain + suffix)) continue;
                if (!done.insert(suffix).second) continue;
                std::set<std::string> variantKeys = KeysOf(layout, section.name);
                std::string lost;
                for (const std::string& key : plainKeys)
                    if (!variantKeys.count(key) && !allKeys.count(key)) lost += (lost.empty() ? "" : ", ") + key;
                if (lost.empty()) continue;
                Report(findings_, {&source, section.line}, "hidden-plain-section",
                       "on " + suffix + " systems " + Bracketed(plain) + " is not read, and " + Bracketed(section.name) +
                           " lacks its " + lost);
            }
        }
    }

    const ScriptCheck& check_;
    Findings& findings_;
    std::map<const SourceText*, ScriptLayout> layouts_;
    std::set<ReadKey> read_;
};
}  // namespace

void CheckSections(const ScriptCheck& check, Findings& findings) { SectionRules(check, findings).Run(); }
