#include "installer/files/lz_compressor.h"

#include <cstdint>
#include <cstring>
#include "installer/files/lz_header.h"

namespace {
const size_t kWindow = 4096;
const size_t kFirstWrite = kWindow - 16;
const size_t kMinMatch = 3;
const size_t kMaxMatch = 18;
const size_t kMaxDistance = kWindow - 1;
const int kChainLimit = 128;
const unsigned kHashSize = 1u << 14;

unsigned Hash3(const unsigned char* p) {
    return ((static_cast<unsigned>(p[0]) << 10) ^ (static_cast<unsigned>(p[1]) << 5) ^ p[2]) & (kHashSize - 1);
}

// Earlier positions with the same three-byte beginning, newest first, within the window.
class MatchFinder {
public:
    MatchFinder() : head_(kHashSize, -1), previous_(kWindow, -1) {}
    void Insert(const unsigned char* data, size_t length, size_t at) {
        if (at + kMinMatch > length) return;
        unsigned h = Hash3(data + at);
        previous_[at % kWindow] = head_[h];
        head_[h] = static_cast<long>(at);
    }
    // The longest earlier match at `at`: its length (0 when under three bytes) and distance.
    size_t Longest(const unsigned char* data, size_t length, size_t at, size_t* distance) const {
        if (at + kMinMatch > length) return 0;
        size_t best = 0, limit = length - at < kMaxMatch ? length - at : kMaxMatch;
        long candidate = head_[Hash3(data + at)];
        for (int chain = 0; candidate >= 0 && chain < kChainLimit; ++chain) {
            size_t from = static_cast<size_t>(candidate);
            if (at - from > kMaxDistance) break;
            size_t n = 0;
            while (n < limit && data[from + n] == data[at + n]) ++n;
            if (n > best) {
                best = n;
                *distance = at - from;
                if (n == limit) break;
            }
            long next = previous_[from % kWindow];
            if (next >= candidate) break;   // the slot was reused by a newer position
            candidate = next;
        }
        return best >= kMinMatch ? best : 0;
    }

private:
    std::vector<long> head_;
    std::vector<long> previous_;
};

void PutLength(std::vector<unsigned char>& out, size_t length) {
    uint32_t n = static_cast<uint32_t>(length);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(n >> (8 * i)));
}
}  // namespace

std::vector<unsigned char> LzCompress(const unsigned char* data, size_t length, char missingLetter) {
    std::vector<unsigned char> out(kLzSignature, kLzSignature + sizeof kLzSignature);
    out.push_back('A');
    out.push_back(static_cast<unsigned char>(missingLetter));
    PutLength(out, length);
    out.reserve(out.size() + length + length / 8 + 2);

    MatchFinder finder;
    size_t controlAt = 0;
    int items = 8;
    size_t at = 0;
    while (at < length) {
        if (items == 8) {
            controlAt = out.size();
            out.push_back(0);
            items = 0;
        }
        size_t distance = 0;
        size_t match = finder.Longest(data, length, at, &distance);
        if (match == 0) {
            out[controlAt] |= static_cast<unsigned char>(1u << items);
            out.push_back(data[at]);
            match = 1;
        } else {
            size_t position = (kFirstWrite + at - distance) & (kWindow - 1);
            out.push_back(static_cast<unsigned char>(position & 0xFF));
            out.push_back(static_cast<unsigned char>(((position >> 4) & 0xF0) | (match - kMinMatch)));
        }
        for (size_t i = 0; i < match; ++i) finder.Insert(data, length, at + i);
        at += match;
        ++items;
    }
    return out;
}
