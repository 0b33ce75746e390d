#include "kit/checker/fresh_machine.h"

#include <algorithm>
#include <cctype>
#include "installer/registry/path_macro.h"
#include "kit/checker/name_tables.h"

namespace {
bool SameNoCase(const std::string& a, const std::string& b) { return LowerAscii(a) == LowerAscii(b); }

// What may follow a folder's name in a path or a value: a separator, a quote, a space, the end.
bool EndsAName(const std::string& text, size_t at) {
    return at >= text.size() || !(isalnum(static_cast<unsigned char>(text[at])) || text[at] == '_');
}

const char* const kRootShortNames[] = {"HKCR", "HKCU", "HKLM", "HKU"};
}  // namespace

const std::vector<std::pair<std::string, std::string>>& MachineFolders() {
    static const std::vector<std::pair<std::string, std::string>> folders = [] {
        std::vector<std::pair<std::string, std::string>> list = {
            {"{WINDOWS}", "C:\\windows"},
            {"{SYSTEM}", "C:\\windows\\system32"},
            {"{PROGRAMFILES}", "C:\\Program Files"},
            {"{COMMONPROGRAMS}", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
            {"{COMMONSTARTUP}", "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
            {"{COMMONDESKTOP}", "C:\\users\\Public\\Desktop"},
            {"{PROGRAMS}", "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
            {"{STARTUP}", "C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
            {"{DESKTOP}", "C:\\users\\user\\Desktop"},
        };
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
        return list;
    }();
    return folders;
}

std::string FolderOf(const std::string& placeholder) {
    for (const auto& folder : MachineFolders())
        if (folder.first == placeholder) return folder.second;
    return "";
}

std::string WithPlaceholders(const std::string& text, const std::vector<std::pair<std::string, std::string>>& own) {
    std::vector<std::pair<std::string, std::string>> folders = own;
    folders.insert(folders.end(), MachineFolders().begin(), MachineFolders().end());
    // The longest first; the kit's own before a machine folder of the same length.
    std::stable_sort(folders.begin(), folders.end(),
                     [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
    std::string out;
    std::string lower = LowerAscii(text);
    size_t i = 0;
    while (i < text.size()) {
        bool replaced = false;
        bool starts = i == 0 || text[i - 1] == '"' || text[i - 1] == ' ' || text[i - 1] == '=';
        for (const auto& folder : folders) {
            const std::string& path = folder.second;
            if (path.empty() || !starts || lower.compare(i, path.size(), LowerAscii(path)) != 0 || !EndsAName(text, i + path.size())) continue;
            out += folder.first;
            i += path.size();
            replaced = true;
            break;
        }
        if (!replaced) out += text[i++];
    }
    return out;
}

bool ExpandFreshMacro(StrBuf& path) {
    PathMacro macro = ParsePathMacro(path);
    if (macro.form == PathMacroForm::None) return true;
    if (macro.form != PathMacroForm::Named) return false;
    std::string folder;
    switch (MacroFolderNamed(macro.name)) {
    case MacroFolder::Windows: folder = FolderOf("{WINDOWS}"); break;
    case MacroFolder::System: folder = FolderOf("{SYSTEM}"); break;
    case MacroFolder::System32: folder = FolderOf("{WINDOWS}") + "\\System32"; break;
    case MacroFolder::ProgramFiles: folder = FolderOf("{PROGRAMFILES}"); break;
    case MacroFolder::OfficeWord:   // no word processor on a fresh machine
    case MacroFolder::Unknown: return false;
    }
    path = StrBuf(folder.c_str()) + macro.rest;
    return true;
}

DirectoryFacts FreshDirectoryFacts() {
    DirectoryFacts facts;
    facts.windowsDirectory = FolderOf("{WINDOWS}").c_str();
    facts.systemDirectory = FolderOf("{SYSTEM}").c_str();
    facts.bootRoot = facts.windowsDirectory.Left(3);
    facts.expandMacro = ExpandFreshMacro;
    return facts;
}

bool FreshMachineHasFolder(const std::string& folder, const FreshMachine&) {
    std::string path = folder;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (path.size() <= 2) return true;   // a drive
    static const char* const kSystemFolders[] = {
        "{WINDOWS}", "{SYSTEM}", "{SYSTEM}\\drivers", "{WINDOWS}\\INF", "{WINDOWS}\\Fonts", "{WINDOWS}\\Help",
        "{WINDOWS}\\system", "{WINDOWS}\\Temp", "{PROGRAMFILES}", "{COMMONPROGRAMS}", "{COMMONSTARTUP}",
        "{COMMONDESKTOP}", "{PROGRAMS}", "{STARTUP}", "{DESKTOP}",
    };
    std::string named = WithPlaceholders(path);
    for (const char* known : kSystemFolders)
        if (SameNoCase(named, known)) return true;
    // The folders above the shell's: "C:\\users\\Public" and the like.
    for (const auto& known : MachineFolders()) {
        const std::string& concrete = known.second;
        if (concrete.size() > path.size() && SameNoCase(concrete.substr(0, path.size()), path) &&
            concrete[path.size()] == '\\')
            return true;
    }
    return false;
}

std::string RegistryKeyName(RegistryRoot root, const std::string& path) {
    const RegistryMacro* macro = FindRegistryMacro(root);
    std::string name = kRootShortNames[macro ? macro->baseRoot : root];
    if (macro) name += std::string("\\") + macro->subkey;
    if (!path.empty()) name += "\\" + path;
    return name;
}

bool FreshMachineHasKey(const std::string& keyName, const FreshMachine& machine) {
    std::vector<std::string> known = {"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                                      "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths",
                                      "HKLM\\System\\CurrentControlSet\\Control"};
    for (int root = kRootVxd; root <= kRootHcuWindowsCurrent; ++root) {
        // The Windows 95 family's device keys: an NT system has none of them.
        bool nineXOnly = root == kRootVxd || root == kRootClass || root == kRootEnum;
        if (!(nineXOnly && machine.NtFamily())) known.push_back(RegistryKeyName(static_cast<RegistryRoot>(root), ""));
    }
    std::string name = LowerAscii(keyName);
    for (const char* root : kRootShortNames)
        if (name == LowerAscii(root)) return true;
    for (const std::string& key : known) {
        std::string lowered = LowerAscii(key);
        // The key itself or one above it.
        if (lowered == name || (lowered.size() > name.size() && lowered.compare(0, name.size(), name) == 0 &&
                                lowered[name.size()] == '\\'))
            return true;
    }
    return false;
}
