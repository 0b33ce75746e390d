#pragma once
// Picture files (any format the OLE picture decoder reads) turned into bitmaps at the
// display's resolution: device-dependent for items, a packed DIB for the background.
#include "launcher/menu_picture.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// nullptr when the file cannot be opened, read or decoded.
HBITMAP LoadItemPicture(const std::string& fileName);
std::unique_ptr<CDibPicture> LoadBackgroundPicture(const std::string& fileName);

// The screen's current palette, or nullptr when the display has none.
HPALETTE SystemPaletteCopy();
// The bitmap as header, colour table and pixels in one block; empty on failure.
std::vector<BYTE> BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette);
