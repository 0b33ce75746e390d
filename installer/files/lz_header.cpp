#include "installer/files/lz_header.h"

#include <cstring>

const unsigned char kLzSignature[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};

bool IsLzCompressedHeader(const unsigned char* bytes, size_t length) {
    return bytes && length >= kLzHeaderSize && memcmp(bytes, kLzSignature, sizeof kLzSignature) == 0;
}
