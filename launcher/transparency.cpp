#include "launcher/transparency.h"

#include "launcher/launcher_handles.h"

bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

HBITMAP MakeTransparencyMask(HDC dc, HBITMAP picture, COLORREF keyColour) {
    int w = 0, h = 0;
    if (!BitmapSize(picture, w, h)) return nullptr;
    GdiObject mono(CreateBitmap(w, h, 1, 1, nullptr));
    MemoryDc monoDc(CreateCompatibleDC(dc));
    MemoryDc colourDc(CreateCompatibleDC(dc));
    GdiObject mask(CreateCompatibleBitmap(dc, w, h));
    if (!mono || !monoDc || !colourDc || !mask) return nullptr;
    {
        SelectedObject monoIn(monoDc.get(), mono.get());
        PatBlt(monoDc.get(), 0, 0, w, h, WHITENESS);
        {
            // Colour to monochrome: pixels of the background colour become white.
            SelectedObject pictureIn(colourDc.get(), picture);
            SetBkColor(colourDc.get(), keyColour);
            SetBkMode(colourDc.get(), TRANSPARENT);
            BitBlt(monoDc.get(), 0, 0, w, h, colourDc.get(), 0, 0, SRCCOPY);
        }
        // Monochrome to colour: white bits take the background colour, black the text colour.
        SelectedObject maskIn(colourDc.get(), mask.get());
        SetBkColor(colourDc.get(), RGB(255, 255, 255));
        SetTextColor(colourDc.get(), RGB(0, 0, 0));
        SetBkMode(colourDc.get(), OPAQUE);
        BitBlt(colourDc.get(), 0, 0, w, h, monoDc.get(), 0, 0, SRCCOPY);
    }
    return static_cast<HBITMAP>(mask.release());
}

void DrawTransparent(HDC dc, int x, int y, HBITMAP picture, HBITMAP mask) {
    int w = 0, h = 0;
    if (!BitmapSize(picture, w, h)) return;
    MemoryDc pictureDc(CreateCompatibleDC(dc));
    if (!pictureDc) return;
    SelectedObject pictureIn(pictureDc.get(), picture);
    if (!mask) {
        BitBlt(dc, x, y, w, h, pictureDc.get(), 0, 0, SRCCOPY);
        return;
    }
    MemoryDc maskDc(CreateCompatibleDC(dc));
    if (!maskDc) return;
    SelectedObject maskIn(maskDc.get(), mask);
    BitBlt(dc, x, y, w, h, maskDc.get(), 0, 0, SRCAND);          // holes where the picture is opaque
    PatBlt(maskDc.get(), 0, 0, w, h, DSTINVERT);
    BitBlt(pictureDc.get(), 0, 0, w, h, maskDc.get(), 0, 0, SRCAND);  // key pixels of the picture go black
    PatBlt(maskDc.get(), 0, 0, w, h, DSTINVERT);
    BitBlt(dc, x, y, w, h, pictureDc.get(), 0, 0, SRCPAINT);
}
