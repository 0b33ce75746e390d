// Rules over what the installer reads from a script: the tables, the components and their
// entries, checked against each other and against the files of the medium.
#include <climits>
#include <map>
#include "installer/core/path_text.h"
#include "installer/files/lz_header.h"
#include "installer/files/progress_events.h"
#include "installer/registry/path_macro.h"
#include "installer/script/script_tables.h"
#include "kit/checker/name_tables.h"
#include "kit/checker/script_rules.h"

namespace {
const char* const kSectionRoles[8] = {"key", "file", "shortcut", "INI", "spare-file", "registry", "second registry",
                                      "removal-file"};
const int kRecordValue = 256;      // the record's values are read back into this buffer, NUL included
const int kPatternBuffer = 32;     // the "CopyFolder" pattern, NUL included
const int kIniLine = 255;          // INI values are read, and INI lines rewritten, at most this long

const TableRow* FindRow(const std::vector<TableRow>& table, int id) {
    for (const TableRow& row : table)
        if (row.id == id) return &row;
    return nullptr;
}

// A negative destination id names source folder -id.
const TableRow* FindDest(const ScriptModel& model, int id) {
    if (id < 0) return id == INT_MIN ? nullptr : FindRow(model.sourceDirs, -id);
    return FindRow(model.destDirs, id);
}

bool IsKnownMacro(const StrBuf& path) {
    PathMacro macro = ParsePathMacro(path);
    switch (macro.form) {
    case PathMacroForm::None:
    case PathMacroForm::AppPath: return true;
    case PathMacroForm::Named: return MacroFolderNamed(macro.name) != MacroFolder::Unknown;
    default: return false;
    }
}

// The machine's folders as far as the medium's paths need them: anything off the medium
// is never looked for.
DirectoryFacts MediumFacts() {
    DirectoryFacts facts;
    facts.bootRoot = "C:\\";
    facts.windowsDirectory = "C:\\WINDOWS";
    facts.systemDirectory = "C:\\WINDOWS\\SYSTEM32";
    facts.expandMacro = [](StrBuf& path) {
        if (!IsKnownMacro(path)) return false;
        path = "C:\\MACRO\\" + ParsePathMacro(path).rest;
        return true;
    };
    return facts;
}

// The text that a quote opening inside a field throws away: what stands before the quote.
bool LosesTextBeforeQuote(const StrBuf& text) {
    bool open = false;
    bool textSinceSeparator = false;
    for (int i = 0; i < text.Length(); ++i) {
        char c = text[i];
        if (c == '"') {
            if (open && text[i + 1] == '"') {
                ++i;
                continue;
            }
            if (!open && textSinceSeparator) return true;
            open = !open;
            continue;
        }
        if (open) continue;
        if (c == ',' || c == ':' || c == '-' || c == '=') textSinceSeparator = false;
        else if (!IsBlank(c)) textSinceSeparator = true;
    }
    return false;
}

// What is left of an entry after its reader has cut every field it takes.
StrBuf FieldsLeftOver(int kind, const StrBuf& entryText) {
    static const char kFile[] = {',', '-', ':', ',', ':', ',', ',', ',', ','};
    static const char kShortcut[] = {',', ',', ','};
    static const char kIni[] = {',', ',', ',', ':', ',', ',', ',', ',', ','};
    static const char kRegistry[] = {',', ',', ',', ',', ':', ','};
    const char* separators = kFile;
    size_t count = sizeof kFile;
    switch (kind) {
    case kShortcutSection: separators = kShortcut; count = sizeof kShortcut; break;
    case kIniSection: separators = kIni; count = sizeof kIni; break;
    case kRegistrySection:
    case kRegistrySection2: separators = kRegistry; count = sizeof kRegistry; break;
    default: break;
    }
    StrBuf rest(entryText);
    for (size_t i = 0; i < count && !rest.IsEmpty(); ++i) NextField(rest, separators[i], true);
    rest.Trim();
    return rest;
}

std::string Quoted(const StrBuf& text) { return std::string("\"") + text.c_str() + "\""; }

class EntryRules {
public:
    EntryRules(const ScriptCheck& check, const ScriptModel& model, Findings& findings)
        : check_(check), model_(model), findings_(findings), facts_(MediumFacts()) {}

    void Run() {
        CheckTable(model_.disks, "Disks", false);
        CheckTable(model_.sourceDirs, "SrcDirs", true);
        CheckTable(model_.destDirs, "DstDirs", true);
        CheckDefaultDir();
        CheckGroupName();
        CheckComponentNames();
        for (const ComponentModel& component : model_.components) CheckComponent(component);
        CheckUninstallerCopy();
    }

private:
    void CheckTable(const std::vector<TableRow>& table, const char* name, bool folders) {
        for (size_t i = 0; i < table.size(); ++i) {
            const TableRow* first = FindRow(table, table[i].id);
            if (first != &table[i])
                Report(findings_, table[i].at, "duplicate-id",
                       "id " + std::to_string(table[i].id) + " of [" + name + "] is given at line " +
                           std::to_string(first->at.line) + " already: this line is never used");
            if (folders && !IsKnownMacro(table[i].text))
                Report(findings_, table[i].at, "unknown-path-macro",
                       Quoted(table[i].text) + " starts with a macro the installer does not expand: the folder becomes the " +
                           (std::string(name) == "SrcDirs" ? "source" : "installation") + " folder itself");
        }
    }

    // The [App] line that sets the key (the last one wins), or the script's start.
    Location AppKeyAt(const char* key) const {
        Location at{model_.main, 0};
        for (const LocatedLine& line : model_.appLines) {
            StrBuf value(line.text);
            if (CutKey(value).EqualsNoCase(key)) at = line.at;
        }
        return at;
    }

    void CheckGroupName() {
        int length = model_.app.groupName.Length();
        if (length >= kRecordValue)
            Report(findings_, AppKeyAt("DefPMGroup"), "value-too-long",
                   "the group name has " + std::to_string(length) + " characters: the record keeps " +
                       std::to_string(kRecordValue - 1) + ", so the uninstall does not find the group and leaves it");
    }

    void CheckDefaultDir() {
        Location at = AppKeyAt("DefDir");
        if (model_.app.defaultDir.Length() >= kMaxPath)
            Report(findings_, at, "value-too-long",
                   "DefDir has " + std::to_string(model_.app.defaultDir.Length()) + " characters: paths are cut at 259");
        if (IsKnownMacro(model_.app.defaultDir)) return;
        Report(findings_, at, "unknown-path-macro",
               "DefDir " + Quoted(model_.app.defaultDir) + " starts with a macro the installer does not expand: it stays as written");
    }

    // Names compare as the installer compares them, ignoring the case of A to Z.
    static std::string Folded(const StrBuf& text) {
        std::string folded = text.c_str();
        for (char& c : folded)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        return folded;
    }

    void CheckComponentNames() {
        std::map<std::string, const ComponentModel*> records, names;
        for (const ComponentModel& b : model_.components) {
            auto record = records.emplace(Folded(b.recordName), &b);
            auto name = names.emplace(Folded(b.name), &b);
            if (!record.second)
                Report(findings_, b.at, "duplicate-component",
                       "record name " + Quoted(b.recordName.Mid(3)) + " is taken by the component at line " +
                           std::to_string(record.first->second->at.line) + ": both keep their record under one key");
            else if (!name.second)
                Report(findings_, b.at, "duplicate-component",
                       "component name " + Quoted(b.name) + " is given at line " + std::to_string(name.first->second->at.line) +
                           " already: the user cannot tell them apart");
        }
    }

    void CheckComponent(const ComponentModel& component) {
        const ScriptText text = component.at.source ? component.at.source->Text() : model_.main->Text();
        for (int i = 0; i < 8; ++i) {
            const StrBuf& section = component.sections[i];
            if (!section.IsEmpty() && !HasSectionHeader(text, section))
                Report(findings_, component.at, "missing-section",
                       "the " + std::string(kSectionRoles[i]) + " section " + Bracketed(section.c_str()) +
                           " is not in the script: that list stays empty");
        }
        if (component.fieldCount > 9)
            Report(findings_, component.at, "extra-fields",
                   "a SetupApps line takes a record name and eight sections; the rest is never read");
        for (const EntryLine& line : component.entryLines) CheckEntryLine(line);
        int64_t bytes = 0;
        for (const FileAt& file : component.files) bytes += CheckFile(file);
        for (const CopyFolderAt& copy : component.copyFolders) CheckCopyFolder(copy);
        CheckTargets(component);
        CheckSpace(component, bytes);
        for (const auto& [entry, at] : component.iniEntries)
            if (entry.key.Length() + 1 + entry.value.Length() > kIniLine)
                Report(findings_, at, "value-too-long",
                       "the INI line " + std::string(entry.key.c_str()) + "= and its value take " +
                           std::to_string(entry.key.Length() + 1 + entry.value.Length()) +
                           " characters: values are read and lines rewritten in pieces of 255");
        for (const auto& [entry, at] : component.iniEntries)
            if (entry.directoryNumber != 0 && !FindDest(model_, entry.directoryNumber))
                Report(findings_, at, "missing-dest-dir",
                       "destination folder " + std::to_string(entry.directoryNumber) + " is not in [DstDirs]: the value is written without a folder");
        for (const auto& [entry, at] : component.registryEntries)
            if (entry.directoryId != 0 && !FindDest(model_, entry.directoryId))
                Report(findings_, at, "missing-dest-dir",
                       "destination folder " + std::to_string(entry.directoryId) + " is not in [DstDirs]: the data is written without a folder");
    }

    void CheckEntryLine(const EntryLine& line) {
        StrBuf dropped(line.dropped);
        dropped.Trim();
        if (line.hadEquals && !dropped.IsEmpty())
            Report(findings_, line.at, "cut-entry",
                   "the entry stops at \"=\": " + Quoted(dropped) + " is never read (quote a name that holds \"=\")");
        if (LosesTextBeforeQuote(line.entryText))
            Report(findings_, line.at, "cut-entry",
                   "a quote opens inside a field: the field's text before the quote is dropped");
        StrBuf rest = FieldsLeftOver(line.kind, line.entryText);
        if (!rest.IsEmpty())
            Report(findings_, line.at, "extra-fields",
                   "more fields than the line takes: " + Quoted(rest) + " is never read (quote a value that holds \",\")");
    }

    // The source file's size in bytes as installed (expanded), or 0 when it is not on the medium.
    int64_t CheckFile(const FileAt& file) {
        const FileEntryLine& f = file.fields;
        if (!file.fromCopyFolder) {
            if (!FindRow(model_.disks, f.diskId))
                Report(findings_, file.at, "missing-disk", "disk " + std::to_string(f.diskId) + " is not in [Disks]");
            if (!FindDest(model_, f.destDirId))
                Report(findings_, file.at, "missing-dest-dir",
                       "destination folder " + std::to_string(f.destDirId) + " is not in " +
                           (f.destDirId < 0 ? "[SrcDirs]" : "[DstDirs]") + ": the file is not installed");
        }
        if (f.displayName.Length() >= kSourceBufferSize)
            Report(findings_, file.at, "value-too-long",
                   "a display name of " + std::to_string(f.displayName.Length()) +
                       " characters: the disk request that names it cuts it at " + std::to_string(kSourceBufferSize - 1));
        for (const StrBuf* name : {&f.sourceName, &f.destName})
            if (name->Length() >= kMaxPath)
                Report(findings_, file.at, "value-too-long",
                       "a file name of " + std::to_string(name->Length()) + " characters: paths are cut at 259");
        const TableRow* source = FindRow(model_.sourceDirs, f.sourceDirId);
        if (!source) {
            if (!file.fromCopyFolder)
                Report(findings_, file.at, "missing-source-dir",
                       "source folder " + std::to_string(f.sourceDirId) + " is not in [SrcDirs]: the file is not installed");
            return 0;
        }
        return SourceSize(file, *source);
    }

    int64_t SourceSize(const FileAt& file, const TableRow& source) {
        StrBuf folder = ResolveDirSpec(source.text, MediumFolderPath(model_.scriptFolder), StrBuf(), facts_);
        std::string mediumFolder;
        if (!MediumPathOf(folder, mediumFolder)) return 0;   // read from the machine, not the medium
        const StrBuf& name = file.fields.sourceName;
        if (name.IsEmpty()) {
            Report(findings_, file.at, "missing-source-file", "the entry names no source file");
            return 0;
        }
        std::string path;
        MediumPathOf(JoinPath(folder, name), path);
        const Medium& medium = *check_.medium;
        if (medium.IsFile(path)) return InstalledSize(path);
        std::string message = Quoted(name) + " is not on the medium in " + (mediumFolder.empty() ? "its root" : mediumFolder);
        std::string compressed = std::string(name.c_str(), name.Length() - 1) + "_";
        if (name[name.Length() - 1] != '_' && medium.IsFile(mediumFolder + "\\" + compressed))
            message += "; the medium has its compressed form " + compressed;
        else if (name[name.Length() - 1] == '_')
            for (const std::string& entry : medium.Entries(mediumFolder))
                if (entry.size() == compressed.size() && SameNameNoCase(entry.substr(0, entry.size() - 1), compressed.substr(0, compressed.size() - 1)))
                    message += "; the medium has it uncompressed as " + entry;
        Report(findings_, file.at, "missing-source-file", message);
        return 0;
    }

    int64_t InstalledSize(const std::string& path) {
        std::string head;
        if (!check_.medium->ReadHead(path, kLzHeaderSize, head)) return 0;
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(head.data());
        if (!IsLzCompressedHeader(bytes, head.size())) return check_.medium->FileSize(path);
        return static_cast<int64_t>(bytes[10]) | static_cast<int64_t>(bytes[11]) << 8 |
               static_cast<int64_t>(bytes[12]) << 16 | static_cast<int64_t>(bytes[13]) << 24;
    }

    void CheckCopyFolder(const CopyFolderAt& copy) {
        const TableRow* source = FindRow(model_.sourceDirs, copy.line.sourceDirId);
        if (!source)
            Report(findings_, copy.at, "missing-source-dir",
                   "source folder " + std::to_string(copy.line.sourceDirId) + " is not in [SrcDirs]: CopyFolder adds nothing");
        if (!FindDest(model_, copy.line.destDirId))
            Report(findings_, copy.at, "missing-dest-dir",
                   "destination folder " + std::to_string(copy.line.destDirId) + " is not in [DstDirs]: the files are not installed");
        if (!FindRow(model_.disks, copy.line.diskId))
            Report(findings_, copy.at, "missing-disk", "disk " + std::to_string(copy.line.diskId) + " is not in [Disks]");
        if (copy.line.pattern.Length() >= kPatternBuffer)
            Report(findings_, copy.at, "value-too-long",
                   "the CopyFolder pattern has " + std::to_string(copy.line.pattern.Length()) + " characters; it is held in 31");
        if (source && copy.filesFound == 0)
            Report(findings_, copy.at, "missing-source-file",
                   "CopyFolder finds no file matching " + Quoted(copy.line.pattern) + " in " + Quoted(source->text));
    }

    static bool Installs(const ComponentModel& component, const char* name) {
        for (const FileAt& file : component.files)
            if (CompareNoCase(file.fields.destName, name) == 0) return true;
        return false;
    }

    static Location KeyLineOf(const ComponentModel& component, const char* key, const StrBuf& first) {
        for (const LocatedLine& line : component.keyLines) {
            StrBuf value(line.text);
            if (CutKey(value).EqualsNoCase(key) && NextField(value, ',', true).EqualsNoCase(first)) return line.at;
        }
        return component.at;
    }

    void CheckTargets(const ComponentModel& component) {
        for (const auto& [shortcut, at] : component.shortcuts)
            if (shortcut.folderCode != -1 && !Installs(component, shortcut.target))
                Report(findings_, at, "unknown-target",
                       "the shortcut's target " + Quoted(shortcut.target) + " is no destination name of the component's files");
        static const char* const kTables[4] = {"IExeBefore", "IExeAfter", "UExeBefore", "UExeAfter"};
        for (int table = 0; table < 4; ++table)
            for (const ComponentProgram& slot : component.keys.programs[table])
                if (!slot.program.IsEmpty() && !Installs(component, slot.program))
                    Report(findings_, KeyLineOf(component, kTables[table], slot.program), "unknown-target",
                           std::string(kTables[table]) + " " + Quoted(slot.program) +
                               " is none of the component's files: nothing is started");
        for (const ComponentLibrary& slot : component.keys.libraries)
            if (!slot.library.IsEmpty() && !Installs(component, slot.library))
                Report(findings_, KeyLineOf(component, "LibraryReg", slot.library), "unknown-target",
                       "LibraryReg " + Quoted(slot.library) + " is none of the component's files: nothing is registered");
    }

    void CheckSpace(const ComponentModel& component, int64_t bytes) {
        int64_t needed = (bytes + 1023) / 1024;
        if (needed <= component.keys.spaceNeededK) return;
        Location at = component.at;
        for (const LocatedLine& line : component.keyLines) {
            StrBuf value(line.text);
            if (CutKey(value).EqualsNoCase("SpaceNeeded")) at = line.at;
        }
        Report(findings_, at, "space-needed",
               "SpaceNeeded is " + std::to_string(component.keys.spaceNeededK) + " KB, but the component's files take " +
                   std::to_string(needed) + " KB");
    }

    void CheckUninstallerCopy() {
        const ApplicationSettings& app = model_.app;
        if (app.dontKeepUninstallInfo || app.uninstallName.IsEmpty() || model_.components.empty()) return;
        bool anyInstalls = false, alwaysInstalled = false;
        for (const ComponentModel& component : model_.components) {
            if (!Installs(component, check_.installerName.c_str())) continue;
            anyInstalls = true;
            if (component.keys.deviceType == 0) alwaysInstalled = true;
        }
        if (alwaysInstalled) return;
        Location at{model_.main, 0};
        for (const LocatedLine& line : model_.appLines) {
            StrBuf value(line.text);
            if (CutKey(value).EqualsNoCase("UnInstall")) at = line.at;
        }
        Report(findings_, at, "no-uninstaller-copy",
               anyInstalls ? "only device components install " + check_.installerName +
                                 ": without their tablet the uninstall link starts a copy the installer makes of itself"
                           : "no file entry installs " + check_.installerName +
                                 ": the uninstall link starts a copy the installer makes of itself in the installation folder");
    }

    const ScriptCheck& check_;
    const ScriptModel& model_;
    Findings& findings_;
    DirectoryFacts facts_;
};
}  // namespace

void CheckEntries(const ScriptCheck& check, const ScriptModel& model, Findings& findings) {
    EntryRules(check, model, findings).Run();
}
