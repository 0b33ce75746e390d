#pragma once
// Reading a device-independent picture file (".bmp" with the 40-byte info header)
// into one memory block laid out as GDI expects it: info header, colour table,
// pixels. Every size in the file's headers is checked against the others and
// against the file's length, so the block always holds exactly what GDI will read.
// Run-length pictures (8 and 4 bits) are expanded here: the block is always uncompressed.
#include <cstddef>
#include <cstdint>
#include <memory>

// Where the picture's bytes come from: a file on the machine, or memory in tests.
class DibSource {
public:
    virtual ~DibSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly count bytes at offset; false on any short read.
    virtual bool ReadAt(uint64_t offset, void* destination, uint32_t count) = 0;
};

constexpr uint32_t kDibFileHeaderSize = 14;
constexpr uint32_t kDibInfoHeaderSize = 40;
constexpr uint32_t kDibLargestImage = 64u * 1024 * 1024;   // bigger pictures are refused
constexpr int32_t kDibLargestSide = 32768;

// What the two headers say, once they have been found to add up.
struct DibLayout {
    int32_t width = 0;
    int32_t height = 0;              // negative: rows stored top-down
    uint16_t bitsPerPixel = 0;
    uint32_t colourCount = 0;        // entries of the colour table
    uint32_t headerAndTableSize = 0; // 40 + 4 x colourCount
    uint32_t imageSize = 0;          // pixel bytes in the block, at least rows x stride
    uint32_t pixelOffset = 0;        // where the pixels start in the file
    uint32_t compression = 0;        // as the file has it: 0, or run-length 8 or 4 bits
    uint32_t storedSize = 0;         // pixel bytes in the file
};

// Decides from the first 54 bytes of a file of fileSize bytes; false when the
// picture is not one we read or does not add up.
bool ParseDibHeaders(const uint8_t* first54, uint64_t fileSize, DibLayout& layout);

// Bytes of one pixel row, padded to 32 bits; 0 when the values are out of range.
uint64_t DibRowStride(uint16_t bitsPerPixel, int32_t width);

// The packed picture: header, colour table and pixels in one block.
struct DibBlock {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    DibLayout layout;
    const uint8_t* Pixels() const { return bytes.get() + layout.headerAndTableSize; }
    const uint8_t* ColourTable() const { return bytes.get() + kDibInfoHeaderSize; }   // blue, green, red, 0
};

// Reads the whole picture; false (and an empty block) when anything does not add up
// or a read comes back short. The block's header carries the checked image size and
// colour count, so GDI reads no more than the block holds.
bool ReadDib(DibSource& source, DibBlock& block);
