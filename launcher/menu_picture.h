#pragma once
// A device-independent bitmap held packed (header, colour table, pixel rows in one
// block) with the name of the file it came from: the menu's background.
#include <windows.h>

#include <string>
#include <vector>

class CDibPicture {
public:
    CDibPicture();   // a 16 by 16 grey placeholder until a bitmap is attached
    // Takes a packed bitmap; false (keeping the current one) when the block is inconsistent.
    bool Attach(std::vector<BYTE> packedDib, const std::string& fileName);
    int Width() const { return Header().biWidth; }
    int Height() const;
    int BitCount() const { return Header().biBitCount; }
    unsigned ColourCount() const;
    const std::string& FileName() const { return fileName_; }
    bool Draw(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
              DWORD rop) const;
private:
    const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(dib_.data()); }
    std::vector<BYTE> dib_;
    std::string fileName_;
};

// Colours in a packed bitmap's table: colours-used, else 2, 16 or 256 for 1, 4 or 8 bits.
unsigned DibColourCount(const BITMAPINFOHEADER& header);
// Bytes of the pixel rows of an uncompressed bitmap (rows padded to 4 bytes); 0 when too large.
size_t DibImageBytes(long width, long height, unsigned bitCount);
