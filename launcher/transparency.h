#pragma once
// Pictures drawn with one colour transparent, through a mask made from a key colour.
#include <windows.h>

// A bitmap compatible with dc and of the picture's size: white where the picture has
// the key colour, black elsewhere. nullptr on failure.
HBITMAP MakeTransparencyMask(HDC dc, HBITMAP picture, COLORREF keyColour);

// Draws the picture at (x, y); with a mask, only where the mask is black. The picture's
// masked pixels are left black, which later draws with the same mask rely on.
void DrawTransparent(HDC dc, int x, int y, HBITMAP picture, HBITMAP mask);

// Width and height of a bitmap; false when it is not one.
bool BitmapSize(HBITMAP bitmap, int& width, int& height);
