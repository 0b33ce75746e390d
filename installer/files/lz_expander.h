#pragma once
// Expansion of files in the LZ library's compressed form: a 14-byte header (the "SZDD"
// signature, the mode letter "A", the missing last letter of the name, the expanded length)
// and then groups of a control byte and eight items, each a literal byte (bit set) or a
// two-byte reference to 3 to 18 earlier bytes in a 4096-byte window that starts as blanks.
// Pure: bytes in, bytes out, fed in pieces of any size, so that files stream through it.
#include <cstddef>
#include <cstdint>

class LzExpander {
public:
    static const size_t kWindowSize = 4096;
    enum Status { NeedsMore, Done, Damaged };

    // Reads the header; false when the bytes do not begin a compressed file of method "A".
    bool Start(const unsigned char* header, size_t length);
    uint32_t ExpandedLength() const { return expectedLength_; }

    // Expands from input until it is used up or out is full; the counts of bytes taken and
    // given. Output stops at the header's length: bytes coded after it are not given.
    Status Expand(const unsigned char* input, size_t inputLength, size_t* taken, unsigned char* out,
                  size_t outLength, size_t* given);
    // After the last input: Done when the whole expanded length came out, else Damaged.
    Status Finish() const { return produced_ == expectedLength_ ? Done : Damaged; }

private:
    unsigned char window_[kWindowSize];
    size_t writeAt_ = 0;
    uint32_t expectedLength_ = 0;
    uint32_t produced_ = 0;
    unsigned control_ = 0;       // the control byte's bits still to use, above a marker bit
    int pendingByte_ = -1;       // the first byte of a reference whose second has not come
    unsigned copyFrom_ = 0;      // a reference being copied out
    unsigned copyLeft_ = 0;
    bool started_ = false;

    void Put(unsigned char c, unsigned char* out, size_t* given);
};
