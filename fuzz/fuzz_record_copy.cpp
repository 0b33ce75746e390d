// Entry lines of every kind over arbitrary text, through the reading path of a component
// section (the line as the section reader hands it on, then its entry text): whatever was
// read must read back the same from the line the record copy writes for it.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "installer/files/ini_entry.h"
#include "installer/record/shortcut_line.h"
#include "installer/registry/registry_entry_line.h"
#include "installer/script/file_entry_line.h"
#include "installer/script/script_reader.h"
#include "installer/script/script_tables.h"

namespace {
// The entry text of the first line of a section holding text; false when the reader hands
// on no line (blank, a comment, a header).
bool EntryTextOf(const std::string& line, StrBuf& entryText) {
    std::string text = "[S]\r\n" + line + "\r\n[End]\r\n";
    bool found = false;
    LineFunctionReader reader([&](const StrBuf& l) {
        if (found) return;
        found = true;
        StrBuf rest(l);
        entryText = CutEntryText(rest);
    });
    ReadSectionPass(ScriptText(text.c_str(), text.c_str() + text.size()), "S", 8, reader);
    return found;
}

void Check(bool same) {
    if (!same) abort();
}

void FileEntries(const StrBuf& text) {
    FileEntryLine a = ParseFileEntryLine(text), b;
    StrBuf back;
    Check(EntryTextOf(WriteFileEntryLine(a).c_str(), back));
    b = ParseFileEntryLine(back);
    Check(a.displayName == b.displayName.c_str() && a.diskId == b.diskId && a.sourceDirId == b.sourceDirId &&
          a.sourceName == b.sourceName.c_str() && a.destDirId == b.destDirId && a.destName == b.destName.c_str() &&
          a.spareFlag == b.spareFlag && a.removeOnUninstall == b.removeOnUninstall && a.installMode == b.installMode);
}

void Shortcuts(const StrBuf& text) {
    ShortcutLine a = ParseShortcutLine(text);
    StrBuf back;
    Check(EntryTextOf(WriteShortcutLine(a).c_str(), back));
    ShortcutLine b = ParseShortcutLine(back);
    Check(a.target == b.target.c_str() && a.caption == b.caption.c_str() && a.folderCode == b.folderCode);
}

void IniEntries(const StrBuf& text) {
    IniEntry a = ReadIniEntry(text);
    StrBuf back;
    Check(EntryTextOf(FormatIniEntry(a).c_str(), back));
    IniEntry b = ReadIniEntry(back);
    Check(a.file == b.file.c_str() && a.section == b.section.c_str() && a.key == b.key.c_str() &&
          a.directoryNumber == b.directoryNumber && a.value == b.value.c_str() && a.appendToValue == b.appendToValue &&
          a.addAsLine == b.addAsLine && a.removeOnUninstall == b.removeOnUninstall &&
          a.removeOnInstall == b.removeOnInstall);
}

void RegistryEntries(const StrBuf& text) {
    RegistryEntryLine a = ParseRegistryEntryLine(text);
    // Written on purpose without them: no key path (no line), no value name (no data).
    if (a.keyPath.IsEmpty()) return;
    if (a.valueName.IsEmpty()) {
        a.directoryId = 0;
        a.data.Empty();
    }
    StrBuf back;
    Check(EntryTextOf(WriteRegistryEntryLine(a).c_str(), back));
    RegistryEntryLine b = ParseRegistryEntryLine(back);
    Check(a.root == b.root && a.type == b.type && a.keyPath == b.keyPath.c_str() &&
          a.valueName == b.valueName.c_str() && a.directoryId == b.directoryId && a.data == b.data.c_str());
}

void TableLines(const std::string& line) {
    std::string text = "[S]\r\n" + line + "\r\n[End]\r\n";
    LineFunctionReader reader([&](const StrBuf& l) {
        DiskEntry a = ReadDiskLine(l);
        std::string written = "[S]\r\n" + std::string(DiskLine(a).c_str()) + "\r\n[End]\r\n";
        int lines = 0;
        LineFunctionReader again([&](const StrBuf& l2) {
            DiskEntry b = ReadDiskLine(l2);
            Check(a.id == b.id && a.label == b.label.c_str());
            ++lines;
        });
        ReadSectionPass(ScriptText(written.c_str(), written.c_str() + written.size()), "S", 4, again);
        Check(lines == 1);
    });
    ReadSectionPass(ScriptText(text.c_str(), text.c_str() + text.size()), "S", 4, reader);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::string line(reinterpret_cast<const char*>(data) + 1, size - 1);
    line = line.substr(0, line.find_first_of(std::string("\r\0", 2)));   // one line of a script
    if (data[0] % 5 == 4) {
        TableLines(line);
        return 0;
    }
    StrBuf entryText;
    if (!EntryTextOf(line, entryText)) return 0;
    switch (data[0] % 5) {
    case 0: FileEntries(entryText); break;
    case 1: Shortcuts(entryText); break;
    case 2: IniEntries(entryText); break;
    default: RegistryEntries(entryText); break;
    }
    return 0;
}
