#pragma once
// The background window's arithmetic: gradient steps and bands, the bevel colours,
// the edge lines of panels and of the window frame, and where the texts and the
// logo stand. Values in, values out; the window only paints what this decides.
#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// A colour as the script's settings pack it: red in the low byte.
inline Rgb RgbOf(unsigned colour) {
    return Rgb{static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
               static_cast<uint8_t>((colour >> 16) & 0xFF)};
}

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const Box& o) const { return left == o.left && top == o.top && right == o.right && bottom == o.bottom; }
};

// Entry i of n gradient steps from top to bottom; entry 0 is the top colour and
// the bottom colour itself is never reached.
Rgb GradientStep(Rgb top, Rgb bottom, unsigned i, unsigned n);
// The steps of the gradient palette; empty when n is not a usable palette size.
std::vector<Rgb> GradientSteps(Rgb top, Rgb bottom, int n);

// One 4-pixel band of the gradient: its offset from the top and its palette index.
struct GradientBand {
    int offset;
    uint16_t index;
};
std::vector<GradientBand> GradientBands(int height, int steps);

struct BevelColours {
    Rgb face, shadow, light;
};
BevelColours DeriveBevelColours(Rgb top, Rgb bottom);

// A rectangle to fill with one colour; painting them in order gives the picture.
struct Fill {
    Box box;
    Rgb colour;
};
// Count rounds of one-pixel top, left, bottom and right lines, shrinking by one each round.
void DrawEdgeLines(std::vector<Fill>& fills, Box& box, Rgb left, Rgb top, Rgb right, Rgb bottom, int count);
// Shadow outline, raised edge, 2 pixels of face, raised edge, sunken edge, face.
std::vector<Fill> PanelFills(Box box, const BevelColours& bevel);
// Two raised lines, six of face, one sunken: nine pixels inside the box's edge.
std::vector<Fill> WindowFrameFills(Box box, const BevelColours& bevel);

// Height given to a font for a client height and a divisor from the script: the client
// height divided by a positive divisor, otherwise the divisor itself (a negative one is a
// character height). The divisor may be three times the script's value, so it is wide.
int FontHeightFor(int clientHeight, int64_t divisor);

// Top-left of the application-name line; m, the logo's margin from the bottom, equals y.
struct Origin {
    int x, y;
};
Origin BackgroundOrigin(int clientWidth, int clientHeight);

// The application name cut at each "@": the plain pieces and the trademark marks between them.
struct NamePiece {
    std::string text;
    bool trademark;
};
std::vector<NamePiece> SplitAtTrademarks(const std::string& name);
constexpr const char* kTrademarkText = "TM  ";

// The panel behind the application-name line from the measured widths of its pieces.
Box AppNamePanel(Origin origin, int textWidth, int textHeight, int shadowDx, int shadowDy);

// Where the logo picture, its text and the panel behind them stand.
struct LogoAreaInput {
    int clientWidth = 0, clientHeight = 0;
    bool showPicture = false, hasPicture = false;
    int pictureWidth = 0, pictureHeight = 0;
    bool showText = false;
    int textWidth = 0, textHeight = 0;
    int shadowDx = 0, shadowDy = 0;
};
struct LogoAreaLayout {
    bool hasPanel = false;
    Box panel;
    bool drawPicture = false;
    int pictureX = 0, pictureY = 0;
    int textX = 0, textY = 0;
};
LogoAreaLayout LayOutLogoArea(const LogoAreaInput& in);

// Picture tiles from the top-left, row by row, until the client area is covered.
std::vector<Box> PictureTiles(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight);
