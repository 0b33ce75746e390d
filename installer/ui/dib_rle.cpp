#include "installer/ui/dib_rle.h"

namespace {
// Where the next pixel goes; writes outside the picture are dropped.
class RowWriter {
public:
    RowWriter(uint8_t* pixels, uint64_t stride, int32_t width, int32_t height, bool nibbles)
        : pixels_(pixels), stride_(stride), width_(width), height_(height), nibbles_(nibbles) {}
    void Put(uint8_t index) {
        if (x_ < width_ && y_ < height_) {
            uint8_t* row = pixels_ + static_cast<uint64_t>(y_) * stride_;
            if (!nibbles_)
                row[x_] = index;
            else
                row[x_ / 2] |= static_cast<uint8_t>((x_ % 2) ? (index & 0x0F) : (index << 4));
        }
        if (x_ < width_) ++x_;
    }
    void NextRow() { x_ = 0; ++y_; }
    void Move(uint8_t right, uint8_t up) {
        x_ = x_ + right > width_ ? width_ : x_ + right;
        y_ += up;
    }
    bool Done() const { return y_ >= height_; }
    bool RowFull() const { return x_ >= width_; }
private:
    uint8_t* pixels_;
    uint64_t stride_;
    int32_t width_, height_;
    bool nibbles_;
    int32_t x_ = 0, y_ = 0;
};

// One run of count pixels of value: a byte, or two nibbles taken in turn. What passes the
// row's end is dropped at once, so that hostile data costs no more than its own length.
void PutRun(RowWriter& out, uint8_t count, uint8_t value, bool nibbles) {
    for (int i = 0; i < count && !out.RowFull(); ++i) out.Put(static_cast<uint8_t>(nibbles ? (i % 2 ? value & 0x0F : value >> 4) : value));
}

// Bytes that an absolute run of count pixels takes, padded to a 16-bit boundary.
uint32_t AbsoluteBytes(uint8_t count, bool nibbles) {
    uint32_t bytes = nibbles ? (count + 1u) / 2 : count;
    return (bytes + 1) & ~1u;
}
}  // namespace

void ExpandDibRuns(const uint8_t* data, uint32_t size, uint32_t compression, int32_t width, int32_t height,
                   uint8_t* pixels, uint64_t stride) {
    bool nibbles = compression == kDibRle4;
    RowWriter out(pixels, stride, width, height, nibbles);
    uint32_t at = 0;
    while (at + 2 <= size && !out.Done()) {
        uint8_t first = data[at], second = data[at + 1];
        at += 2;
        if (first > 0) {
            PutRun(out, first, second, nibbles);
        } else if (second == 0) {
            out.NextRow();
        } else if (second == 1) {
            return;
        } else if (second == 2) {
            if (at + 2 > size) return;
            out.Move(data[at], data[at + 1]);
            at += 2;
        } else {
            uint32_t bytes = AbsoluteBytes(second, nibbles);
            if (bytes > size - at) return;
            for (int i = 0; i < second && !out.RowFull(); ++i) {
                uint8_t byte = data[at + (nibbles ? i / 2 : i)];
                out.Put(static_cast<uint8_t>(nibbles ? (i % 2 ? byte & 0x0F : byte >> 4) : byte));
            }
            at += bytes;
        }
    }
}
