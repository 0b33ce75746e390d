#include "launcher/menu_picture.h"

#include <cstdlib>

unsigned DibColourCount(const BITMAPINFOHEADER& header) {
    if (header.biClrUsed != 0) return header.biClrUsed;
    switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

size_t DibImageBytes(long width, long height, unsigned bitCount) {
    unsigned long long w = static_cast<unsigned long long>(std::labs(width));
    unsigned long long h = static_cast<unsigned long long>(std::labs(height));
    unsigned long long bytes = (bitCount * w + 31) / 32 * 4 * h;
    const unsigned long long limit = 1ull << 30;   // far beyond any medium's picture
    return bytes > limit ? 0 : static_cast<size_t>(bytes);
}

CDibPicture::CDibPicture() {
    const int side = 16;
    std::vector<BYTE> dib(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) + side * side, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = side;
    header->biHeight = side;
    header->biPlanes = 1;
    header->biBitCount = 8;
    header->biCompression = BI_RGB;
    auto* table = reinterpret_cast<RGBQUAD*>(dib.data() + sizeof(BITMAPINFOHEADER));
    for (int i = 0; i < 256; ++i) table[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    dib_ = std::move(dib);
}

bool CDibPicture::Attach(std::vector<BYTE> packedDib, const std::string& fileName) {
    if (packedDib.size() < sizeof(BITMAPINFOHEADER)) return false;
    const auto& header = *reinterpret_cast<const BITMAPINFOHEADER*>(packedDib.data());
    unsigned colours = DibColourCount(header);
    size_t image = DibImageBytes(header.biWidth, header.biHeight, header.biBitCount);
    if (header.biSize != sizeof(BITMAPINFOHEADER) || colours > 256 || image == 0 ||
        packedDib.size() < sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD) + image)
        return false;
    dib_ = std::move(packedDib);
    fileName_ = fileName;
    return true;
}

int CDibPicture::Height() const { return std::abs(static_cast<int>(Header().biHeight)); }

unsigned CDibPicture::ColourCount() const { return DibColourCount(Header()); }

bool CDibPicture::Draw(HDC dc, int x, int y, int width, int height, int srcX, int srcY, int srcWidth,
                       int srcHeight, DWORD rop) const {
    const BYTE* bits = dib_.data() + sizeof(BITMAPINFOHEADER) + ColourCount() * sizeof(RGBQUAD);
    return StretchDIBits(dc, x, y, width, height, srcX, srcY, srcWidth, srcHeight, bits,
                         reinterpret_cast<const BITMAPINFO*>(dib_.data()), DIB_RGB_COLORS, rop) != 0;
}
