// Paths and texts of the double-byte code pages (and a single-byte one): the first byte picks
// the page, the rest is the text. Walking, cutting, joining, splitting and case folding must
// keep every character whole and take only a real backslash for a separator.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "installer/core/code_page.h"
#include "installer/core/path_text.h"
#include "installer/script/script_reader.h"

namespace {
const int kPages[] = {932, 936, 949, 950, 1252};

void Check(bool condition) {
    if (!condition) abort();
}

// starts[i]: whether a character begins at byte i (and at the end).
std::vector<bool> CharacterStarts(const std::string& text) {
    std::vector<bool> starts(text.size() + 1, false);
    const char* p = text.c_str();
    while (*p) {
        starts[static_cast<size_t>(p - text.c_str())] = true;
        const char* next = NextChar(p);
        Check(next > p && next <= p + 2);
        Check(PrevChar(text.c_str(), next) == p);
        p = next;
    }
    starts[text.size()] = true;
    return starts;
}

void CheckSeparators(const std::string& text, const std::vector<bool>& starts) {
    int last = LastSeparator(text.c_str());
    if (last >= 0) Check(starts[static_cast<size_t>(last)] && text[static_cast<size_t>(last)] == '\\');
    for (size_t i = static_cast<size_t>(last + 1); i < text.size(); ++i)
        Check(!(starts[i] && text[i] == '\\'));
    Check(EndsWithSeparator(text.c_str()) == (!text.empty() && last == static_cast<int>(text.size()) - 1));

    // A lead byte the text ends after would pair with the joining backslash: no such text is
    // ever joined (system cuts lose that byte).
    if (!text.empty() && IsLeadByte(text.back()) && starts[text.size() - 1]) return;
    StrBuf joined(text.c_str());
    AppendPath(joined, "N");
    Check(EndsWithSeparator(text.c_str()) ? joined == (text + "N").c_str() : joined == (text + "\\N").c_str());
    // The folder part drops the joining backslash, but a root ("" or "D:") keeps it.
    std::string folder = EndsWithSeparator(text.c_str()) ? text.substr(0, text.size() - 1) : text;
    bool root = folder.empty() || (folder.size() == 2 && folder[1] == ':');
    Check(DirectoryPart(joined) == (root ? folder + "\\" : folder).c_str());
}

void CheckCuts(const std::string& text, const std::vector<bool>& starts) {
    for (int limit : {1, 2, 3, 255, 256, 259, 260, static_cast<int>(text.size()) - 1}) {
        if (limit < 0) continue;
        int cut = CharBoundaryCut(text.c_str(), limit);
        Check(cut <= limit && starts[static_cast<size_t>(cut)]);
        Check(cut >= limit - 1 || cut == static_cast<int>(text.size()));
        std::vector<char> buffer(static_cast<size_t>(limit) + 1);
        int copied = CopyWholeChars(buffer.data(), limit + 1, text.c_str());
        Check(copied == cut && memcmp(buffer.data(), text.c_str(), static_cast<size_t>(cut)) == 0);
        bool endsInLoneLead = copied == static_cast<int>(text.size()) && copied > 0 && IsLeadByte(text.back()) &&
                              starts[text.size() - 1];
        Check(WithoutSplitChar(buffer.data(), copied) == (endsInLoneLead ? copied - 1 : copied));
    }
}

// Without quotes, the fields between backslashes put the path back together.
void CheckFields(const std::string& text) {
    if (text.find('"') != std::string::npos) return;
    StrBuf rest(text.c_str());
    std::string rebuilt;
    bool first = true;
    while (!rest.IsEmpty()) {
        StrBuf field = NextField(rest, '\\', false);
        if (!first) rebuilt += '\\';
        rebuilt += field.c_str();
        first = false;
        Check(LastSeparator(field) < 0);
    }
    if (EndsWithSeparator(text.c_str())) rebuilt += '\\';
    Check(rebuilt == text);
}

void CheckCase(const std::string& text, const std::vector<bool>& starts) {
    std::string upper = text, lower = text;
    UpperCaseInPlace(&upper[0]);
    LowerCaseInPlace(&lower[0]);
    for (size_t i = 0; i < text.size(); ++i)
        if (!starts[i]) Check(upper[i] == text[i] && lower[i] == text[i]);   // a trail byte stays
    int length = static_cast<int>(text.size());
    Check(EqualNoCase(upper.c_str(), length, lower.c_str(), length));
    Check(CompareNoCase(upper.c_str(), lower.c_str()) == 0);
    // A header's last character before any comment is a "]" of its own.
    if (IsSectionHeader(StrBuf(text.c_str()))) {
        int end = FindChar(text.c_str(), length, ';', 0);
        if (end < 0) end = length;
        while (end > 0 && IsBlank(text[static_cast<size_t>(end - 1)])) --end;
        Check(end > 0 && text[static_cast<size_t>(end - 1)] == ']' && starts[static_cast<size_t>(end - 1)]);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    UseCodePage(kPages[data[0] % (sizeof kPages / sizeof kPages[0])]);
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    text = text.substr(0, text.find('\0'));
    std::vector<bool> starts = CharacterStarts(text);
    CheckSeparators(text, starts);
    CheckCuts(text, starts);
    CheckFields(text);
    CheckCase(text, starts);
    return 0;
}
