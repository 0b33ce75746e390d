// Picture files of any shape, plain or run-length: reading them never touches memory outside
// the file's bytes or the block, and an accepted block holds every byte GDI will read.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include "installer/ui/dib_reader.h"

namespace {
class FuzzSource : public DibSource {
public:
    FuzzSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* destination, uint32_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        std::memcpy(destination, data_ + offset, count);
        return true;
    }
private:
    const uint8_t* data_;
    size_t size_;
};

void Require(bool condition) {
    if (!condition) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzSource source(data, size);
    DibBlock block;
    if (!ReadDib(source, block)) {
        Require(!block.bytes && block.size == 0);
        return 0;
    }
    const DibLayout& l = block.layout;
    uint64_t rows = l.height < 0 ? -static_cast<int64_t>(l.height) : l.height;
    Require(block.size == static_cast<uint64_t>(l.headerAndTableSize) + l.imageSize);
    Require(l.headerAndTableSize == kDibInfoHeaderSize + 4 * l.colourCount);
    Require(l.imageSize >= DibRowStride(l.bitsPerPixel, l.width) * rows);
    Require(l.colourCount <= (l.bitsPerPixel <= 8 ? (1u << l.bitsPerPixel) : 256u));
    // What GDI reads from the block's own header must agree with the checked layout.
    uint32_t compression, imageSize, coloursUsed;
    std::memcpy(&compression, block.bytes.get() + 16, 4);
    std::memcpy(&imageSize, block.bytes.get() + 20, 4);
    std::memcpy(&coloursUsed, block.bytes.get() + 32, 4);
    Require(imageSize == l.imageSize && coloursUsed == l.colourCount);
    // Runs are expanded here, never handed on: GDI sees plain rows of exactly the checked size.
    Require(compression == 0);
    if (l.compression != 0) Require(l.imageSize == DibRowStride(l.bitsPerPixel, l.width) * rows);
    // Touch every byte so that the sanitizer sees any short block.
    unsigned sum = 0;
    for (size_t i = 0; i < block.size; ++i) sum += block.bytes[i];
    return static_cast<int>(sum & 0);
}
