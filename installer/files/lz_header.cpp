#include "installer/files/lz_header.h"

#include <cstring>

namespace {
const unsigned char kSignature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
}  // namespace

bool IsLzCompressedHeader(const unsigned char* bytes, size_t length) {
    return bytes && length >= kLzHeaderSize && memcmp(bytes, kSignature, sizeof kSignature) == 0;
}
