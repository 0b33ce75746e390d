#include "installer/script/section_index.h"

#include <algorithm>
#include <cstring>
#include "installer/script/script_reader.h"

namespace {
// Letters folded byte by byte: names that compare equal always hash alike.
uint32_t NameHash(const char* name, size_t length) {
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        h = (h ^ c) * 16777619u;
    }
    return h;
}
}  // namespace

SectionIndex::SectionIndex(const ScriptText& text) : base_(text.begin) {
    TextCursor cursor(text);
    // Compared as 64-bit sizes: on a 32-bit build UINT32_MAX as a ptrdiff_t is -1, which every
    // text exceeded, and the cut then ended the walk before its start (no section found).
    if (static_cast<uint64_t>(text.end - text.begin) > UINT32_MAX) cursor.end = text.begin + UINT32_MAX;
    while (!cursor.AtEnd()) {
        const char* lineStart = cursor.pos;
        if (!LineStartsHeader(cursor)) {
            SkipLine(cursor);
            continue;
        }
        StrBuf line = ReadLine(cursor);
        const char* nameBegin;
        const char* nameEnd;
        if (!SectionHeaderName(line.c_str(), &nameBegin, &nameEnd)) continue;
        size_t length = static_cast<size_t>(nameEnd - nameBegin);
        if (SameSectionName(nameBegin, length, "End", 3)) break;
        const char* name = lineStart + (nameBegin - line.c_str());
        const char* body = cursor.pos ? cursor.pos : text.end;
        headers_.push_back({NameHash(name, length), OffsetOf(name), static_cast<uint32_t>(length), OffsetOf(body)});
    }
    // Offsets grow with the text, so sorting by them keeps equal hashes in file order.
    std::sort(headers_.begin(), headers_.end(), [](const Header& a, const Header& b) {
        return a.hash != b.hash ? a.hash < b.hash : a.name < b.name;
    });
    headers_.shrink_to_fit();   // kept as long as the text: no slack from growing
}

template <typename Visit> void SectionIndex::ForEachNamed(const char* name, Visit visit) const {
    const char* begin = name;
    const char* end = name + strlen(name);
    TrimSpan(&begin, &end);
    size_t length = static_cast<size_t>(end - begin);
    uint32_t hash = NameHash(begin, length);
    auto first = std::lower_bound(headers_.begin(), headers_.end(), hash,
                                  [](const Header& h, uint32_t value) { return h.hash < value; });
    for (auto it = first; it != headers_.end() && it->hash == hash; ++it)
        if (SameSectionName(base_ + it->name, it->nameLength, begin, length) && !visit(*it)) return;
}

std::vector<const char*> SectionIndex::Bodies(const char* name) const {
    std::vector<const char*> bodies;
    ForEachNamed(name, [&](const Header& h) {
        bodies.push_back(base_ + h.body);
        return true;
    });
    return bodies;
}

bool SectionIndex::Has(const char* name) const {
    bool found = false;
    ForEachNamed(name, [&](const Header&) {
        found = true;
        return false;
    });
    return found;
}
