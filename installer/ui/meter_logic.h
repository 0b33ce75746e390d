#pragma once
// The progress meter's numbers: what its two 16-bit words hold after each message,
// and what a paint shows for them.
#include <cstdint>
#include <string>

// MulDiv as the system computes it: a × b / c rounded half away from zero;
// -1 when c is 0 or the result does not fit an int.
int MulDivRounded(int a, int b, int c);

uint16_t MeterRangeFor(uintptr_t wParam);                       // 0 gives 100; low 16 bits
uint16_t MeterPositionFor(uintptr_t wParam, uint16_t range);    // never above the range

struct MeterPaint {
    int fillWidth;        // the filled part is (0, 0, fillWidth, height)
    std::string text;     // "37%"
    int textX, textY;     // centre-aligned reference point of the text
};
MeterPaint MeterPaintFor(uint16_t range, uint16_t position, int width, int height, int heightOfX);
