#include "installer/ui/dib_reader.h"

#include <cstring>
#include <new>
#include "installer/ui/dib_rle.h"

namespace {
uint32_t Word(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t Dword(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
void PutDword(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Offsets within the info header.
constexpr int kInfoWidth = 4, kInfoHeight = 8, kInfoPlanes = 12, kInfoBits = 14, kInfoCompression = 16,
              kInfoImageSize = 20, kInfoColoursUsed = 32;

bool SupportedDepth(uint32_t bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

// Plain pixels at any depth, or runs of the one depth each run-length form is made for.
bool SupportedCompression(uint32_t compression, uint32_t bits) {
    return compression == 0 || (compression == kDibRle8 && bits == 8) || (compression == kDibRle4 && bits == 4);
}

// Colours used when given (low 16 bits), else the full table of a paletted depth.
// A table larger than the depth can index is refused: GDI would not agree on where the pixels start.
bool ColourCount(uint32_t coloursUsed, uint32_t bits, uint32_t& count) {
    uint32_t used = coloursUsed & 0xFFFF;
    uint32_t largest = bits <= 8 ? (1u << bits) : 256;
    if (coloursUsed != used) return false;
    count = used ? used : (bits <= 8 ? (1u << bits) : 0);
    return count <= largest;
}
}  // namespace

uint64_t DibRowStride(uint16_t bitsPerPixel, int32_t width) {
    if (width <= 0 || !SupportedDepth(bitsPerPixel)) return 0;
    return (static_cast<uint64_t>(bitsPerPixel) * static_cast<uint64_t>(width) + 31) / 32 * 4;
}

bool ParseDibHeaders(const uint8_t* first54, uint64_t fileSize, DibLayout& layout) {
    layout = DibLayout();
    if (!first54 || fileSize < kDibFileHeaderSize + kDibInfoHeaderSize) return false;
    if (Word(first54) != 0x4D42) return false;   // "BM"
    const uint8_t* info = first54 + kDibFileHeaderSize;
    if (Dword(info) != kDibInfoHeaderSize) return false;
    uint32_t compression = Dword(info + kInfoCompression);
    if (Word(info + kInfoPlanes) != 1) return false;

    int32_t width = static_cast<int32_t>(Dword(info + kInfoWidth));
    int32_t height = static_cast<int32_t>(Dword(info + kInfoHeight));
    uint16_t bits = static_cast<uint16_t>(Word(info + kInfoBits));
    if (width <= 0 || width > kDibLargestSide) return false;
    if (height == 0 || height > kDibLargestSide || height < -kDibLargestSide) return false;
    if (!SupportedDepth(bits) || !SupportedCompression(compression, bits)) return false;
    if (compression != 0 && height < 0) return false;   // runs are only ever stored bottom-up

    uint32_t colours = 0;
    if (!ColourCount(Dword(info + kInfoColoursUsed), bits, colours)) return false;

    // The rows GDI will read; a stated image size may be larger, never smaller. Runs take
    // the bytes their stated size says, and expand to exactly the rows.
    uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    uint64_t needed = DibRowStride(bits, width) * rows;
    uint64_t stated = Dword(info + kInfoImageSize);
    uint64_t imageSize = compression != 0 ? needed : stated ? stated : needed;
    uint64_t storedSize = compression != 0 ? stated : imageSize;
    if (imageSize < needed || imageSize > kDibLargestImage) return false;
    if (storedSize == 0 || storedSize > kDibLargestImage) return false;

    uint32_t tableSize = kDibInfoHeaderSize + 4 * colours;
    uint64_t pixelOffset = Dword(first54 + 10);
    if (kDibFileHeaderSize + static_cast<uint64_t>(tableSize) > fileSize) return false;
    if (pixelOffset + storedSize > fileSize) return false;

    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    layout.colourCount = colours;
    layout.headerAndTableSize = tableSize;
    layout.imageSize = static_cast<uint32_t>(imageSize);
    layout.pixelOffset = static_cast<uint32_t>(pixelOffset);
    layout.compression = compression;
    layout.storedSize = static_cast<uint32_t>(storedSize);
    return true;
}

namespace {
// The pixels into the block: as they are, or expanded from their runs.
bool ReadPixels(DibSource& source, const DibLayout& layout, uint8_t* pixels) {
    if (layout.compression == 0) return source.ReadAt(layout.pixelOffset, pixels, layout.imageSize);
    std::unique_ptr<uint8_t[]> runs(new (std::nothrow) uint8_t[layout.storedSize]);
    if (!runs || !source.ReadAt(layout.pixelOffset, runs.get(), layout.storedSize)) return false;
    std::memset(pixels, 0, layout.imageSize);
    ExpandDibRuns(runs.get(), layout.storedSize, layout.compression, layout.width, layout.height, pixels,
                  DibRowStride(layout.bitsPerPixel, layout.width));
    return true;
}
}  // namespace

bool ReadDib(DibSource& source, DibBlock& block) {
    block = DibBlock();
    uint8_t first[kDibFileHeaderSize + kDibInfoHeaderSize];
    DibLayout layout;
    if (!source.ReadAt(0, first, sizeof first)) return false;
    if (!ParseDibHeaders(first, source.Size(), layout)) return false;

    size_t size = static_cast<size_t>(layout.headerAndTableSize) + layout.imageSize;
    std::unique_ptr<uint8_t[]> bytes(new (std::nothrow) uint8_t[size]);
    if (!bytes) return false;
    if (!source.ReadAt(kDibFileHeaderSize, bytes.get(), layout.headerAndTableSize)) return false;
    if (!ReadPixels(source, layout, bytes.get() + layout.headerAndTableSize)) return false;

    // The file may have changed between the two reads: the block's header must say what was checked.
    if (std::memcmp(bytes.get(), first + kDibFileHeaderSize, kDibInfoHeaderSize) != 0) return false;
    PutDword(bytes.get() + kInfoCompression, 0);
    PutDword(bytes.get() + kInfoImageSize, layout.imageSize);
    PutDword(bytes.get() + kInfoColoursUsed, layout.colourCount);

    block.bytes = std::move(bytes);
    block.size = size;
    block.layout = layout;
    return true;
}
