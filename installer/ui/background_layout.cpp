#include "installer/ui/background_layout.h"

#include "installer/core/code_page.h"

#include <algorithm>

namespace {
uint8_t Channel(uint8_t c1, uint8_t c2, unsigned i, unsigned n) {
    if (c1 >= c2) return static_cast<uint8_t>(c1 - static_cast<unsigned>(c1 - c2) * i / n);
    return static_cast<uint8_t>(c1 + static_cast<unsigned>(c2 - c1) * i / n);
}

void Add(std::vector<Fill>& fills, Box box, Rgb colour) {
    if (!box.IsEmpty()) fills.push_back({box, colour});
}

void Shrink(Box& box, int by) {
    box.left += by;
    box.top += by;
    box.right -= by;
    box.bottom -= by;
}

void Grow(Box& box, int by) { Shrink(box, -by); }
}  // namespace

Rgb GradientStep(Rgb top, Rgb bottom, unsigned i, unsigned n) {
    if (n == 0) return top;
    return {Channel(top.r, bottom.r, i, n), Channel(top.g, bottom.g, i, n), Channel(top.b, bottom.b, i, n)};
}

std::vector<Rgb> GradientSteps(Rgb top, Rgb bottom, int n) {
    std::vector<Rgb> steps;
    if (n <= 0 || n > 0xFFFF) return steps;   // a logical palette counts its entries in 16 bits
    steps.reserve(n);
    for (int i = 0; i < n; ++i) steps.push_back(GradientStep(top, bottom, i, n));
    return steps;
}

std::vector<GradientBand> GradientBands(int height, int steps) {
    std::vector<GradientBand> bands;
    if (height <= 0) return bands;
    // A step count that gives no palette paints every band with index 0.
    uint32_t n = (steps > 0 && steps <= 0xFFFF) ? static_cast<uint32_t>(steps) : 0;
    uint64_t sum = 0;   // offset x steps, without wrapping on very tall windows
    for (int offset = 0; offset < height; offset += 4) {
        bands.push_back({offset, static_cast<uint16_t>(sum / static_cast<uint64_t>(height))});
        sum += 4 * n;
    }
    return bands;
}

BevelColours DeriveBevelColours(Rgb top, Rgb bottom) {
    auto face = [](uint8_t a, uint8_t b) { return static_cast<uint8_t>((a + b) / 2); };
    BevelColours c;
    c.face = {face(top.r, bottom.r), face(top.g, bottom.g), face(top.b, bottom.b)};
    c.shadow = {static_cast<uint8_t>(c.face.r / 2), static_cast<uint8_t>(c.face.g / 2), static_cast<uint8_t>(c.face.b / 2)};
    auto light = [](uint8_t f) { return static_cast<uint8_t>(std::min(2 * f, 255)); };
    c.light = {light(c.face.r), light(c.face.g), light(c.face.b)};
    return c;
}

void DrawEdgeLines(std::vector<Fill>& fills, Box& box, Rgb left, Rgb top, Rgb right, Rgb bottom, int count) {
    for (int i = 0; i < count; ++i) {
        Add(fills, {box.left, box.top, box.right, box.top + 1}, top);
        Add(fills, {box.left, box.top, box.left + 1, box.bottom}, left);
        Add(fills, {box.left, box.bottom - 1, box.right, box.bottom}, bottom);
        Add(fills, {box.right - 1, box.top, box.right, box.bottom}, right);
        Shrink(box, 1);
    }
}

std::vector<Fill> PanelFills(Box box, const BevelColours& c) {
    std::vector<Fill> fills;
    Add(fills, box, c.face);
    DrawEdgeLines(fills, box, c.shadow, c.shadow, c.shadow, c.shadow, 1);
    DrawEdgeLines(fills, box, c.light, c.light, c.shadow, c.shadow, 1);
    Shrink(box, 2);
    DrawEdgeLines(fills, box, c.light, c.light, c.shadow, c.shadow, 1);
    DrawEdgeLines(fills, box, c.shadow, c.shadow, c.light, c.light, 1);
    return fills;
}

std::vector<Fill> WindowFrameFills(Box box, const BevelColours& c) {
    std::vector<Fill> fills;
    DrawEdgeLines(fills, box, c.light, c.light, c.shadow, c.shadow, 2);
    DrawEdgeLines(fills, box, c.face, c.face, c.face, c.face, 6);
    DrawEdgeLines(fills, box, c.shadow, c.shadow, c.light, c.light, 1);
    return fills;
}

int FontHeightFor(int clientHeight, int64_t divisor) {
    if (divisor > 0) return static_cast<int>(clientHeight / divisor);
    return divisor < INT32_MIN ? INT32_MIN : static_cast<int>(divisor);
}

Origin BackgroundOrigin(int clientWidth, int clientHeight) {
    return {static_cast<int>(clientWidth * 0.05), static_cast<int>(clientHeight * 0.06)};
}

std::vector<NamePiece> SplitAtTrademarks(const std::string& name) {
    std::vector<NamePiece> pieces;
    size_t start = 0;
    for (;;) {
        // "@" is also the trail byte of double-byte characters (the ideographic space of 932).
        int found = FindChar(name.c_str(), static_cast<int>(name.size()), '@', static_cast<int>(start));
        size_t at = found < 0 ? std::string::npos : static_cast<size_t>(found);
        std::string piece = name.substr(start, at == std::string::npos ? std::string::npos : at - start);
        if (!piece.empty()) pieces.push_back({piece, false});
        if (at == std::string::npos) break;
        pieces.push_back({kTrademarkText, true});
        start = at + 1;
    }
    return pieces;
}

Box AppNamePanel(Origin origin, int textWidth, int textHeight, int shadowDx, int shadowDy) {
    Box box{origin.x, origin.y, origin.x + shadowDx + 24 + textWidth, origin.y + shadowDy + textHeight};
    Grow(box, 10);
    return box;
}

LogoAreaLayout LayOutLogoArea(const LogoAreaInput& in) {
    LogoAreaLayout out;
    Origin origin = BackgroundOrigin(in.clientWidth, in.clientHeight);
    int margin = origin.y;
    int bottom = in.clientHeight - margin;

    Box box;
    out.drawPicture = in.showPicture && in.hasPicture;
    if (out.drawPicture) box = {0, 0, in.pictureWidth + in.pictureWidth / 4, in.pictureHeight};
    if (in.showText) {
        box.right += in.textWidth + in.shadowDx + 24;
        box.bottom = std::max(box.bottom, in.textHeight + in.shadowDy);
    }
    if (!box.IsEmpty()) {
        out.hasPanel = true;
        out.panel = {origin.x, bottom - box.Height(), origin.x + box.Width(), bottom};
        Grow(out.panel, 10);
    }

    out.pictureX = origin.x;
    out.pictureY = bottom - in.pictureHeight;
    out.textX = out.drawPicture ? origin.x + in.pictureWidth + in.pictureWidth / 4 : origin.x;
    out.textY = in.clientHeight - in.textHeight - in.shadowDy - margin;
    return out;
}

std::vector<Box> PictureTiles(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    std::vector<Box> tiles;
    if (pictureWidth <= 0 || pictureHeight <= 0) return tiles;
    for (int y = 0; y < clientHeight; y += pictureHeight)
        for (int x = 0; x < clientWidth; x += pictureWidth) tiles.push_back({x, y, x + pictureWidth, y + pictureHeight});
    return tiles;
}
