#include "installer/files/ini_entry.h"

#include <cctype>
#include <cstring>
#include "installer/core/code_page.h"
#include "installer/core/path_text.h"
#include "installer/script/script_reader.h"

IniEntry ReadIniEntry(const char* text) {
    IniEntry entry;
    StrBuf line(text);
    if (!line.IsEmpty()) entry.file = NextField(line, ',', true);
    if (!line.IsEmpty()) entry.section = NextField(line, ',', true);
    if (!line.IsEmpty()) entry.key = NextField(line, ',', true);
    if (!line.IsEmpty()) entry.directoryNumber = ParseDecimal(NextField(line, ':', true));
    if (!line.IsEmpty()) entry.value = NextField(line, ',', true);
    if (!line.IsEmpty()) entry.appendToValue = ReadYesNo(line);
    if (!line.IsEmpty()) entry.addAsLine = ReadYesNo(line);
    if (!line.IsEmpty()) entry.removeOnUninstall = ReadYesNo(line);
    if (!line.IsEmpty()) entry.removeOnInstall = ReadYesNo(line);
    return entry;
}

StrBuf FormatIniEntry(const IniEntry& entry) {
    StrBuf line;
    line.Format("%s,%s,%s,%d:%s,%c,%c,%c,%c", QuotedField(entry.file).c_str(), QuotedField(entry.section).c_str(),
                QuotedField(entry.key).c_str(), entry.directoryNumber, QuotedField(entry.value).c_str(), YesNoLetter(entry.appendToValue),
                YesNoLetter(entry.addAsLine), YesNoLetter(entry.removeOnUninstall), YesNoLetter(entry.removeOnInstall));
    return line;
}

StrBuf EffectiveIniValue(const IniEntry& entry, const char* folder) {
    if (!folder) return entry.value;
    return JoinPath(folder, entry.value);
}

bool IniEntryHasTarget(const IniEntry& entry) {
    return !entry.file.IsEmpty() && !entry.section.IsEmpty() && !entry.key.IsEmpty();
}

namespace {
StrBuf Lowered(const char* text) {
    StrBuf lowered(text);
    char* p = lowered.GetBuffer(lowered.Length());
    if (!p) return StrBuf();
    LowerCaseInPlace(p);   // a trail byte with a letter's code is no letter
    lowered.ReleaseBuffer();
    return lowered;
}

StrBuf Trimmed(const StrBuf& text) {
    StrBuf trimmed(text);
    trimmed.Trim();
    return trimmed;
}

// Position of word in text ignoring case; -1 when absent.
int FindNoCase(const char* text, const char* word) {
    if (!text || !word) return -1;
    StrBuf lowText = Lowered(text);
    StrBuf lowWord = Lowered(word);
    return lowText.Find(lowWord);
}
}  // namespace

bool IsSectionLineOf(const char* line, const char* section) {
    StrBuf header("[");
    header += section;
    header += "]";
    return FindNoCase(line, header) >= 0;
}

bool IsAnySectionHeader(const char* line) {
    StrBuf text(line);
    int comment = text.Find(';');
    if (comment >= 0) text = text.Left(comment);
    text.Trim();
    return !text.IsEmpty() && text[0] == '[' && EndsWithChar(text, text.Length(), ']');
}

bool IsEntryLineOf(const char* line, const char* key, const char* value) {
    StrBuf text(line);
    int equals = text.Find('=');
    if (equals < 0) return false;
    StrBuf after = text.Mid(equals + 1);
    int lineFeed = after.Find('\n');
    if (lineFeed >= 0) after = after.Left(lineFeed);
    return CompareNoCase(Trimmed(text.Left(equals)), Trimmed(key)) == 0 &&
           CompareNoCase(Trimmed(after), Trimmed(value)) == 0;
}

bool ContainsNoCase(const char* text, const char* word) { return FindNoCase(text, word) >= 0; }

StrBuf CutWordNoCase(const char* text, const char* word) {
    StrBuf original(text);
    int at = FindNoCase(text, word);
    if (at < 0 || !word || !*word) return original;
    return original.Left(at) + original.Mid(at + static_cast<int>(strlen(word)));
}
