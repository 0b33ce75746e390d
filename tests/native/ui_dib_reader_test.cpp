// Reading picture files: what a well-formed file gives, and that every header
// that does not add up gives no picture instead of a read outside the block.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "installer/ui/dib_reader.h"

namespace {
class MemorySource : public DibSource {
public:
    explicit MemorySource(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(uint64_t offset, void* destination, uint32_t count) override {
        ++reads;
        if (failReadNumber == reads) return false;
        if (offset > bytes_.size() || count > bytes_.size() - offset) return false;
        std::memcpy(destination, bytes_.data() + offset, count);
        if (changeAfterFirstRead && reads == 1) bytes_[14 + 4] ^= 1;   // the width changes under us
        return true;
    }
    int reads = 0;
    int failReadNumber = 0;
    bool changeAfterFirstRead = false;
private:
    std::vector<uint8_t> bytes_;
};

void Put(std::vector<uint8_t>& b, size_t at, uint32_t v, int size) {
    for (int i = 0; i < size; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

struct Picture {
    int32_t width = 3, height = 2;
    uint16_t bits = 8, planes = 1;
    uint32_t compression = 0, imageSizeField = 0, coloursUsed = 0, infoSize = 40;
    uint32_t tableEntries = 256;      // what is really written
    uint32_t pixelBytes = 8;          // what is really written
    int32_t pixelOffsetDelta = 0;
    char type[2] = {'B', 'M'};
    std::vector<uint8_t> runs;        // written in place of the counted pixel bytes when given

    std::vector<uint8_t> Bytes() const {
        uint32_t pixelOffset = 54 + 4 * tableEntries + pixelOffsetDelta;
        uint32_t written = runs.empty() ? pixelBytes : static_cast<uint32_t>(runs.size());
        std::vector<uint8_t> b(54 + 4 * tableEntries + written);
        b[0] = type[0];
        b[1] = type[1];
        Put(b, 2, static_cast<uint32_t>(b.size()), 4);
        Put(b, 10, pixelOffset, 4);
        Put(b, 14, infoSize, 4);
        Put(b, 18, static_cast<uint32_t>(width), 4);
        Put(b, 22, static_cast<uint32_t>(height), 4);
        Put(b, 26, planes, 2);
        Put(b, 28, bits, 2);
        Put(b, 30, compression, 4);
        Put(b, 34, imageSizeField, 4);
        Put(b, 46, coloursUsed, 4);
        for (uint32_t i = 0; i < tableEntries; ++i) Put(b, 54 + 4 * i, 0x00010203u * (i + 1), 4);
        for (uint32_t i = 0; i < written; ++i)
            b[54 + 4 * tableEntries + i] = runs.empty() ? static_cast<uint8_t>(0xA0 + i) : runs[i];
        return b;
    }
};

uint32_t HeaderField(const DibBlock& block, int offset) {
    uint32_t v = 0;
    std::memcpy(&v, block.bytes.get() + offset, 4);
    return v;
}
}  // namespace

TEST(DibReader, PalettedPictureIsPackedAsHeaderTableAndPixels) {
    MemorySource source(Picture().Bytes());
    DibBlock block;
    ASSERT_TRUE(ReadDib(source, block));
    EXPECT_EQ(256u, block.layout.colourCount);
    EXPECT_EQ(40u + 1024u, block.layout.headerAndTableSize);
    EXPECT_EQ(8u, block.layout.imageSize);   // two rows of 3 bytes, each padded to 4
    EXPECT_EQ(40u + 1024u + 8u, block.size);
    EXPECT_EQ(8u, HeaderField(block, 20)) << "computed image size written into the header";
    EXPECT_EQ(256u, HeaderField(block, 32));
    EXPECT_EQ(0x03u, block.ColourTable()[0]);
    EXPECT_EQ(0xA0, block.Pixels()[0]);
    EXPECT_EQ(0xA7, block.Pixels()[7]);
}

TEST(DibReader, PixelsComeFromTheStatedOffsetAndTopDownRowsCount) {
    Picture p;
    p.height = -2;
    p.bits = 24;
    p.tableEntries = 0;
    p.pixelBytes = 16 + 24;           // stride 12, two rows, after 16 bytes of padding
    p.pixelOffsetDelta = 16;
    MemorySource source(p.Bytes());
    DibBlock block;
    ASSERT_TRUE(ReadDib(source, block));
    EXPECT_EQ(0u, block.layout.colourCount);
    EXPECT_EQ(24u, block.layout.imageSize);
    EXPECT_EQ(0xA0 + 16, block.Pixels()[0]);
}

TEST(DibReader, WideRowsAreNotCutToSixteenBits) {
    // 21846 pixels of 24 bits: a row of 65540 bytes, whose low 16 bits would be 4.
    Picture p;
    p.width = 21846;
    p.height = 1;
    p.bits = 24;
    p.tableEntries = 0;
    p.pixelBytes = 65540;
    MemorySource source(p.Bytes());
    DibBlock block;
    ASSERT_TRUE(ReadDib(source, block));
    EXPECT_EQ(65540u, block.layout.imageSize);
    EXPECT_EQ(65540u, HeaderField(block, 20));
}

TEST(DibReader, HeadersThatDoNotAddUpGiveNoPicture) {
    struct Case {
        const char* what;
        void (*change)(Picture&);
    } cases[] = {
        {"not BM", [](Picture& p) { p.type[0] = 'M'; }},
        {"core header form", [](Picture& p) { p.infoSize = 12; }},
        {"larger header form", [](Picture& p) { p.infoSize = 124; }},
        {"two planes", [](Picture& p) { p.planes = 2; }},
        {"run-length compressed without its size", [](Picture& p) { p.compression = 1; }},
        {"8-bit runs at 4 bits", [](Picture& p) { p.compression = 1; p.bits = 4; p.tableEntries = 16; p.imageSizeField = 8; }},
        {"4-bit runs at 8 bits", [](Picture& p) { p.compression = 2; p.imageSizeField = 8; }},
        {"runs stored top-down", [](Picture& p) { p.compression = 1; p.height = -2; p.imageSizeField = 8; }},
        {"runs past the end", [](Picture& p) { p.compression = 1; p.imageSizeField = 9; }},
        {"runs expanding past the largest picture",
         [](Picture& p) { p.compression = 1; p.width = 32768; p.height = 32768; p.imageSizeField = 8; }},
        {"bit fields", [](Picture& p) { p.compression = 3; p.bits = 16; p.tableEntries = 0; p.pixelBytes = 16; }},
        {"3 bits per pixel", [](Picture& p) { p.bits = 3; }},
        {"zero width", [](Picture& p) { p.width = 0; }},
        {"negative width", [](Picture& p) { p.width = -3; }},
        {"zero height", [](Picture& p) { p.height = 0; }},
        {"most negative height", [](Picture& p) { p.height = INT32_MIN; }},
        {"huge dimensions", [](Picture& p) { p.width = 0x7FFFFFFF; p.height = 0x7FFFFFFF; }},
        {"image size smaller than its rows", [](Picture& p) { p.imageSizeField = 4; }},
        {"image size past the end", [](Picture& p) { p.imageSizeField = 4096; }},
        {"image size far past the end", [](Picture& p) { p.imageSizeField = 0xFFFFFFF0u; }},
        {"more colours than 8 bits index", [](Picture& p) { p.coloursUsed = 300; p.tableEntries = 300; }},
        {"colour count above 16 bits", [](Picture& p) { p.coloursUsed = 0x10002; p.tableEntries = 2; }},
        {"colour table past the end", [](Picture& p) { p.coloursUsed = 200; p.tableEntries = 0; p.pixelBytes = 8; p.pixelOffsetDelta = 0; }},
        {"pixels past the end", [](Picture& p) { p.pixelBytes = 7; }},
        {"pixel offset past the end", [](Picture& p) { p.pixelOffsetDelta = 0x7FFFFFF0; }},
    };
    for (const Case& c : cases) {
        Picture p;
        c.change(p);
        MemorySource source(p.Bytes());
        DibBlock block;
        EXPECT_FALSE(ReadDib(source, block)) << c.what;
        EXPECT_EQ(nullptr, block.bytes.get()) << c.what;
        EXPECT_EQ(0u, block.size) << c.what;
    }
}

TEST(DibReader, ShortFilesAndFailedReadsGiveNoPicture) {
    std::vector<uint8_t> bytes = Picture().Bytes();
    for (size_t keep : {0, 2, 53, 54, 60}) {
        MemorySource source(std::vector<uint8_t>(bytes.begin(), bytes.begin() + keep));
        DibBlock block;
        EXPECT_FALSE(ReadDib(source, block)) << keep << " bytes";
    }
    for (int failing : {1, 2, 3}) {
        MemorySource source(bytes);
        source.failReadNumber = failing;
        DibBlock block;
        EXPECT_FALSE(ReadDib(source, block)) << "read " << failing << " fails";
        EXPECT_EQ(nullptr, block.bytes.get());
    }
}

TEST(DibReader, HeaderChangedBetweenReadsGivesNoPicture) {
    MemorySource source(Picture().Bytes());
    source.changeAfterFirstRead = true;
    DibBlock block;
    EXPECT_FALSE(ReadDib(source, block));
}

TEST(DibReader, ColourCountFollowsColoursUsedOrTheDepth) {
    struct Case {
        uint16_t bits;
        uint32_t used, expected;
    } cases[] = {{1, 0, 2}, {4, 0, 16}, {8, 0, 256}, {8, 5, 5}, {24, 0, 0}, {24, 16, 16}, {32, 0, 0}};
    for (const Case& c : cases) {
        Picture p;
        p.bits = c.bits;
        p.coloursUsed = c.used;
        p.tableEntries = c.expected;
        p.pixelBytes = static_cast<uint32_t>(DibRowStride(c.bits, p.width) * 2);
        std::vector<uint8_t> bytes = p.Bytes();
        DibLayout layout;
        ASSERT_TRUE(ParseDibHeaders(bytes.data(), bytes.size(), layout)) << c.bits << "/" << c.used;
        EXPECT_EQ(c.expected, layout.colourCount) << c.bits << "/" << c.used;
        EXPECT_EQ(40 + 4 * c.expected, layout.headerAndTableSize);
    }
}

namespace {
// A run-length picture of the given depth and size with its runs as the pixel data.
Picture RunPicture(uint16_t bits, int32_t width, int32_t height, std::vector<uint8_t> runs) {
    Picture p;
    p.bits = bits;
    p.width = width;
    p.height = height;
    p.compression = bits == 8 ? 1 : 2;
    p.tableEntries = bits == 8 ? 256 : 16;
    p.imageSizeField = static_cast<uint32_t>(runs.size());
    p.runs = std::move(runs);
    return p;
}

std::vector<uint8_t> PixelsOf(const DibBlock& block) {
    return std::vector<uint8_t>(block.Pixels(), block.Pixels() + block.layout.imageSize);
}
}  // namespace

TEST(DibReader, EightBitRunsAreExpandedIntoPlainRows) {
    MemorySource source(RunPicture(8, 4, 3, {
        0x03, 0x05, 0x00, 0x00,                          // bottom row: a run of three, end of line
        0x00, 0x03, 0x07, 0x08, 0x09, 0x00, 0x01, 0x02,  // three pixels as they are (padded), a run of one
        0x00, 0x00,
        0x00, 0x02, 0x01, 0x00, 0x02, 0x04,              // one to the right, then a run of two
        0x00, 0x01}).Bytes());                           // end of the picture
    DibBlock block;
    ASSERT_TRUE(ReadDib(source, block));
    EXPECT_EQ((std::vector<uint8_t>{5, 5, 5, 0, 7, 8, 9, 2, 0, 4, 4, 0}), PixelsOf(block));
    EXPECT_EQ(0u, HeaderField(block, 16)) << "GDI is handed plain pixels";
    EXPECT_EQ(12u, HeaderField(block, 20));
    EXPECT_EQ(40u + 1024u + 12u, block.size);
}

TEST(DibReader, FourBitRunsAlternateTheirTwoColours) {
    MemorySource source(RunPicture(4, 5, 2, {
        0x05, 0x12, 0x00, 0x00,                          // 1 2 1 2 1
        0x00, 0x03, 0xAB, 0xC0, 0x02, 0x3F,              // A B C as they are, then 3 F
        0x00, 0x01}).Bytes());
    DibBlock block;
    ASSERT_TRUE(ReadDib(source, block));
    EXPECT_EQ(16u, block.layout.colourCount);
    EXPECT_EQ((std::vector<uint8_t>{0x12, 0x12, 0x10, 0x00, 0xAB, 0xC3, 0xF0, 0x00}), PixelsOf(block));
}

TEST(DibReader, RunsThatLeaveThePictureAreCutOff) {
    struct Case {
        const char* what;
        std::vector<uint8_t> runs;
        std::vector<uint8_t> pixels;
    } cases[] = {
        {"a run longer than the row", {0xFF, 0x09, 0x00, 0x00, 0x01, 0x03}, {9, 9, 0, 0, 3, 0, 0, 0}},
        {"as-they-are pixels past the row", {0x00, 0x04, 1, 2, 3, 4}, {1, 2, 0, 0, 0, 0, 0, 0}},
        {"a move past the top", {0x01, 0x06, 0x00, 0x02, 0xFF, 0xFF, 0x01, 0x07}, {6, 0, 0, 0, 0, 0, 0, 0}},
        {"more rows than the picture", {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x01}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {"no end mark", {0x01, 0x04}, {4, 0, 0, 0, 0, 0, 0, 0}},
        {"pixels cut short", {0x01, 0x04, 0x00, 0x00, 0x00, 0x05, 0x01}, {4, 0, 0, 0, 0, 0, 0, 0}},
        {"a move cut short", {0x01, 0x04, 0x00, 0x02, 0x01}, {4, 0, 0, 0, 0, 0, 0, 0}},
        {"a lone byte", {0x02}, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        MemorySource source(RunPicture(8, 2, 2, c.runs).Bytes());
        DibBlock block;
        ASSERT_TRUE(ReadDib(source, block)) << c.what;
        EXPECT_EQ(c.pixels, PixelsOf(block)) << c.what;
    }
}
