#pragma once
// A setup script read the way the installer reads it at install time, with the file and
// line every table row, component and entry came from. The installer's own readers do the
// reading: the section passes with their language variants and "*include", the [App] and
// key-section readers and the entry-line parsers.
#include <set>
#include <string>
#include <vector>
#include "installer/files/ini_entry.h"
#include "installer/record/shortcut_line.h"
#include "installer/registry/registry_entry_line.h"
#include "installer/script/app_section.h"
#include "installer/script/component_keys.h"
#include "installer/script/file_entry_line.h"
#include "kit/checker/medium.h"
#include "kit/checker/source_text.h"

// A path of this length or more the installer's ANSI calls cannot name (the NUL included).
const int kMaxPath = 260;

// The kinds of the component's sections, as the installer numbers them.
enum SectionKind {
    kKeySection = 2, kFileSection = 8, kShortcutSection = 9, kIniSection = 10, kSpareFileSection = 11,
    kRegistrySection = 12, kRegistrySection2 = 13, kRemovalFileSection = 14,
};

struct LocatedLine {
    StrBuf text;
    Location at;
};

struct TableRow {
    int id = 0;
    StrBuf text;            // label or folder specification
    Location at;
};

// One line of an entry section.
struct EntryLine {
    int kind = 0;
    StrBuf entryText;       // what the reader keeps: the text before the first "=" outside quotes
    StrBuf dropped;         // what followed that "=" (nothing reads it)
    bool hadEquals = false;
    Location at;
};

struct FileAt {
    FileEntryLine fields;
    Location at;
    bool fromCopyFolder = false;
};

struct CopyFolderAt {
    CopyFolderLine line;
    Location at;
    int filesFound = 0;
};

struct ComponentModel {
    StrBuf name;
    StrBuf recordName;              // "App" + field 1
    StrBuf sections[8];             // fields 2 to 9
    int fieldCount = 0;             // fields the SetupApps line has after "="
    Location at;
    ComponentKeys keys;
    std::vector<LocatedLine> keyLines;
    std::vector<EntryLine> entryLines;
    std::vector<FileAt> files;      // the file section, "CopyFolder" expanded from the medium
    std::vector<CopyFolderAt> copyFolders;
    std::vector<std::pair<ShortcutLine, Location>> shortcuts;
    std::vector<std::pair<IniEntry, Location>> iniEntries;
    std::vector<std::pair<RegistryEntryLine, Location>> registryEntries;
};

// Which section of which text a reader asked for.
struct SectionRead {
    SectionRead(const SourceText* source, const std::string& name);
    const SourceText* source;
    std::string name;               // as asked ("setupapps.deu"), letters A to Z in lower case
    bool operator<(const SectionRead& other) const;
};

struct ScriptModel {
    const SourceText* main = nullptr;
    std::string scriptFolder;       // the medium folder the script stands in ("" the root)
    std::string languageSuffix;
    ApplicationSettings app;
    std::vector<LocatedLine> appLines;
    std::vector<TableRow> disks, sourceDirs, destDirs;
    std::vector<ComponentModel> components;
    std::set<SectionRead> sectionsRead;
};

// Where the texts of one check come from: the medium, every file read once.
class ScriptSources {
public:
    ScriptSources(const Medium& medium, SourceTexts& texts) : medium_(medium), texts_(texts) {}
    // A file of the medium by its medium path; null when it is missing.
    const SourceText* Load(const std::string& mediumPath);
    const Medium& medium() const { return medium_; }
    Location Locate(const char* at) const;
private:
    const Medium& medium_;
    SourceTexts& texts_;
    std::vector<std::pair<std::string, const SourceText*>> loaded_;
};

// The drive the checker puts the medium on, so that the installer's path rules run unchanged.
extern const char kMediumDrive[];   // "M:\\"
// "M:\\Driver\\x" to "Driver\\x"; false for a path off the medium.
bool MediumPathOf(const char* path, std::string& mediumPath);
StrBuf MediumFolderPath(const std::string& folder);

// The script as an install with this language suffix ("" none) reads it.
ScriptModel ReadScriptModel(const SourceText& main, const std::string& scriptFolder, const std::string& suffix,
                            ScriptSources& sources);
