#pragma once
// Picture files of the background window: read, given a palette, made device-dependent.
#include <windows.h>
#include "installer/ui/dib_reader.h"

// Reads a ".bmp" file; false when it is missing, unreadable or does not add up.
bool ReadDibFile(const char* path, DibBlock& block);
// A palette of the picture's colour table; null when it has none.
HPALETTE CreateDibPalette(const DibBlock& block);
// A bitmap compatible with the screen, made with the palette (when given) realized.
HBITMAP CreateBitmapFromDib(const DibBlock& block, HPALETTE palette);
// The whole load: wait cursor, read, palette, bitmap. The palette is handed to the
// caller through *palette (null when the picture has none); null bitmap on failure.
HBITMAP LoadPictureFile(const char* path, HPALETTE* palette);
