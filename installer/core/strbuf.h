#pragma once
// The installer's growable single-byte string. Text is in the ANSI code page;
// lengths and positions count bytes. An empty StrBuf points to one shared,
// never-freed empty string; copies are deep.
#include <cstdarg>
#include <cstddef>

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

    int Length() const { return length_; }
    int Capacity() const { return capacity_; }
    bool IsEmpty() const { return length_ == 0; }
    const char* c_str() const { return data_; }
    operator const char*() const { return data_; }
    char operator[](int i) const { return data_[i]; }
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
    void Assign(const char* text, int count);
    bool Reserve(int capacity);       // keeps contents
    void Release();

    char* data_;
    int length_ = 0;
    int capacity_ = 0;
};

// White space as the script and the command line know it.
bool IsBlank(char c);
// ASCII case-insensitive comparison (the code page's letters above 127 compare exactly).
int CompareNoCase(const char* a, const char* b);
// Decimal number: optional sign and leading digits; 0 when there are none.
int ParseDecimal(const char* text);
