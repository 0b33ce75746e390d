#include "kit/checker/script_model.h"

#include <cstring>
#include <functional>
#include "installer/core/path_text.h"
#include "installer/script/script_tables.h"

const char kMediumDrive[] = "M:\\";

SectionRead::SectionRead(const SourceText* source, const std::string& asked) : source(source), name(asked) {
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

bool SectionRead::operator<(const SectionRead& other) const {
    if (source != other.source) return source < other.source;
    return name < other.name;
}

bool MediumPathOf(const char* path, std::string& mediumPath) {
    if (!path || (path[0] != 'M' && path[0] != 'm') || path[1] != ':' || path[2] != '\\') return false;
    mediumPath = path + 3;
    return true;
}

StrBuf MediumFolderPath(const std::string& folder) {
    StrBuf path(kMediumDrive);
    for (char c : folder) path += c == '/' ? '\\' : c;
    return path;
}

const SourceText* ScriptSources::Load(const std::string& mediumPath) {
    std::string spelt = medium_.Find(mediumPath);
    if (spelt.empty() || spelt == "." || !medium_.IsFile(spelt)) return nullptr;
    for (const auto& entry : loaded_)
        if (entry.first == spelt) return entry.second;
    std::string bytes;
    if (!medium_.Read(spelt, bytes)) return nullptr;
    const SourceText* text = &texts_.Add(spelt, bytes);
    loaded_.emplace_back(spelt, text);
    return text;
}

Location ScriptSources::Locate(const char* at) const { return texts_.Locate(at); }

namespace {
// "*include=Section,File" from the medium; a file that is not there reads nothing.
class MediumIncludeFiles : public IncludeFiles {
public:
    explicit MediumIncludeFiles(ScriptSources& sources) : sources_(sources) {}
    void WithFile(const char* path, const std::function<void(const ScriptText&)>& use) override {
        std::string mediumPath;
        if (!MediumPathOf(path, mediumPath)) return;
        if (const SourceText* text = sources_.Load(mediumPath)) use(text->Text());
    }
private:
    ScriptSources& sources_;
};

// Hands on each key line with the place it was read from.
class LocatedReader : public SectionReader {
public:
    LocatedReader(const ScriptSources& sources, std::function<void(const StrBuf&, Location)> take)
        : sources_(sources), take_(std::move(take)) {}
    void LineStart(const char* at) override { at_ = at; }
    void KeyLine(const StrBuf& line) override { take_(line, sources_.Locate(at_)); }
private:
    const ScriptSources& sources_;
    std::function<void(const StrBuf&, Location)> take_;
    const char* at_ = nullptr;
};

struct SectionOfKind { int field; int kind; };
// The order in which a component reads its sections.
const SectionOfKind kReadingOrder[] = {
    {0, kKeySection}, {1, kFileSection}, {7, kRemovalFileSection}, {2, kShortcutSection},
    {3, kIniSection}, {4, kSpareFileSection}, {5, kRegistrySection}, {6, kRegistrySection2}};

class ModelReader {
public:
    ModelReader(ScriptModel& model, ScriptSources& sources) : model_(model), sources_(sources), files_(sources) {
        context_.sourceDir = MediumFolderPath(model.scriptFolder);
        context_.files = &files_;
        context_.languageSuffix = model.languageSuffix.c_str();
    }

    void ReadTables(const SourceText& source) {
        ReadContainer(source, "Disks", 4, [&](const StrBuf& line, Location at) { AddRow(model_.disks, line, at); });
        ReadContainer(source, "DstDirs", 6, [&](const StrBuf& line, Location at) { AddRow(model_.destDirs, line, at); });
        ReadContainer(source, "SrcDirs", 5, [&](const StrBuf& line, Location at) { AddRow(model_.sourceDirs, line, at); });
        ReadContainer(source, "SetupApps", 3, [&](const StrBuf& line, Location at) { AddComponent(source, line, at); });
    }

    void ReadApp(const SourceText& source) {
        AppSectionHooks hooks;
        hooks.expandDefaultDir = [](StrBuf&) {};   // kept as written: the rules look at the macro
        hooks.includeScript = [&](const StrBuf& file) {
            std::string mediumPath;
            if (!MediumPathOf(JoinPath(context_.sourceDir, file), mediumPath)) return;
            if (const SourceText* included = sources_.Load(mediumPath)) ReadTables(*included);
        };
        NoteVariantsRead(source, "App");
        LocatedReader reader(sources_, [&](const StrBuf& line, Location at) {
            model_.appLines.push_back({line, at});
            ReadApplicationKey(model_.app, line, hooks);
        });
        ParseSection(source.Text(), "App", 2, reader, model_.languageSuffix.c_str());
    }

private:
    // What ParseSection reads: N.all, then the language variant when it exists, else N.
    void NoteVariantsRead(const SourceText& source, const char* name) {
        model_.sectionsRead.insert({&source, std::string(name) + ".all"});
        std::string variant = name + model_.languageSuffix;
        if (!model_.languageSuffix.empty() && HasSectionHeader(source.Text(), variant.c_str()))
            model_.sectionsRead.insert({&source, variant});
        else
            model_.sectionsRead.insert({&source, name});
    }

    void ReadContainer(const SourceText& source, const char* name, int kind,
                       std::function<void(const StrBuf&, Location)> take) {
        NoteVariantsRead(source, name);
        LocatedReader inner(sources_, std::move(take));
        IncludeFollower reader(source.Text(), kind, inner, context_);
        ParseSection(source.Text(), name, kind, reader, context_.languageSuffix);
    }

    static void AddRow(std::vector<TableRow>& table, const StrBuf& line, Location at) {
        TableRow row;
        ReadTableLine(line, row.id, row.text);
        row.at = at;
        table.push_back(row);
    }

    void AddComponent(const SourceText& source, const StrBuf& line, Location at) {
        ComponentModel component;
        StrBuf value(line);
        component.name = CutKey(value);
        int fields = value.IsEmpty() ? 0 : 1;
        component.recordName = "App" + NextField(value, ',', true);
        for (StrBuf& section : component.sections) {
            if (!value.IsEmpty()) ++fields;
            section = NextField(value, ',', true);
        }
        value.Trim();
        component.fieldCount = fields + (value.IsEmpty() ? 0 : 1);
        component.at = at;
        model_.components.push_back(component);
        ReadComponentSections(source, model_.components.back());
    }

    void ReadComponentSections(const SourceText& source, ComponentModel& component) {
        IncludeFollower::Context context;
        context.sourceDir = context_.sourceDir;
        context.files = &files_;
        context.plainSectionInFiles = true;   // component sections have no language variants
        for (const SectionOfKind& section : kReadingOrder) {
            const StrBuf& name = component.sections[section.field];
            if (name.IsEmpty()) continue;
            model_.sectionsRead.insert({&source, name.c_str()});
            int kind = section.kind;
            LocatedReader inner(sources_, [&](const StrBuf& line, Location at) { TakeLine(component, kind, line, at); });
            IncludeFollower reader(source.Text(), kind, inner, context);
            ReadSectionPass(source.Text(), name, kind, reader);
        }
    }

    void TakeLine(ComponentModel& component, int kind, const StrBuf& line, Location at) {
        if (kind == kKeySection) {
            component.keyLines.push_back({line, at});
            ReadComponentKeyLine(component.keys, line);
            return;
        }
        EntryLine entry;
        entry.kind = kind;
        entry.at = at;
        StrBuf value(line);
        entry.entryText = CutEntryText(value);
        entry.dropped = value;
        entry.hadEquals = !(entry.entryText == line.c_str());
        if (kind == kFileSection && entry.entryText.EqualsNoCase("CopyFolder")) {
            ExpandCopyFolder(component, value, at);
            return;
        }
        component.entryLines.push_back(entry);
        switch (kind) {
        case kFileSection: component.files.push_back({ParseFileEntryLine(entry.entryText), at, false}); break;
        case kShortcutSection: component.shortcuts.emplace_back(ParseShortcutLine(entry.entryText), at); break;
        case kIniSection: component.iniEntries.emplace_back(ReadIniEntry(entry.entryText), at); break;
        case kRegistrySection:
        case kRegistrySection2:
            component.registryEntries.emplace_back(ParseRegistryEntryLine(entry.entryText), at);
            break;
        default: break;
        }
    }

    // One entry per file the medium has in the source folder, as the install run finds them.
    void ExpandCopyFolder(ComponentModel& component, const StrBuf& value, Location at) {
        CopyFolderAt copy{ParseCopyFolderLine(value), at, 0};
        const TableRow* dir = nullptr;
        for (const TableRow& row : model_.sourceDirs)
            if (row.id == copy.line.sourceDirId) {
                dir = &row;
                break;
            }
        std::string folder;
        if (dir && MediumPathOf(JoinPath(context_.sourceDir, dir->text), folder)) {
            for (const std::string& name : sources_.medium().FilesMatching(folder, copy.line.pattern.c_str())) {
                StrBuf text = CopyFolderEntryText(copy.line, name.c_str());
                component.files.push_back({ParseFileEntryLine(text), at, true});
                ++copy.filesFound;
            }
        }
        component.copyFolders.push_back(copy);
    }

    ScriptModel& model_;
    ScriptSources& sources_;
    MediumIncludeFiles files_;
    IncludeFollower::Context context_;
};
}  // namespace

ScriptModel ReadScriptModel(const SourceText& main, const std::string& scriptFolder, const std::string& suffix,
                            ScriptSources& sources) {
    ScriptModel model;
    model.main = &main;
    model.scriptFolder = scriptFolder;
    model.languageSuffix = suffix;
    model.app.uninstallName = "Uninstall";   // what start-up sets before the script is read
    ModelReader reader(model, sources);
    reader.ReadTables(main);
    reader.ReadApp(main);
    return model;
}
