#include "installer/ui/dib_picture.h"

#include <vector>
#include "installer/core/file_position.h"
#include "installer/core/handles.h"

namespace {
class FileDibSource : public DibSource {
public:
    explicit FileDibSource(HANDLE file) : file_(file) {}
    uint64_t Size() const override {
        uint64_t size = 0;
        return FileSizeOf(file_, size) ? size : 0;
    }
    bool ReadAt(uint64_t offset, void* destination, uint32_t count) override {
        if (!SeekFile(file_, offset)) return false;
        auto* out = static_cast<uint8_t*>(destination);
        while (count > 0) {
            DWORD got = 0;
            if (!ReadFile(file_, out, count, &got, nullptr) || got == 0) return false;
            out += got;
            count -= got;
        }
        return true;
    }
private:
    HANDLE file_;
};

class WaitCursor {
public:
    WaitCursor() { SetCursor(LoadCursor(nullptr, IDC_WAIT)); }
    ~WaitCursor() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }
};
}  // namespace

bool ReadDibFile(const char* path, DibBlock& block) {
    block = DibBlock();
    if (!path || !*path) return false;
    FileHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    FileDibSource source(file.get());
    return ReadDib(source, block);
}

HPALETTE CreateDibPalette(const DibBlock& block) {
    uint32_t count = block.layout.colourCount;
    if (!block.bytes || count == 0) return nullptr;
    std::vector<uint8_t> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    const uint8_t* table = block.ColourTable();
    for (uint32_t i = 0; i < count; ++i) {
        palette->palPalEntry[i].peRed = table[4 * i + 2];
        palette->palPalEntry[i].peGreen = table[4 * i + 1];
        palette->palPalEntry[i].peBlue = table[4 * i];
        palette->palPalEntry[i].peFlags = 0;
    }
    return CreatePalette(palette);
}

HBITMAP CreateBitmapFromDib(const DibBlock& block, HPALETTE palette) {
    if (!block.bytes) return nullptr;
    WindowDc screen(nullptr);
    if (!screen.get()) return nullptr;
    HPALETTE previous = nullptr;
    if (palette) {
        previous = SelectPalette(screen.get(), palette, FALSE);
        RealizePalette(screen.get());
    }
    const auto* info = reinterpret_cast<const BITMAPINFO*>(block.bytes.get());
    HBITMAP bitmap = CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, block.Pixels(), info, DIB_RGB_COLORS);
    if (previous) SelectPalette(screen.get(), previous, FALSE);
    return bitmap;
}

HBITMAP LoadPictureFile(const char* path, HPALETTE* palette) {
    if (palette) *palette = nullptr;
    WaitCursor wait;
    DibBlock block;
    if (!ReadDibFile(path, block)) return nullptr;
    HPALETTE made = CreateDibPalette(block);
    HBITMAP bitmap = CreateBitmapFromDib(block, made);
    if (palette) *palette = made;
    else if (made) DeleteObject(made);
    return bitmap;
}
