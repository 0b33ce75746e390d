#include "strbuf.h"

#include "installer/core/code_page.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
char g_emptyText[1] = {0};   // shared by every empty StrBuf, never freed

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

StrBuf::StrBuf() : data_(g_emptyText) {}
StrBuf::StrBuf(const char* text) : data_(g_emptyText) { if (text) Assign(text, static_cast<int>(strlen(text))); }
StrBuf::StrBuf(const char* text, int count) : data_(g_emptyText) { Assign(text, ClampedLength(text, count)); }
StrBuf::StrBuf(const StrBuf& other) : data_(g_emptyText) { Assign(other.data_, other.length_); }
StrBuf::StrBuf(StrBuf&& other) noexcept : data_(other.data_), length_(other.length_), capacity_(other.capacity_) {
    other.data_ = g_emptyText;
    other.length_ = other.capacity_ = 0;
}
StrBuf::~StrBuf() { Release(); }

void StrBuf::Release() {
    if (data_ != g_emptyText) free(data_);
    data_ = g_emptyText;
    length_ = capacity_ = 0;
}

void StrBuf::Empty() { Release(); }

bool StrBuf::Reserve(int capacity) {
    if (capacity <= capacity_) return true;
    char* fresh = static_cast<char*>(malloc(static_cast<size_t>(capacity) + 1));
    if (!fresh) return false;
    memcpy(fresh, data_, static_cast<size_t>(length_) + 1);
    if (data_ != g_emptyText) free(data_);
    data_ = fresh;
    capacity_ = capacity;
    return true;
}

void StrBuf::Assign(const char* text, int count) {
    if (count <= 0) {
        if (data_ != g_emptyText) { data_[0] = 0; length_ = 0; }
        return;
    }
    if (count > capacity_) {
        // The source may live inside our own buffer: copy before freeing.
        char* fresh = static_cast<char*>(malloc(static_cast<size_t>(count) + 1));
        if (!fresh) return;
        memcpy(fresh, text, static_cast<size_t>(count));
        Release();
        data_ = fresh;
        capacity_ = count;
    } else {
        memmove(data_, text, static_cast<size_t>(count));
    }
    data_[count] = 0;
    length_ = count;
}

StrBuf& StrBuf::operator=(const StrBuf& other) {
    if (this != &other) Assign(other.data_, other.length_);
    return *this;
}
StrBuf& StrBuf::operator=(StrBuf&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = other.data_; length_ = other.length_; capacity_ = other.capacity_;
        other.data_ = g_emptyText;
        other.length_ = other.capacity_ = 0;
    }
    return *this;
}
StrBuf& StrBuf::operator=(const char* text) {
    Assign(text, text ? static_cast<int>(strlen(text)) : 0);
    return *this;
}

StrBuf& StrBuf::operator+=(const char* text) {
    if (!text || !*text) return *this;
    int count = static_cast<int>(strlen(text));
    if (length_ + count > capacity_) {
        std::string keep(text, static_cast<size_t>(count));  // text may point into data_
        if (!Reserve(GrownCapacity(length_ + count))) return *this;
        memcpy(data_ + length_, keep.data(), static_cast<size_t>(count));
    } else {
        memmove(data_ + length_, text, static_cast<size_t>(count));
    }
    length_ += count;
    data_[length_] = 0;
    return *this;
}
StrBuf& StrBuf::operator+=(char c) {
    if (!c) return *this;   // a NUL cannot live inside a StrBuf
    if (length_ + 1 > capacity_ && !Reserve(GrownCapacity(length_ + 1))) return *this;
    data_[length_++] = c;
    data_[length_] = 0;
    return *this;
}
StrBuf& StrBuf::operator+=(const StrBuf& other) { return *this += StrBuf(other).data_; }

StrBuf operator+(const StrBuf& a, const StrBuf& b) { StrBuf r(a); r += b.c_str(); return r; }
StrBuf operator+(const StrBuf& a, const char* b) { StrBuf r(a); r += b; return r; }
StrBuf operator+(const char* a, const StrBuf& b) { StrBuf r(a); r += b.c_str(); return r; }

StrBuf StrBuf::Left(int count) const {
    if (count < 0) count = 0;
    if (count > length_) count = length_;
    return StrBuf(data_, count);
}
StrBuf StrBuf::Right(int count) const {
    if (count < 0) count = 0;
    if (count > length_) count = length_;
    return StrBuf(data_ + length_ - count, count);
}
StrBuf StrBuf::Mid(int first, int count) const {
    if (first < 0) first = 0;
    if (first >= length_ || count <= 0) return StrBuf();
    if (count > length_ - first) count = length_ - first;
    return StrBuf(data_ + first, count);
}
StrBuf StrBuf::Mid(int first) const { return Mid(first, length_); }

int StrBuf::Find(char c) const { return Find(c, 0); }
int StrBuf::Find(char c, int start) const { return FindChar(data_, length_, c, start); }
int StrBuf::Find(const char* text) const { return Find(text, 0); }
int StrBuf::Find(const char* text, int start) const { return FindText(data_, length_, text, start); }
int StrBuf::ReverseFind(char c) const { return FindLastChar(data_, length_, c); }

void StrBuf::TrimLeft() {
    int skip = 0;
    while (skip < length_ && IsBlank(data_[skip])) ++skip;
    if (skip) Assign(data_ + skip, length_ - skip);
}
void StrBuf::TrimRight() {
    int end = length_;
    while (end > 0 && IsBlank(data_[end - 1])) --end;
    if (end != length_) { length_ = end; data_[end] = 0; }
}

StrBuf StrBuf::CutFront(int count) {
    StrBuf front = Left(count);
    Assign(data_ + front.length_, length_ - front.length_);
    return front;
}

char* StrBuf::GetBuffer(int minCapacity) {
    if (minCapacity < 0) minCapacity = 0;
    if (minCapacity == 0 && capacity_ == 0) minCapacity = 1;   // never hand out the shared empty text
    if (!Reserve(minCapacity)) return nullptr;
    return data_;
}
void StrBuf::ReleaseBuffer(int newLength) {
    if (data_ == g_emptyText) return;
    if (newLength < 0 || newLength > capacity_) {
        data_[capacity_] = 0;
        newLength = static_cast<int>(strlen(data_));
    }
    length_ = newLength;
    data_[length_] = 0;
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

bool StrBuf::EqualsNoCase(const char* text) const { return CompareNoCase(data_, text) == 0; }
bool StrBuf::operator==(const char* text) const { return strcmp(data_, text ? text : "") == 0; }
