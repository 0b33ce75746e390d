// A whole setup script over arbitrary text, loaded the way the tree does: the [App] section,
// the tables, then for every "SetupApps" line its key section and its entry sections, each
// line of those through its own parser, with "*include" lines followed into the same text.
#include <cstdint>
#include <string>
#include "installer/files/ini_entry.h"
#include "installer/record/shortcut_line.h"
#include "installer/registry/registry_entry_line.h"
#include "installer/script/app_section.h"
#include "installer/script/component_keys.h"
#include "installer/script/file_entry_line.h"
#include "installer/script/script_reader.h"
#include "installer/script/script_tables.h"

namespace {
class SameTextFiles : public IncludeFiles {
public:
    explicit SameTextFiles(const ScriptText& text) : text_(text) {}
    void WithFile(const char*, const std::function<void(const ScriptText&)>& use) override { use(text_); }
private:
    ScriptText text_;
};

// Section kinds of a component's fields 2 to 9, in the order a component reads them.
struct ComponentSection {
    int field;
    int kind;
};
const ComponentSection kReadOrder[] = {{0, 2}, {1, 8}, {7, 14}, {2, 9}, {3, 10}, {4, 11}, {5, 12}, {6, 13}};

long total = 0;

void EntryLine(int kind, const StrBuf& line, ComponentKeys& keys) {
    switch (kind) {
    case 2: ReadComponentKeyLine(keys, line); break;
    case 8: case 11: case 14: {
        FileEntryLine entry = ParseFileEntryLine(line);
        total += WriteFileEntryLine(entry).Length();
        StrBuf value(line);
        if (CutKey(value).EqualsNoCase("CopyFolder"))
            total += CopyFolderEntryText(ParseCopyFolderLine(value), "x.dll").Length();
        break;
    }
    case 9: total += WriteShortcutLine(ParseShortcutLine(line)).Length(); break;
    case 10: total += FormatIniEntry(ReadIniEntry(line)).Length(); break;
    case 12: case 13: {
        RegistryEntryLine entry = ParseRegistryEntryLine(line);
        total += WriteRegistryEntryLine(entry).Length() + EncodeRegistryValue(entry.type, entry.data).systemType;
        break;
    }
    }
}

void LoadComponent(const ScriptText& text, const StrBuf& setupAppsLine, IncludeFollower::Context context) {
    StrBuf value(setupAppsLine);
    total += CutKey(value).Length() + NextField(value, ',', true).Length();
    StrBuf sections[8];
    for (StrBuf& section : sections) section = NextField(value, ',', true);
    context.plainSectionInFiles = true;
    ComponentKeys keys;
    for (const ComponentSection& read : kReadOrder) {
        if (sections[read.field].IsEmpty()) continue;
        LineFunctionReader entries([&](const StrBuf& line) { EntryLine(read.kind, line, keys); });
        IncludeFollower follower(text, read.kind, entries, context);
        ReadSectionPass(text, sections[read.field], read.kind, follower);
    }
    for (const StrBuf& line : WriteComponentKeyLines(keys)) total += line.Length();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* begin = reinterpret_cast<const char*>(data);
    ScriptText text(begin, begin + size);
    SameTextFiles files(text);
    IncludeFollower::Context context;
    context.sourceDir = "C:\\src";
    context.files = &files;
    context.languageSuffix = ".enu";

    ApplicationSettings settings;
    AppSectionHooks hooks;
    hooks.expandDefaultDir = [](StrBuf&) {};
    hooks.includeScript = [](const StrBuf&) {};
    ReadApplicationSection(text, settings, hooks, ".enu");

    LineFunctionReader tables([](const StrBuf& line) {
        total += long(ReadDiskLine(line).id) + ReadDirLine(line).specification.Length();
    });
    IncludeFollower tableFollower(text, 4, tables, context);
    ParseSection(text, "Disks", 4, tableFollower, ".enu");
    ParseSection(text, "DstDirs", 6, tableFollower, ".enu");
    ParseSection(text, "SrcDirs", 5, tableFollower, ".enu");

    // A script with thousands of components is fine; the fuzzer's time limit is not.
    int components = 0;
    LineFunctionReader setupApps([&](const StrBuf& line) {
        if (++components <= 64) LoadComponent(text, line, context);
    });
    IncludeFollower appsFollower(text, 3, setupApps, context);
    ParseSection(text, "SetupApps", 3, appsFollower, ".enu");
    return total == -1 ? 1 : 0;
}
