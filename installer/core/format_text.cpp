#include "installer/core/format_text.h"

#include <cstdint>
#include <cstring>

namespace {
struct Output {
    char* out;
    size_t size;
    size_t length = 0;
    void Put(char c) {
        if (length + 1 < size) out[length++] = c;
    }
    void Repeat(char c, long count) {
        for (long i = 0; i < count; ++i) Put(c);
    }
};

struct Spec {
    bool left = false, prefix = false, zeros = false;
    long width = 0;
    long precision = -1;   // -1: none given
    int size = 0;          // 'h', 'l' or 64
    char type = 0;
};

long ReadNumber(const char*& p) {
    long n = 0;
    while (*p >= '0' && *p <= '9') {
        if (n < 100000) n = n * 10 + (*p - '0');   // wider than any buffer: capped, never overflowing
        ++p;
    }
    return n;
}

// Reads flags, width, precision and size after the "%"; p is left on the type character.
Spec ReadSpec(const char*& p) {
    Spec spec;
    for (;; ++p) {
        if (*p == '-') spec.left = true;
        else if (*p == '#') spec.prefix = true;
        else if (*p == '0') spec.zeros = true;
        else break;
    }
    spec.width = ReadNumber(p);
    if (*p == '.') {
        ++p;
        spec.precision = ReadNumber(p);
    }
    if (*p == 'h' || *p == 'l') spec.size = *p++;
    else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') { spec.size = 64; p += 3; }
    spec.type = *p;
    return spec;
}

// Puts body (of length n) with its padding; a sign or "0x" stays before zero padding.
void PutField(Output& o, const Spec& spec, const char* lead, const char* body, size_t n) {
    long leadLength = static_cast<long>(strlen(lead));
    long pad = spec.width - leadLength - static_cast<long>(n);
    if (pad < 0) pad = 0;
    if (!spec.left && !spec.zeros) o.Repeat(' ', pad);
    for (const char* c = lead; *c; ++c) o.Put(*c);
    if (!spec.left && spec.zeros) o.Repeat('0', pad);
    for (size_t i = 0; i < n; ++i) o.Put(body[i]);
    if (spec.left) o.Repeat(' ', pad);
}

void PutNumber(Output& o, Spec spec, va_list& args) {
    bool isSigned = spec.type == 'd' || spec.type == 'i';
    uint64_t magnitude = 0;
    bool negative = false;
    if (spec.size == 64) {
        int64_t v = va_arg(args, int64_t);
        negative = isSigned && v < 0;
        magnitude = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    } else {
        // int and long are both 32 bits on Windows; h cuts to 16.
        long v = spec.size == 'l' ? va_arg(args, long) : va_arg(args, int);
        uint32_t bits = static_cast<uint32_t>(v);
        if (spec.size == 'h') bits &= 0xFFFF;
        int32_t asSigned = spec.size == 'h' ? static_cast<int16_t>(bits) : static_cast<int32_t>(bits);
        negative = isSigned && asSigned < 0;
        magnitude = isSigned ? (negative ? 0 - static_cast<uint64_t>(static_cast<int64_t>(asSigned))
                                         : static_cast<uint64_t>(asSigned))
                             : bits;
    }
    unsigned base = spec.type == 'x' || spec.type == 'X' ? 16 : 10;
    const char* digits = spec.type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    char text[24];
    size_t n = 0;
    do {
        text[sizeof text - 1 - n++] = digits[magnitude % base];
        magnitude /= base;
    } while (magnitude);
    const char* lead = negative ? "-" : "";
    if (spec.prefix && base == 16) lead = spec.type == 'X' ? "0X" : "0x";
    // A precision is the least number of digits.
    char body[64];
    size_t zeros = spec.precision > static_cast<long>(n) ? static_cast<size_t>(spec.precision) - n : 0;
    if (zeros > sizeof body - n) zeros = sizeof body - n;
    memset(body, '0', zeros);
    memcpy(body + zeros, text + sizeof text - n, n);
    PutField(o, spec, lead, body, zeros + n);
}

void PutConversion(Output& o, const Spec& spec, va_list& args) {
    switch (spec.type) {
    case 'c': {
        char c = static_cast<char>(va_arg(args, int));
        PutField(o, spec, "", &c, 1);
        break;
    }
    case 's': {
        const char* s = va_arg(args, const char*);
        if (!s) s = "(null)";
        size_t n = 0;
        while (s[n] && (spec.precision < 0 || static_cast<long>(n) < spec.precision)) ++n;
        Spec plain = spec;
        plain.zeros = false;
        PutField(o, plain, "", s, n);
        break;
    }
    case 'd': case 'i': case 'u': case 'x': case 'X': PutNumber(o, spec, args); break;
    default: o.Put(spec.type); break;   // an unknown type stands as it is, as wsprintf does
    }
}
}  // namespace

size_t FormatText(char* out, size_t size, const char* pattern, va_list args) {
    if (!out || size == 0) return 0;
    Output o{out, size};
    va_list rest;
    va_copy(rest, args);
    for (const char* p = pattern ? pattern : ""; *p; ++p) {
        if (*p != '%') { o.Put(*p); continue; }
        ++p;
        Spec spec = ReadSpec(p);
        if (!spec.type) break;   // a "%" at the very end
        PutConversion(o, spec, rest);
    }
    va_end(rest);
    out[o.length] = 0;
    return o.length;
}
