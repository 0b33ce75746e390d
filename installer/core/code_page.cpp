#include "installer/core/code_page.h"

#include <cstring>

namespace {
bool g_lead[256];      // all false: the single-byte rule until someone says otherwise
bool g_hasLead = false;

void SetRange(unsigned first, unsigned last) {
    for (unsigned b = first; b <= last; ++b) g_lead[b] = true;
}

// Position after the character at i of text[0, length).
int Step(const char* text, int length, int i) {
    if (g_lead[static_cast<unsigned char>(text[i])] && i + 1 < length && text[i + 1]) return i + 2;
    return i + 1;
}
}  // namespace

bool UseCodePage(int codePage) {
    memset(g_lead, 0, sizeof g_lead);
    g_hasLead = true;
    switch (codePage) {
    case 932: SetRange(0x81, 0x9F); SetRange(0xE0, 0xFC); return true;
    case 936: case 949: case 950: SetRange(0x81, 0xFE); return true;
    default: g_hasLead = false; return false;
    }
}

void UseLeadBytes(const bool isLead[256]) {
    g_hasLead = false;
    for (int b = 0; b < 256; ++b) {
        g_lead[b] = b != 0 && isLead[b];
        g_hasLead = g_hasLead || g_lead[b];
    }
}

void LeadBytesFromRanges(const unsigned char* ranges, int count, bool isLead[256]) {
    for (int b = 0; b < 256; ++b) isLead[b] = false;
    for (int i = 0; ranges && i + 1 < count; i += 2) {
        if (!ranges[i] && !ranges[i + 1]) break;
        for (int b = ranges[i]; b <= ranges[i + 1]; ++b) isLead[b] = true;
    }
}

bool IsLeadByte(char c) { return g_lead[static_cast<unsigned char>(c)]; }
bool HasLeadBytes() { return g_hasLead; }

int CharLength(const char* text) {
    if (!text || !*text) return 0;
    return IsLeadByte(text[0]) && text[1] ? 2 : 1;
}

const char* NextChar(const char* text) { return text + CharLength(text); }

const char* PrevChar(const char* text, const char* at) {
    if (!text || at <= text) return text;
    // Only a walk from the start tells a trail byte from a lead byte.
    const char* p = text;
    for (;;) {
        const char* next = NextChar(p);
        if (next >= at || next == p) return p;
        p = next;
    }
}

int FindChar(const char* text, int length, char c, int start) {
    if (!text || !c || start < 0 || start >= length) return -1;
    if (!g_hasLead) {
        const void* hit = memchr(text + start, c, static_cast<size_t>(length - start));
        return hit ? static_cast<int>(static_cast<const char*>(hit) - text) : -1;
    }
    int i = 0;
    while (i < start) i = Step(text, length, i);
    for (; i < length; i = Step(text, length, i))
        if (text[i] == c) return i;
    return -1;
}

int FindLastChar(const char* text, int length, char c) {
    int last = -1;
    if (!text || !c) return -1;
    if (!g_hasLead) {
        for (int i = length - 1; i >= 0; --i)
            if (text[i] == c) return i;
        return -1;
    }
    for (int i = 0; i < length; i = Step(text, length, i))
        if (text[i] == c) last = i;
    return last;
}

int FindText(const char* text, int length, const char* part, int start) {
    if (!text || !part || start < 0 || start > length) return -1;
    int partLength = static_cast<int>(strlen(part));
    int i = 0;
    if (!g_hasLead) i = start;
    else while (i < start) i = Step(text, length, i);
    for (; i + partLength <= length; i = Step(text, length, i)) {
        if (memcmp(text + i, part, static_cast<size_t>(partLength)) == 0) return i;
        if (i == length) break;
    }
    return -1;
}

bool EndsWithChar(const char* text, int length, char c) {
    if (!text || length <= 0 || text[length - 1] != c) return false;
    if (!g_hasLead) return true;
    // The byte is c only when it is not the trail byte of the character before it.
    return PrevChar(text, text + length) == text + length - 1;
}

bool EndsWithSeparator(const char* path) {
    return path && EndsWithChar(path, static_cast<int>(strlen(path)), '\\');
}

int LastSeparator(const char* path) {
    return path ? FindLastChar(path, static_cast<int>(strlen(path)), '\\') : -1;
}

int CharBoundaryCut(const char* text, int limit) {
    if (!text || limit <= 0) return 0;
    int i = 0;
    while (i < limit && text[i]) {
        int next = CharLength(text + i) + i;
        if (next > limit) break;
        i = next;
    }
    return i;
}

int WithoutSplitChar(const char* text, int length) {
    if (!text || length <= 0) return 0;
    if (!g_hasLead) return length;
    int i = 0;
    while (i < length - 1) i = Step(text, length, i);
    return i == length - 1 && IsLeadByte(text[i]) ? length - 1 : length;
}

int CopyWholeChars(char* buffer, int size, const char* text) {
    if (!buffer || size <= 0) return 0;
    int length = CharBoundaryCut(text, size - 1);
    if (length) memcpy(buffer, text, static_cast<size_t>(length));
    buffer[length] = 0;
    return length;
}

bool EqualNoCase(const char* a, int aLength, const char* b, int bLength) {
    if (aLength != bLength) return false;
    for (int i = 0; i < aLength;) {
        if (g_lead[static_cast<unsigned char>(a[i])] && i + 1 < aLength) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            i += 2;
            continue;
        }
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
        ++i;
    }
    return true;
}

void UpperCaseInPlace(char* text) {
    for (char* p = text; p && *p; p = const_cast<char*>(NextChar(p)))
        if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
}

void LowerCaseInPlace(char* text) {
    for (char* p = text; p && *p; p = const_cast<char*>(NextChar(p)))
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
}
