#include "launcher/menu_layout.h"

#include <climits>

namespace {
// Settings come from a user's file: compute wide and bring results back into range.
int Clamped(long long v) {
    if (v < INT_MIN) return INT_MIN;
    if (v > INT_MAX) return INT_MAX;
    return static_cast<int>(v);
}
}  // namespace

int Rect::Width() const { return Clamped(static_cast<long long>(right) - left); }
int Rect::Height() const { return Clamped(static_cast<long long>(bottom) - top); }

Rect SizedRect(int width, int height) {
    if (width <= 0 || height <= 0) return Rect{};
    return Rect{0, 0, width, height};
}

Rect MovedTo(const Rect& r, int x, int y) {
    return Rect{x, y, Clamped(static_cast<long long>(x) + r.Width()), Clamped(static_cast<long long>(y) + r.Height())};
}

int ContentLeft(int itemFormat, const Rect& box, int width) {
    long long left = box.left, right = box.right;
    if (itemFormat == 0) return box.left;
    if (itemFormat == 1) return Clamped(left + (right - left - width) / 2);
    return Clamped(right - width);
}

int CentredTop(const Rect& box, int height) {
    return Clamped(box.top + (static_cast<long long>(box.Height()) - height) / 2);
}

std::vector<Rect> ColumnBoxes(const std::vector<int>& heights, const MenuSettings& settings) {
    long long sum = 0;
    for (int h : heights) sum += h;
    long long n = static_cast<long long>(heights.size());
    long long gap = n > 2 ? (static_cast<long long>(settings.yEnd) - settings.yStart - sum) / (n - 1) : 0;
    std::vector<Rect> boxes;
    long long y = settings.yStart;
    for (int h : heights) {
        boxes.push_back(Rect{settings.xStart, Clamped(y), settings.xEnd, Clamped(y + h)});
        y += h + gap;
    }
    return boxes;
}

void LayoutText(const Rect& box, int itemFormat, Rect& text) {
    if (box.Empty()) return;
    text = MovedTo(text, ContentLeft(itemFormat, box, text.Width()), CentredTop(box, text.Height()));
}

void LayoutPicture(const Rect& box, int itemFormat, Rect& picture) {
    LayoutText(box, itemFormat, picture);
}

void LayoutPictureAndText(const Rect& box, int itemFormat, Rect& picture, Rect& text) {
    if (box.Empty()) return;
    int x = ContentLeft(itemFormat, box, Clamped(static_cast<long long>(picture.Width()) + text.Width()));
    picture = MovedTo(picture, x, CentredTop(box, picture.Height()));
    text = MovedTo(text, picture.right, CentredTop(box, text.Height()));
}

TextAlignment TextAlignmentOf(int itemFormat) {
    if (itemFormat == 1) return AlignCentre;
    if (itemFormat == 2) return AlignRight;
    return AlignLeft;
}

TextAlignment TextAlignmentBesidePicture(int itemFormat) {
    return itemFormat == 1 ? AlignCentre : AlignLeft;
}

int NextHotIndex(int hot, int count) {
    if (count <= 0) return hot;
    if (hot < 0 || hot >= count) return 0;
    return hot + 1 == count ? 0 : hot + 1;
}

int PreviousHotIndex(int hot, int count) {
    if (count <= 0) return hot;
    if (hot < 0 || hot >= count) return 0;
    return hot == 0 ? count - 1 : hot - 1;
}

unsigned ItemTextColour(const MenuSettings& settings, const ItemState& state) {
    if (!state.hot) return settings.textColor;
    return state.pressed ? settings.textColorDown : settings.textColorSel;
}

PictureChoice CurrentPictureChoice(const ItemState& state, bool hasUp, bool hasDown, bool hasSel) {
    if (!hasUp) return PictureNone;
    if (!state.hot) return PictureUp;
    if (state.pressed) return hasDown ? PictureDown : hasSel ? PictureSel : PictureUp;
    // Pressed on this item but the pointer is off it: the item shows its resting picture.
    if (state.captured && !hasDown) return PictureUp;
    return hasSel ? PictureSel : PictureUp;
}
