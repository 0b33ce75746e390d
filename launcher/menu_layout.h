#pragma once
// The menu's arithmetic: item boxes in the menu column, content placement in a box,
// hit testing, keyboard movement and the colour and picture an item shows. Pure.
#include "launcher/menu_config.h"

#include <vector>

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const;
    int Height() const;
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// (0, 0, width, height), or an empty rectangle when either is 0 or less.
Rect SizedRect(int width, int height);
// The same rectangle with its top-left corner at (x, y).
Rect MovedTo(const Rect& r, int x, int y);

// Left edge of content `width` wide in the box: 0 left, 1 centred, anything else right.
int ContentLeft(int itemFormat, const Rect& box, int width);
// Top of content `height` high, centred in the box (truncating toward zero).
int CentredTop(const Rect& box, int height);

// The boxes of a column of items with these heights in the menu box; the gap between
// items spreads the free height and may be negative.
std::vector<Rect> ColumnBoxes(const std::vector<int>& heights, const MenuSettings& settings);

// Placement of an item's rectangles in its box; an empty box leaves them as they are.
void LayoutText(const Rect& box, int itemFormat, Rect& text);
void LayoutPicture(const Rect& box, int itemFormat, Rect& picture);
void LayoutPictureAndText(const Rect& box, int itemFormat, Rect& picture, Rect& text);

enum TextAlignment { AlignLeft, AlignCentre, AlignRight };
TextAlignment TextAlignmentOf(int itemFormat);
// The text beside an item's picture: centred for ItemFormat 1, left for every other format.
TextAlignment TextAlignmentBesidePicture(int itemFormat);

// Keyboard movement of the hot item; -1 is none. Tab and Down go forward.
int NextHotIndex(int hot, int count);
int PreviousHotIndex(int hot, int count);

struct ItemState {
    bool hot = false;        // the item is the hot item
    bool pressed = false;    // the button is held on the hot item
    bool captured = false;   // some item holds the mouse capture
};
unsigned ItemTextColour(const MenuSettings& settings, const ItemState& state);

enum PictureChoice { PictureNone, PictureUp, PictureDown, PictureSel };
// An item without its Up picture shows none in any state: it has no area to draw in.
PictureChoice CurrentPictureChoice(const ItemState& state, bool hasUp, bool hasDown, bool hasSel);
