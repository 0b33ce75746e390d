#pragma once
// Recognising a file the LZ library would expand, from its first bytes.
#include <cstddef>

// The LZ library reads this many bytes of header before it decides.
constexpr size_t kLzHeaderSize = 14;
// The header's first eight bytes.
extern const unsigned char kLzSignature[8];

// True when the bytes begin a compressed file: a whole header carrying the "SZDD" signature.
// A shorter file, or any other beginning, is copied by the library as it is.
bool IsLzCompressedHeader(const unsigned char* bytes, size_t length);
