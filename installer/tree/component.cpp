#include "installer/tree/component.h"

#include "installer/core/handles.h"
#include "installer/core/path_text.h"
#include "installer/core/process_facts.h"
#include "installer/device/helper_programs.h"
#include "installer/device/helper_steps.h"
#include "installer/device/oem_class_files.h"
#include "installer/files/ini_entry_node.h"
#include "installer/record/shortcut_entry.h"
#include "installer/registry/registry_entry_node.h"
#include "installer/registry/registry_keys.h"
#include "installer/tree/file_entry.h"
#include "installer/script/mapped_file.h"

Component::Component(ScriptNode* script, const StrBuf& line) : ScriptNode(script, KindComponent) {
    StrBuf value(line);
    name = CutKey(value);
    recordName = "App" + NextField(value, ',', true);
    for (StrBuf& section : sections) section = NextField(value, ',', true);
}

bool Component::Load(const ScriptText& text, HKEY recordKey) {
    keys = ComponentKeys();
    bool ok = ReadComponentSections(text);
    enabled = keys.enabled;
    changeable = keys.changeable;
    recorded = false;
    StrBuf recordedName;
    if (recordKey) recorded = ReadKeyDefault(recordedName, recordKey, recordName);
    return ok;
}

namespace {
// The section of each kind, in reading order: keys, files, removal files, shortcuts, INI
// entries, spare files, then both registry sections.
struct SectionOfKind { int field; int kind; };
const SectionOfKind kReadingOrder[] = {{0, 2}, {1, KindFile}, {7, KindRemovalFile}, {2, KindShortcut},
                                       {3, KindIniEntry}, {4, KindSpareFile}, {5, KindRegistryEntry},
                                       {6, KindRegistryEntry2}};
}  // namespace

bool Component::ReadComponentSections(const ScriptText& text) {
    MappedIncludeFiles files;
    IncludeFollower::Context context;
    context.sourceDir = SourceDir();
    context.files = &files;
    context.plainSectionInFiles = true;   // component sections have no language variants
    for (const SectionOfKind& section : kReadingOrder) {
        if (sections[section.field].IsEmpty()) continue;
        int kind = section.kind;
        LineFunctionReader inner([&](const StrBuf& line) { TakeSectionLine(kind, line); });
        IncludeFollower reader(text, kind, inner, context);
        ReadSectionPass(text, sections[section.field], kind, reader);
    }
    return true;
}

void Component::TakeSectionLine(int kind, const StrBuf& line) {
    if (kind == 2) {
        ReadComponentKeyLine(keys, line);
        return;
    }
    StrBuf value(line);
    StrBuf entryText = CutEntryText(value);
    if (kind == KindFile && entryText.EqualsNoCase("CopyFolder")) {
        ExpandCopyFolder(value);
        return;
    }
    EntryNode* entry = nullptr;
    switch (kind) {
    case KindFile:
    case KindSpareFile:
    case KindRemovalFile: entry = new FileEntry(this, kind, entryText); break;
    case KindShortcut: entry = new ShortcutEntry(this, entryText); break;
    case KindIniEntry: entry = new IniEntryNode(this, entryText); break;
    default: entry = new RegistryEntry(this, entryText); break;
    }
    EntryList(kind)->Append(entry);
}

void Component::ExpandCopyFolder(const StrBuf& value) {
    CopyFolderLine line = ParseCopyFolderLine(value);
    bool install = RunMode() != RunUninstallMode;
    DirEntry* dir = install ? FindSourceDir(line.sourceDirId) : FindDestDir(line.destDirId);
    if (!dir) return;
    StrBuf folder = JoinPath(install ? SourceDir() : InstallDir(), dir->specification);
    if (!SetCurrentDirectoryA(folder)) return;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA(line.pattern, &found));
    if (!find) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        lists_[Files].Append(new FileEntry(this, KindFile, CopyFolderEntryText(line, found.cFileName)));
    } while (FindNextFileA(find.get(), &found));
}

StrBuf Component::SetupAppsLine() const {
    StrBuf line;
    line.Format("%s=%s,%s,%s,%s,%s,%s,%s,%s", QuotedField(name).c_str(), QuotedField(recordName.Mid(3)).c_str(),
                QuotedField(sections[0]).c_str(), QuotedField(sections[1]).c_str(), QuotedField(sections[2]).c_str(),
                QuotedField(sections[3]).c_str(), QuotedField(sections[4]).c_str(), QuotedField(sections[5]).c_str(),
                QuotedField(sections[6]).c_str());
    return line;
}

OwnedList<EntryNode>* Component::EntryList(int kind) {
    switch (kind) {
    case KindFile: return &lists_[Files];
    case KindShortcut: return &lists_[Shortcuts];
    case KindIniEntry: return &lists_[IniEntries];
    case KindSpareFile: return &lists_[SpareFiles];
    case KindRegistryEntry:
    case KindRegistryEntry2: return &lists_[RegistryEntries];
    case KindRemovalFile: return &lists_[RemovalFiles];
    default: return nullptr;
    }
}

void Component::ForEachEntry(const std::function<void(EntryNode&)>& visit) {
    for (OwnedList<EntryNode>& list : lists_)
        for (int i = 0; i < list.Count(); ++i) visit(*list.At(i));
}

FileEntry* Component::FindFileByDestName(const char* destName) {
    OwnedList<EntryNode>& files = lists_[Files];
    for (int i = 0; i < files.Count(); ++i) {
        FileEntry* file = static_cast<FileEntry*>(files.At(i));
        if (CompareNoCase(file->fields.destName, destName) == 0) return file;
    }
    return nullptr;
}

const EntryNode* Component::FindFileByLinkName(const char* linkName) {
    OwnedList<EntryNode>& files = lists_[Files];
    for (int i = 0; i < files.Count(); ++i)
        if (CompareNoCase(files.At(i)->LinkName(), linkName) == 0) return files.At(i);
    return nullptr;
}

ScriptNode* Component::GetAt(int index, int kind, int* childPosition, int* indexInChild) {
    if (OwnedList<EntryNode>* list = EntryList(kind)) return list->At(index);
    return ScriptNode::GetAt(index, kind, childPosition, indexInChild);
}

int Component::Count(int kind) {
    if (OwnedList<EntryNode>* list = EntryList(kind)) return enabled ? list->Count() : 0;
    return ScriptNode::Count(kind);
}

namespace {
// Files stop at the first failure; INI and registry results do not stop or fail the walk.
bool EachEntry(OwnedList<EntryNode>& list, bool install, bool stopAtFailure, ProgressCallback callback,
               void* context) {
    for (int i = 0; i < list.Count(); ++i) {
        EntryNode* entry = list.At(i);
        bool ok = install ? entry->InstallEntry(callback, context) : entry->RemoveEntry(callback, context);
        if (!ok && stopAtFailure) return false;
    }
    return true;
}
}  // namespace

bool Component::InstallWalk(int kind, ProgressCallback callback, void* context) {
    if (!enabled) return true;
    switch (kind) {
    case KindFile: return EachEntry(lists_[Files], true, true, callback, context);
    case KindShortcut: return InstallShortcuts(*this, *EntryList(KindShortcut));
    case KindIniEntry: return EachEntry(lists_[IniEntries], true, false, callback, context);
    case KindRegistryEntry:
    case KindRegistryEntry2: return EachEntry(lists_[RegistryEntries], true, false, callback, context);
    default: return ScriptNode::InstallWalk(kind, callback, context);
    }
}

bool Component::RemoveWalk(int kind, ProgressCallback callback, void* context) {
    if (!enabled) return true;
    switch (kind) {
    case KindFile: return EachEntry(lists_[Files], false, true, callback, context);
    case KindShortcut: return RemoveShortcuts(*this, *EntryList(KindShortcut));
    case KindIniEntry: return EachEntry(lists_[IniEntries], false, false, callback, context);
    case KindRegistryEntry:
    case KindRegistryEntry2: return EachEntry(lists_[RegistryEntries], false, false, callback, context);
    default: return ScriptNode::RemoveWalk(kind, callback, context);
    }
}

void Component::SaveRecord(HKEY key) {
    if (!enabled) return;
    // RegSetValueA creates the subkey when it is missing and closes it again.
    RegSetValueA(key, recordName, REG_SZ, name, static_cast<DWORD>(name.Length()));
}

void Component::RemoveRecord(HKEY key) {
    if (!enabled) return;
    // Driver information files that could not be looked at keep the record that names them.
    if (keys.deleteOemClass && !DeleteOemClassFiles(keys.oemClass)) return;
    DeleteKeyTree(key, recordName);
}

void Component::SelectByDevice(bool noDetection, int detectedType, int forced) {
    DeviceChoice choice = SelectByDeviceFor(noDetection, detectedType, forced, keys.deviceType);
    changeable = choice.changeable;
    enabled = choice.enabled;
}

void Component::RunBeforePrograms() {
    if (enabled) RunHelpers(false);
}

void Component::RunAfterPrograms() {
    if (enabled) RunHelpers(true);
}

void Component::RunHelpers(bool afterItems) {
    bool removal = RunMode() == RunUninstallMode;
    for (const HelperStep& step : ComponentHelperSteps(keys, removal, afterItems ? AfterItems : BeforeItems)) {
        FileEntry* file = FindFileByDestName(step.name);
        if (!file) continue;   // a program must be one of the component's files
        StrBuf destination = file->DestinationPath();
        RunHelperStep(step, removal, HelperDirectory(step, file->installedLocation, destination));
    }
}

namespace {
bool WriteSection(HANDLE file, const StrBuf& name, const std::vector<StrBuf>& lines) {
    bool ok = WriteLine(file, SectionHeaderLine(name, ""));
    for (const StrBuf& line : lines) ok = WriteLine(file, line) && ok;
    return WriteLine(file, "") && ok;
}

void AppendLines(std::vector<StrBuf>& lines, OwnedList<EntryNode>& list) {
    for (int i = 0; i < list.Count(); ++i) lines.push_back(list.At(i)->WrittenLine());
}
}  // namespace

bool Component::WriteScript(HANDLE file) {
    // Everything is written, whether or not it was chosen in this run.
    bool ok = true;
    if (!sections[0].IsEmpty()) ok = WriteSection(file, sections[0], WriteComponentKeyLines(keys)) && ok;
    std::vector<StrBuf> files;
    AppendLines(files, lists_[Files]);
    AppendLines(files, lists_[RemovalFiles]);
    if (!files.empty() && !sections[1].IsEmpty()) ok = WriteSection(file, sections[1], files) && ok;
    std::vector<StrBuf> lines;
    AppendLines(lines, lists_[Shortcuts]);
    if (!lines.empty() && !sections[2].IsEmpty()) ok = WriteSection(file, sections[2], lines) && ok;
    lines.clear();
    AppendLines(lines, lists_[IniEntries]);
    if (!lines.empty() && !sections[3].IsEmpty()) ok = WriteSection(file, sections[3], lines) && ok;
    lines.clear();
    AppendLines(lines, lists_[RegistryEntries]);
    // Registry lines go under the second registry section, or the first when only it is named,
    // so that no line is lost from the record copy.
    const StrBuf& registrySection = sections[6].IsEmpty() ? sections[5] : sections[6];
    if (!lines.empty() && !registrySection.IsEmpty()) ok = WriteSection(file, registrySection, lines) && ok;
    return ok;
}
