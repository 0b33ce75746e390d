// The compressed form the installer expands: our compressor's output expands to the bytes it
// was made from, fed in pieces of every size; hand-made streams check the window's start (all
// blanks, first write 16 bytes before its end), references to every window position, the
// header's length as the end of the output, and damaged input.
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include "installer/files/lz_compressor.h"
#include "installer/files/lz_expander.h"
#include "installer/files/lz_header.h"

namespace {
using Bytes = std::vector<unsigned char>;

// Expands with input pieces of inStep bytes and output room of outStep; empty on failure.
bool ExpandInPieces(const Bytes& packed, size_t inStep, size_t outStep, Bytes* plain) {
    LzExpander expander;
    if (!expander.Start(packed.data(), packed.size())) return false;
    plain->clear();
    size_t at = kLzHeaderSize;
    Bytes room(outStep);
    for (int guard = 0; guard < 100000000; ++guard) {
        size_t piece = std::min(inStep, packed.size() - at);
        size_t taken = 0, given = 0;
        LzExpander::Status status = expander.Expand(packed.data() + at, piece, &taken, room.data(), room.size(), &given);
        at += taken;
        plain->insert(plain->end(), room.begin(), room.begin() + given);
        if (status == LzExpander::Damaged) return false;
        if (status == LzExpander::Done) return true;
        if (at == packed.size() && given < room.size()) return expander.Finish() == LzExpander::Done;
    }
    return false;
}

Bytes Header(uint32_t length) {
    Bytes h = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A', 0};
    for (int i = 0; i < 4; ++i) h.push_back(static_cast<unsigned char>(length >> (8 * i)));
    return h;
}

Bytes Sample(size_t length, int kind, std::mt19937& random) {
    Bytes b(length);
    for (size_t i = 0; i < length; ++i) {
        switch (kind) {
            case 0: b[i] = static_cast<unsigned char>(random()); break;          // incompressible
            case 1: b[i] = static_cast<unsigned char>("setup text "[i % 11]); break;
            case 2: b[i] = ' '; break;                                          // like the window's fill
            default: b[i] = static_cast<unsigned char>(random() % 4 ? b[i ? i - 1 : 0] : random()); break;
        }
    }
    return b;
}
}  // namespace

TEST(LzExpander, CompressedFilesOfEdgeLengthsExpandToTheirBytesInPiecesOfAnySize) {
    std::mt19937 random(7);
    const size_t lengths[] = {0, 1, 2, 3, 17, 18, 19, 4095, 4096, 4097, 8191, 70000};
    const size_t steps[][2] = {{1, 1}, {1, 5000}, {3, 7}, {4096, 1}, {65536, 65536}};
    for (size_t length : lengths)
        for (int kind = 0; kind < 4; ++kind) {
            Bytes original = Sample(length, kind, random);
            Bytes packed = LzCompress(original.data(), original.size(), 'T');
            ASSERT_GE(packed.size(), kLzHeaderSize);
            EXPECT_EQ('T', packed[9]);
            for (const auto& step : steps) {
                Bytes plain;
                ASSERT_TRUE(ExpandInPieces(packed, step[0], step[1], &plain)) << length << " kind " << kind;
                ASSERT_EQ(original, plain) << length << " kind " << kind << " steps " << step[0] << "," << step[1];
            }
            if (kind == 1 && length > 4096) EXPECT_LT(packed.size(), length / 4);   // repetition is found
        }
}

TEST(LzExpander, TheWindowStartsBlankAndEveryPositionCanBeReferenced) {
    // One reference per window position, each three bytes long, after one literal "x" at the
    // first write position (4080): the output shows what the window held there, blanks at first.
    Bytes stream;
    Bytes expected = {'x'};
    std::vector<int> positions;
    positions.push_back(4080);   // the literal's own place: it repeats, each copy feeding the next
    for (int p = 0; p < 4096; ++p) positions.push_back(p);
    // First group: the literal, then references.
    size_t items = 0;
    size_t controlAt = 0;
    auto item = [&](bool literal, std::initializer_list<unsigned char> bytes) {
        if (items % 8 == 0) {
            controlAt = stream.size();
            stream.push_back(0);
        }
        if (literal) stream[controlAt] |= static_cast<unsigned char>(1u << (items % 8));
        stream.insert(stream.end(), bytes);
        ++items;
    };
    item(true, {'x'});
    // A model of the window to know what each reference must give.
    Bytes window(4096, ' ');
    size_t writeAt = 4080;
    window[writeAt++] = 'x';
    for (int p : positions) {
        item(false, {static_cast<unsigned char>(p & 0xFF), static_cast<unsigned char>(((p >> 4) & 0xF0) | 0)});
        for (int k = 0; k < 3; ++k) {
            unsigned char c = window[(p + k) & 0xFFF];
            window[writeAt & 0xFFF] = c;
            ++writeAt;
            expected.push_back(c);
        }
    }
    Bytes packed = Header(static_cast<uint32_t>(expected.size()));
    packed.insert(packed.end(), stream.begin(), stream.end());
    Bytes plain;
    ASSERT_TRUE(ExpandInPieces(packed, 5, 11, &plain));
    EXPECT_EQ(expected, plain);
    EXPECT_EQ(Bytes({'x', 'x', 'x', 'x', ' ', ' ', ' '}), Bytes(plain.begin(), plain.begin() + 7));
}

TEST(LzExpander, TheHeaderLengthEndsTheOutputAndShortOrForeignInputFails) {
    Bytes original(5000, 'a');
    Bytes packed = LzCompress(original.data(), original.size(), 0);
    // A shorter stated length: output stops there.
    Bytes shorter = packed;
    shorter[10] = 100, shorter[11] = shorter[12] = shorter[13] = 0;
    Bytes plain;
    ASSERT_TRUE(ExpandInPieces(shorter, 64, 64, &plain));
    EXPECT_EQ(Bytes(100, 'a'), plain);
    // A longer stated length than the stream holds, or a stream cut short: damaged.
    Bytes longer = packed;
    longer[12] = 1;
    EXPECT_FALSE(ExpandInPieces(longer, 64, 64, &plain));
    Bytes cut(packed.begin(), packed.end() - 1);
    EXPECT_FALSE(ExpandInPieces(cut, 64, 64, &plain));
    // No signature or a header cut short: not a compressed file at all.
    LzExpander expander;
    Bytes foreign = packed;
    foreign[0] = 'X';
    EXPECT_FALSE(expander.Start(foreign.data(), foreign.size()));
    EXPECT_FALSE(expander.Start(packed.data(), kLzHeaderSize - 1));
    Bytes otherMethod = packed;
    otherMethod[8] = 'Q';
    EXPECT_FALSE(expander.Start(otherMethod.data(), otherMethod.size()));
    size_t taken = 0, given = 0;
    unsigned char out[8];
    EXPECT_EQ(LzExpander::Damaged, expander.Expand(packed.data(), packed.size(), &taken, out, sizeof out, &given));
    EXPECT_EQ(0u, given);
}
