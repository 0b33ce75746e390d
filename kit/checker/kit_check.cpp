#include "kit/checker/kit_check.h"

#include <map>
#include <set>
#include "installer/core/script_candidates.h"
#include "kit/checker/launcher_rules.h"
#include "kit/checker/medium.h"
#include "kit/checker/script_rules.h"

namespace {
struct Platform {
    int architecture;
    int versionCode;
    const char* name;
};
// One system of each row of the candidate tables.
const Platform kPlatforms[] = {
    {0, 200, "Windows 95"}, {0, 210, "Windows 98"}, {0, 290, "Windows Me"}, {0, 400, "Windows NT 4.0"},
    {0, 500, "Windows 2000"}, {0, 501, "Windows XP"}, {0, 502, "Windows Server 2003"}, {0, 600, "Windows Vista"},
    {0, 601, "Windows 7"}, {9, 501, "x64 Windows XP"}, {9, 502, "x64 Windows Server 2003"},
    {9, 600, "x64 Windows Vista"}, {9, 601, "x64 Windows 7"}, {6, 502, "IA-64 Windows Server 2003"},
    {6, 600, "IA-64 Windows Vista"}, {6, 601, "IA-64 Windows 7"},
};

// Every name the installer looks for, in no particular order.
std::set<std::string> CandidateNames() {
    std::set<std::string> names;
    for (const Platform& platform : kPlatforms)
        for (const char* name : ScriptCandidates(platform.architecture, platform.versionCode)) names.insert(name);
    return names;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

// The script variants of a folder, as spelt on the medium.
std::vector<std::string> ScriptsIn(const Medium& medium, const std::string& folder) {
    std::vector<std::string> scripts;
    std::set<std::string> candidates = CandidateNames();
    for (const std::string& entry : medium.Entries(folder))
        for (const std::string& candidate : candidates)
            if (SameNameNoCase(entry, candidate) && medium.IsFile(InFolder(folder, entry))) scripts.push_back(entry);
    return scripts;
}

bool Has(const Medium& medium, const std::string& folder, const char* name) {
    return medium.IsFile(InFolder(folder, name));
}

// Platforms whose chain finds none of the folder's variants. IA-64 counts only for a kit that
// has an IA-64 script at all.
void CheckPlatforms(const Medium& medium, const std::string& folder, Findings& findings) {
    bool anyIa64 = false;
    for (const std::string& script : ScriptsIn(medium, folder))
        if (script.size() > 8 && SameNameNoCase(script.substr(0, 8), "SetupI64")) anyIa64 = true;
    for (int architecture : {0, 9, 6}) {
        if (architecture == 6 && !anyIa64) continue;
        std::string missing;
        for (const Platform& platform : kPlatforms) {
            if (platform.architecture != architecture) continue;
            bool found = false;
            for (const char* name : ScriptCandidates(architecture, platform.versionCode)) found = found || Has(medium, folder, name);
            if (!found) missing += (missing.empty() ? "" : ", ") + std::string(platform.name);
        }
        if (missing.empty()) continue;
        std::string chain;
        for (const char* name : ScriptCandidates(architecture, 601)) chain += (chain.empty() ? "" : ", ") + std::string(name);
        findings.Add(folder, 0, "no-script-for-platform",
                     "no script variant is chosen on " + missing + " (the installer tries " + chain +
                         (architecture == 0 ? ")" : " and never falls back to SetupExt.*)"));
    }
}

// The findings of one check under the name of another file with the same text: kits carry
// one script under several names, which need reading only once.
void AddAs(const Findings& own, const std::string& checkedName, const std::string& name, Findings& findings) {
    for (const Finding& f : own.Sorted())
        findings.Add(f.file == checkedName ? name : f.file, f.line, f.rule.c_str(), f.message);
    findings.AddSources(own.Sources());
}

void CheckFolder(const Medium& medium, const std::string& folder, SourceTexts& texts, Findings& findings) {
    ScriptSources sources(medium, texts);
    std::string installer = InstallerName(medium, folder);
    std::map<std::string, std::pair<std::string, Findings>> checked;   // by expanded text: name, findings
    for (const std::string& script : ScriptsIn(medium, folder)) {
        std::string path = InFolder(folder, script);
        std::string bytes;
        medium.Read(path, bytes);
        bool compressed = false, damaged = false;
        std::string expanded = ExpandedBytes(bytes, &compressed, &damaged);
        if (damaged || expanded.empty()) {
            findings.Add(path, 0, "unreadable-script",
                         damaged ? "the compressed script cannot be expanded: the installer finds no script"
                                 : "the script is empty: the installer finds no script");
            continue;
        }
        auto same = checked.find(expanded);
        if (same != checked.end()) {
            AddAs(same->second.second, same->second.first, path, findings);
            continue;
        }
        const SourceText* main = sources.Load(path);
        if (!main) continue;
        Findings own;
        CheckScript(*main, folder, installer, sources, own);
        AddAs(own, path, path, findings);
        checked.emplace(expanded, std::make_pair(path, own));
    }
    CheckPlatforms(medium, folder, findings);
}

// The launcher reads its file through the profile functions, which also end lines at a lone
// line feed: such a file is given carriage returns so that its lines are counted the same.
std::string WithCarriageReturns(const std::string& bytes) {
    if (bytes.find('\r') != std::string::npos) return bytes;
    std::string out;
    for (char c : bytes) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}
}  // namespace

std::string InstallerName(const Medium& medium, const std::string& folder) {
    std::string found;
    for (const std::string& entry : medium.Entries(folder)) {
        if (SameNameNoCase(entry, "Instally.exe")) return entry;
        if (entry.size() > 4 && SameNameNoCase(entry.substr(entry.size() - 4), ".exe") && !SameNameNoCase(entry, "setup.exe"))
            found = entry;
    }
    return found.empty() ? "Instally.exe" : found;
}

std::vector<std::string> ScriptFolders(const Medium& medium) {
    std::vector<std::string> folders;
    if (!ScriptsIn(medium, "").empty()) folders.push_back("");
    for (const std::string& entry : medium.Entries(""))
        if (medium.IsFolder(entry) && !ScriptsIn(medium, entry).empty()) folders.push_back(entry);
    return folders;
}

bool CheckMedium(const std::string& root, Findings& findings) {
    Medium medium(root);
    if (!medium.Exists()) return false;
    SourceTexts texts;
    std::vector<std::string> folders = ScriptFolders(medium);
    if (folders.empty())
        findings.Add("", 0, "no-script-for-platform", "no setup script is on the medium, in its root or a folder below it");
    for (const std::string& folder : folders) CheckFolder(medium, folder, texts, findings);
    std::string setupInf;
    if (medium.Read("setup.inf", setupInf))
        CheckLauncher(texts.Add(medium.Find("setup.inf"), WithCarriageReturns(setupInf)), medium, findings);
    return true;
}

void CheckScriptBytes(const std::string& bytes, Findings& findings) {
    Medium medium("");   // no folder: every file the script names is missing
    SourceTexts texts;
    ScriptSources sources(medium, texts);
    const SourceText& main = texts.Add("SetupExt.inf", bytes);
    CheckScript(main, "", "Instally.exe", sources, findings);
}
