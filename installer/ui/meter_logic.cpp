#include "installer/ui/meter_logic.h"

#include <climits>
#include <cstdio>

int MulDivRounded(int a, int b, int c) {
    if (c == 0) return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    bool negative = (product < 0) != (c < 0);
    int64_t magnitude = product < 0 ? -product : product;
    int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
    int64_t result = (magnitude + divisor / 2) / divisor;   // half away from zero
    if (negative) result = -result;
    if (result > INT_MAX || result < INT_MIN) return -1;
    return static_cast<int>(result);
}

uint16_t MeterRangeFor(uintptr_t wParam) {
    return wParam == 0 ? 100 : static_cast<uint16_t>(wParam);
}

uint16_t MeterPositionFor(uintptr_t wParam, uint16_t range) {
    return wParam > range ? range : static_cast<uint16_t>(wParam);
}

MeterPaint MeterPaintFor(uint16_t range, uint16_t position, int width, int height, int heightOfX) {
    int r = range, p = position;
    if (r == 0) { p = 0; r = 1; }
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", MulDivRounded(p, 100, r));
    return {MulDivRounded(width, p, r), text, width / 2, (height - heightOfX) / 2};
}
