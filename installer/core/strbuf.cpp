#include "strbuf.h"

#include "installer/core/code_page.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
char g_emptyText[1] = {0};   // shared by every empty StrBuf, never freed

#if defined(__SANITIZE_ADDRESS__)
const bool kSanitizedAddresses = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
const bool kSanitizedAddresses = true;
#else
const bool kSanitizedAddresses = false;
#endif
#else
const bool kSanitizedAddresses = false;
#endif

#ifdef STRBUF_CHECK_MOVES
const int kInsideCapacity = 0;    // every text on the heap, so that a move can relocate it
#else
const int kInsideCapacity = 15;
#endif

// Appends grow the buffer by half again, so that building a long text piece by piece
// costs linear time, not quadratic.
int GrownCapacity(int needed) {
    int grown = needed < 16 ? 16 : needed + needed / 2;
    return grown < needed ? needed : grown;   // overflow: ask for exactly what is needed
}

int ClampedLength(const char* text, int count) {
    if (!text || count <= 0) return 0;
    const void* nul = memchr(text, 0, static_cast<size_t>(count));
    return nul ? static_cast<int>(static_cast<const char*>(nul) - text) : count;
}
}  // namespace

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int CompareNoCase(const char* a, const char* b) {
    if (!a) a = "";
    if (!b) b = "";
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
        if (IsLeadByte(*a) && a[1]) {
            // A double-byte character compares exactly, both bytes; its trail byte may
            // have a letter's code and must not be folded.
            if (ca != cb) return ca < cb ? -1 : 1;
            ++a, ++b;
            ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
            if (ca != cb) return ca < cb ? -1 : 1;
            continue;
        }
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb) return ca < cb ? -1 : 1;
        if (!ca) return 0;
    }
}

int ParseDecimal(const char* text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > 0x80000000LL) value = 0x80000000LL;   // saturate, never overflow
    }
    if (negative) value = -value;
    if (value > 0x7fffffffLL) value = 0x7fffffffLL;
    return static_cast<int>(value);
}

StrBuf::StrBuf() { SetLarge(g_emptyText, 0, 0); }
StrBuf::StrBuf(const char* text) : StrBuf() { if (text) Assign(text, static_cast<int>(strlen(text))); }
StrBuf::StrBuf(const char* text, int count) : StrBuf() { Assign(text, ClampedLength(text, count)); }
StrBuf::StrBuf(const StrBuf& other) : StrBuf() { Assign(other.c_str(), other.Length()); }
StrBuf::StrBuf(StrBuf&& other) noexcept : StrBuf() { TakeOver(other); }
StrBuf::~StrBuf() { Release(); }

void StrBuf::SetLarge(char* data, int length, int capacity) {
    unsigned flagged = static_cast<unsigned>(capacity) | kLargeFlag;
    memset(bytes_, 0, sizeof bytes_);
    memcpy(bytes_, &data, sizeof data);
    memcpy(bytes_ + 8, &length, sizeof length);
    memcpy(bytes_ + 12, &flagged, sizeof flagged);
}

void StrBuf::SetSmall(int length) {
    bytes_[length] = 0;
    bytes_[kFlagByte] = static_cast<char>(kSmallCapacity - length);
}

void StrBuf::SetLength(int length) {
    if (IsSmall()) {
        SetSmall(length);
        return;
    }
    char* data = Data();
    if (data == g_emptyText) return;   // only ever empty
    data[length] = 0;
    memcpy(bytes_ + 8, &length, sizeof length);
}

bool StrBuf::OwnsHeap() const { return !IsSmall() && Data() != g_emptyText; }

void StrBuf::Release() {
    if (OwnsHeap()) free(Data());
    SetLarge(g_emptyText, 0, 0);
}

void StrBuf::Empty() { Release(); }

bool StrBuf::Reserve(int capacity) {
    if (capacity <= Capacity()) return true;
    int length = Length();
    if (capacity <= kInsideCapacity) {   // only the shared empty text has less room than that
        SetSmall(0);
        return true;
    }
    char* fresh = static_cast<char*>(malloc(static_cast<size_t>(capacity) + 1));
    if (!fresh) return false;
    memcpy(fresh, Data(), static_cast<size_t>(length) + 1);
    if (OwnsHeap()) free(Data());
    SetLarge(fresh, length, capacity);
    return true;
}

void StrBuf::Assign(const char* text, int count) {
    if (count <= 0) {
        SetLength(0);
        return;
    }
    if (count > Capacity()) {
        // The source may live inside our own buffer: copy before freeing. Large texts are
        // given exactly their size: most are assigned once and never grow.
        char fresh[kSmallCapacity + 1];
        char* heap = nullptr;
        if (count > kInsideCapacity) {
            heap = static_cast<char*>(malloc(static_cast<size_t>(count) + 1));
            if (!heap) return;
        }
        memcpy(heap ? heap : fresh, text, static_cast<size_t>(count));
        Release();
        if (heap) {
            heap[count] = 0;
            SetLarge(heap, count, count);
            return;
        }
        memcpy(bytes_, fresh, static_cast<size_t>(count));
        SetSmall(count);
        return;
    }
    memmove(Data(), text, static_cast<size_t>(count));
    SetLength(count);
}

StrBuf& StrBuf::operator=(const StrBuf& other) {
    if (this != &other) Assign(other.c_str(), other.Length());
    return *this;
}
StrBuf& StrBuf::operator=(StrBuf&& other) noexcept {
    if (this != &other) {
        Release();
        TakeOver(other);
    }
    return *this;
}

void StrBuf::TakeOver(StrBuf& other) {
#ifdef STRBUF_CHECK_MOVES
    Assign(other.c_str(), other.Length());
    other.Retire();
#else
    memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.SetLarge(g_emptyText, 0, 0);
#endif
}

// A pointer kept into the old block now reads a row of '#' (or, under the address
// sanitizer, freed memory). The block is not freed otherwise, so nothing else reuses it.
void StrBuf::Retire() {
    if (OwnsHeap()) {
        char* old = Data();
        memset(old, '#', static_cast<size_t>(Capacity()));
        old[Capacity()] = 0;
        if (kSanitizedAddresses) free(old);
    }
    SetLarge(g_emptyText, 0, 0);
}
StrBuf& StrBuf::operator=(const char* text) {
    Assign(text, text ? static_cast<int>(strlen(text)) : 0);
    return *this;
}

StrBuf& StrBuf::operator+=(const char* text) {
    if (!text || !*text) return *this;
    int count = static_cast<int>(strlen(text));
    int length = Length();
    if (length + count > Capacity()) {
        std::string keep(text, static_cast<size_t>(count));  // text may point into our buffer
        if (!Reserve(GrownCapacity(length + count))) return *this;
        memcpy(Data() + length, keep.data(), static_cast<size_t>(count));
    } else {
        memmove(Data() + length, text, static_cast<size_t>(count));
    }
    SetLength(length + count);
    return *this;
}
StrBuf& StrBuf::operator+=(char c) {
    if (!c) return *this;   // a NUL cannot live inside a StrBuf
    int length = Length();
    if (length + 1 > Capacity() && !Reserve(GrownCapacity(length + 1))) return *this;
    Data()[length] = c;
    SetLength(length + 1);
    return *this;
}
StrBuf& StrBuf::operator+=(const StrBuf& other) { return *this += StrBuf(other).c_str(); }

StrBuf operator+(const StrBuf& a, const StrBuf& b) { StrBuf r(a); r += b.c_str(); return r; }
StrBuf operator+(const StrBuf& a, const char* b) { StrBuf r(a); r += b; return r; }
StrBuf operator+(const char* a, const StrBuf& b) { StrBuf r(a); r += b.c_str(); return r; }

StrBuf StrBuf::Left(int count) const {
    int length = Length();
    if (count < 0) count = 0;
    if (count > length) count = length;
    return StrBuf(Data(), count);
}
StrBuf StrBuf::Right(int count) const {
    int length = Length();
    if (count < 0) count = 0;
    if (count > length) count = length;
    return StrBuf(Data() + length - count, count);
}
StrBuf StrBuf::Mid(int first, int count) const {
    int length = Length();
    if (first < 0) first = 0;
    if (first >= length || count <= 0) return StrBuf();
    if (count > length - first) count = length - first;
    return StrBuf(Data() + first, count);
}
StrBuf StrBuf::Mid(int first) const { return Mid(first, Length()); }

int StrBuf::Find(char c) const { return Find(c, 0); }
int StrBuf::Find(char c, int start) const { return FindChar(Data(), Length(), c, start); }
int StrBuf::Find(const char* text) const { return Find(text, 0); }
int StrBuf::Find(const char* text, int start) const { return FindText(Data(), Length(), text, start); }
int StrBuf::ReverseFind(char c) const { return FindLastChar(Data(), Length(), c); }

void StrBuf::TrimLeft() {
    int length = Length();
    const char* data = Data();
    int skip = 0;
    while (skip < length && IsBlank(data[skip])) ++skip;
    if (skip) Assign(data + skip, length - skip);
}
void StrBuf::TrimRight() {
    int length = Length();
    const char* data = Data();
    int end = length;
    while (end > 0 && IsBlank(data[end - 1])) --end;
    if (end != length) SetLength(end);
}

StrBuf StrBuf::CutFront(int count) {
    StrBuf front = Left(count);
    Assign(Data() + front.Length(), Length() - front.Length());
    return front;
}

char* StrBuf::GetBuffer(int minCapacity) {
    if (minCapacity < 0) minCapacity = 0;
    if (minCapacity == 0 && Capacity() == 0) minCapacity = 1;   // never hand out the shared empty text
    if (!Reserve(minCapacity)) return nullptr;
    return Data();
}
void StrBuf::ReleaseBuffer(int newLength) {
    if (!IsSmall() && !OwnsHeap()) return;
    char* data = Data();
    int capacity = Capacity();
    if (newLength < 0 || newLength > capacity) {
        data[capacity] = 0;
        newLength = static_cast<int>(strlen(data));
    }
    SetLength(newLength);
}

namespace {
// The "I64" size prefix of the system's printf family, spelled the C way.
std::string PortableFormat(const char* format) {
    std::string out;
    for (const char* p = format; *p; ++p) {
        if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { out += "ll"; p += 2; continue; }
        out += *p;
    }
    return out;
}
}  // namespace

bool StrBuf::FormatV(const char* format, va_list args) {
    if (!format) { Empty(); return true; }
    std::string fmt = PortableFormat(format);
    va_list measure;
    va_copy(measure, args);
    int needed = vsnprintf(nullptr, 0, fmt.c_str(), measure);
    va_end(measure);
    if (needed < 0) return false;
    StrBuf result;
    char* buffer = result.GetBuffer(needed);
    if (!buffer) return false;
    vsnprintf(buffer, static_cast<size_t>(needed) + 1, fmt.c_str(), args);
    result.ReleaseBuffer(needed);
    result.ReleaseBuffer();   // an embedded NUL (from %c of 0) ends the text
    *this = static_cast<StrBuf&&>(result);
    return true;
}

bool StrBuf::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    bool ok = FormatV(format, args);
    va_end(args);
    return ok;
}

bool StrBuf::EqualsNoCase(const char* text) const { return CompareNoCase(Data(), text) == 0; }
bool StrBuf::operator==(const char* text) const { return strcmp(Data(), text ? text : "") == 0; }
