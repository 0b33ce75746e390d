#pragma once
// Expanding the run-length forms of paletted pictures (8 and 4 bits per pixel) into plain
// bottom-up rows, so that GDI only ever sees uncompressed pixels whose size was checked.
#include <cstdint>

constexpr uint32_t kDibRle8 = 1;   // the info header's compression values
constexpr uint32_t kDibRle4 = 2;

// Expands size bytes of runs into pixels (rows of stride bytes, the bottom row first), which
// the caller has zeroed. Runs and moves that leave the picture are cut off there; the data
// ends at its end-of-picture mark or where the bytes run out, the rest staying colour 0.
void ExpandDibRuns(const uint8_t* data, uint32_t size, uint32_t compression, int32_t width, int32_t height,
                   uint8_t* pixels, uint64_t stride);
