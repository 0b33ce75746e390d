#include "installer/files/lz_expander.h"

#include <cstring>
#include "installer/files/lz_header.h"

namespace {
const size_t kWindowMask = LzExpander::kWindowSize - 1;
// The first byte is written this far before the window's end.
const size_t kFirstWrite = LzExpander::kWindowSize - 16;
}  // namespace

bool LzExpander::Start(const unsigned char* header, size_t length) {
    // "A" is the only method the format has; the LZ library refuses any other.
    started_ = IsLzCompressedHeader(header, length) && header[8] == 'A';
    if (!started_) return false;
    expectedLength_ = static_cast<uint32_t>(header[10]) | static_cast<uint32_t>(header[11]) << 8 |
                      static_cast<uint32_t>(header[12]) << 16 | static_cast<uint32_t>(header[13]) << 24;
    memset(window_, ' ', sizeof window_);
    writeAt_ = kFirstWrite;
    produced_ = 0;
    control_ = 0;
    pendingByte_ = -1;
    copyLeft_ = 0;
    return true;
}

void LzExpander::Put(unsigned char c, unsigned char* out, size_t* given) {
    window_[writeAt_] = c;
    writeAt_ = (writeAt_ + 1) & kWindowMask;
    out[(*given)++] = c;
    ++produced_;
}

LzExpander::Status LzExpander::Expand(const unsigned char* input, size_t inputLength, size_t* taken,
                                      unsigned char* out, size_t outLength, size_t* given) {
    *taken = 0;
    *given = 0;
    if (!started_) return Damaged;
    for (;;) {
        if (produced_ == expectedLength_) return Done;
        if (*given == outLength) return NeedsMore;
        if (copyLeft_ > 0) {
            unsigned char c = window_[copyFrom_];
            copyFrom_ = (copyFrom_ + 1) & kWindowMask;
            --copyLeft_;
            Put(c, out, given);
            continue;
        }
        if (*taken == inputLength) return NeedsMore;
        unsigned char b = input[(*taken)++];
        if (control_ <= 1) {
            control_ = 0x100u | b;   // the marker bit tells when all eight are used
            continue;
        }
        bool literal = control_ & 1;
        if (literal) {
            control_ >>= 1;
            Put(b, out, given);
            continue;
        }
        if (pendingByte_ < 0) {
            pendingByte_ = b;
            continue;
        }
        control_ >>= 1;
        copyFrom_ = (static_cast<unsigned>(pendingByte_) | (static_cast<unsigned>(b & 0xF0) << 4)) & kWindowMask;
        copyLeft_ = (b & 0x0Fu) + 3;
        pendingByte_ = -1;
    }
}
