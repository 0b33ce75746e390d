#pragma once
// The installer's growable single-byte string. Text is in the ANSI code page;
// lengths and positions count bytes. An empty StrBuf points to one shared,
// never-freed empty string; copies are deep. Texts of up to 15 bytes live inside the
// object (most of a script's fields are that short): their c_str() moves with the object,
// so a pointer taken from a StrBuf is good only until it is moved, like a reference to it.
#include <cstdarg>
#include <cstddef>
#include <cstring>

class StrBuf {
public:
    StrBuf();
    StrBuf(const char* text);                 // null gives empty
    StrBuf(const char* text, int count);
    StrBuf(const StrBuf& other);
    StrBuf(StrBuf&& other) noexcept;
    ~StrBuf();

    StrBuf& operator=(const StrBuf& other);
    StrBuf& operator=(StrBuf&& other) noexcept;
    StrBuf& operator=(const char* text);      // null gives empty

    StrBuf& operator+=(const char* text);
    StrBuf& operator+=(char c);
    StrBuf& operator+=(const StrBuf& other);
    friend StrBuf operator+(const StrBuf& a, const StrBuf& b);
    friend StrBuf operator+(const StrBuf& a, const char* b);
    friend StrBuf operator+(const char* a, const StrBuf& b);

    int Length() const { return IsSmall() ? kSmallCapacity - bytes_[kFlagByte] : LargeLength(); }
    int Capacity() const { return IsSmall() ? kSmallCapacity : LargeCapacity(); }
    bool IsEmpty() const { return Length() == 0; }
    const char* c_str() const { return Data(); }
    operator const char*() const { return Data(); }
    char operator[](int i) const { return Data()[i]; }
    void Empty();

    StrBuf Left(int count) const;
    StrBuf Right(int count) const;
    StrBuf Mid(int first, int count) const;
    StrBuf Mid(int first) const;

    int Find(char c) const;
    int Find(char c, int start) const;
    int Find(const char* text) const;
    int Find(const char* text, int start) const;
    int ReverseFind(char c) const;

    void TrimLeft();
    void TrimRight();
    void Trim() { TrimRight(); TrimLeft(); }

    StrBuf CutFront(int count);

    // For a system call that writes into the buffer: room for at least
    // minCapacity bytes plus the NUL; ReleaseBuffer sets the length to the
    // first NUL (or to newLength when it is given and not negative).
    char* GetBuffer(int minCapacity);
    void ReleaseBuffer(int newLength = -1);

    // printf-style; the result is never cut.
    bool Format(const char* format, ...);
    bool FormatV(const char* format, va_list args);

    bool EqualsNoCase(const char* text) const;
    bool operator==(const char* text) const;
    bool operator!=(const char* text) const { return !(*this == text); }

private:
    // A small text fills bytes_[0..15] and keeps 15 - length in byte 15 (so that a text of 15
    // ends in that byte's NUL). A large one keeps its pointer at 0, its length at 8 and its
    // capacity at 12, with the top bit set, which no small length byte has.
    static const int kSmallCapacity = 15;
    static const int kFlagByte = 15;
    static const unsigned kLargeFlag = 0x80000000u;

    bool IsSmall() const { return (static_cast<unsigned char>(bytes_[kFlagByte]) & 0x80) == 0; }
    char* Data() const {
        if (IsSmall()) return const_cast<char*>(bytes_);
        char* data;
        memcpy(&data, bytes_, sizeof data);
        return data;
    }
    int LargeLength() const { int n; memcpy(&n, bytes_ + 8, sizeof n); return n; }
    int LargeCapacity() const {
        unsigned n;
        memcpy(&n, bytes_ + 12, sizeof n);
        return static_cast<int>(n & ~kLargeFlag);
    }
    void SetLarge(char* data, int length, int capacity);
    void SetSmall(int length);
    void SetLength(int length);          // within the capacity; writes the NUL
    bool OwnsHeap() const;

    void TakeOver(StrBuf& other);    // the move: other is left empty
    void Retire();                    // STRBUF_CHECK_MOVES: spoils the block a move left

    void Assign(const char* text, int count);
    bool Reserve(int capacity);       // keeps contents
    void Release();

    alignas(8) char bytes_[16];
};

static_assert(sizeof(char*) <= 8 && sizeof(int) == 4, "StrBuf's large layout");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "StrBuf's flag is the capacity's top byte");

// White space as the script and the command line know it.
bool IsBlank(char c);
// ASCII case-insensitive comparison (the code page's letters above 127 compare exactly).
int CompareNoCase(const char* a, const char* b);
// Decimal number: optional sign and leading digits; 0 when there are none.
int ParseDecimal(const char* text);
