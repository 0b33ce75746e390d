#include "launcher/picture_loader.h"

#include "launcher/launcher_handles.h"

#include <olectl.h>
#include <ocidl.h>

namespace {
// Larger files are no picture a menu shows; refusing them keeps memory bounded.
const DWORD kLargestPictureFile = 64u << 20;
const int kLargestPictureSide = 16384;

bool ReadWholeFile(const std::string& fileName, GlobalMemory& block, DWORD& size) {
    FileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    DWORD high = 0;
    size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE || high != 0 || size == 0 || size > kLargestPictureFile) return false;
    block.reset(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    void* bytes = GlobalLock(block.get());
    if (!bytes) return false;
    DWORD read = 0;
    BOOL ok = ReadFile(file.get(), bytes, size, &read, nullptr);
    GlobalUnlock(block.get());
    return ok && read == size;
}

bool DecodePicture(const std::string& fileName, ComPtr<IPicture>& picture) {
    GlobalMemory block;
    DWORD size = 0;
    if (!ReadWholeFile(fileName, block, size)) return false;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.put()))) return false;
    block.release();   // the stream frees it now
    return SUCCEEDED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                    picture.put_void())) && picture;
}

// A DC of the screen, or of the active window when the screen's cannot be had.
class ScreenDc {
public:
    ScreenDc() : wnd_(nullptr), dc_(GetDC(nullptr)) {
        if (!dc_) { wnd_ = GetActiveWindow(); dc_ = GetDC(wnd_); }
    }
    ~ScreenDc() { if (dc_) ReleaseDC(wnd_, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }
private:
    HWND wnd_;
    HDC dc_;
};

// Renders the picture upright on white into a bitmap compatible with the display.
HBITMAP RenderPicture(IPicture* picture) {
    OLE_XSIZE_HIMETRIC widthHm = 0;
    OLE_YSIZE_HIMETRIC heightHm = 0;
    if (FAILED(picture->get_Width(&widthHm)) || FAILED(picture->get_Height(&heightHm))) return nullptr;
    int width = 0, height = 0;
    {
        ScreenDc screen;
        if (!screen.get()) return nullptr;
        width = MulDiv(widthHm, GetDeviceCaps(screen.get(), LOGPIXELSX), 2540);
        height = MulDiv(heightHm, GetDeviceCaps(screen.get(), LOGPIXELSY), 2540);
    }
    if (width <= 0 || height <= 0 || width > kLargestPictureSide || height > kLargestPictureSide) return nullptr;

    OwnedWindow helper(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr));
    if (!helper) return nullptr;
    WindowDc helperDc(helper.get());
    MemoryDc memory(CreateCompatibleDC(helperDc.get()));
    GdiObject bitmap(CreateCompatibleBitmap(helperDc.get(), width, height));
    if (!helperDc.get() || !memory || !bitmap) return nullptr;
    {
        SelectedObject into(memory.get(), bitmap.get());
        PatBlt(memory.get(), 0, 0, width, height, WHITENESS);
        if (FAILED(picture->Render(memory.get(), 0, 0, width, height, 0, heightHm, widthHm, -heightHm, nullptr)))
            return nullptr;
    }
    return static_cast<HBITMAP>(bitmap.release());
}
}  // namespace

HBITMAP LoadItemPicture(const std::string& fileName) {
    ComPtr<IPicture> picture;
    if (!DecodePicture(fileName, picture)) return nullptr;
    return RenderPicture(picture.get());
}

std::unique_ptr<CDibPicture> LoadBackgroundPicture(const std::string& fileName) {
    GdiObject bitmap(LoadItemPicture(fileName));
    if (!bitmap) return nullptr;
    GdiObject palette(SystemPaletteCopy());
    std::vector<BYTE> packed =
        BitmapToPackedDib(static_cast<HBITMAP>(bitmap.get()), static_cast<HPALETTE>(palette.get()));
    if (packed.empty()) return nullptr;
    auto result = std::make_unique<CDibPicture>();
    if (!result->Attach(std::move(packed), fileName)) return nullptr;
    return result;
}

HPALETTE SystemPaletteCopy() {
    ScreenDc screen;
    if (!screen.get()) return nullptr;
    int entries = GetDeviceCaps(screen.get(), SIZEPALETTE);
    if (entries == 0) entries = GetDeviceCaps(screen.get(), NUMCOLORS);
    if (entries <= 0 || entries > 256) return nullptr;
    std::vector<BYTE> block(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY), 0);
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    GetSystemPaletteEntries(screen.get(), 0, entries, palette->palPalEntry);
    return CreatePalette(palette);
}

std::vector<BYTE> BitmapToPackedDib(HBITMAP bitmap, HPALETTE palette) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
    int bits = info.bmPlanes * info.bmBitsPixel;
    WORD depth = bits <= 1 ? 1 : bits <= 4 ? 4 : bits <= 8 ? 8 : 24;

    // Room for the largest table; GetDIBits fills in what the depth needs.
    const size_t tableRoom = 256 * sizeof(RGBQUAD);
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + tableRoom, 0);
    auto header = [&block] { return reinterpret_cast<BITMAPINFOHEADER*>(block.data()); };
    header()->biSize = sizeof(BITMAPINFOHEADER);
    header()->biWidth = info.bmWidth;
    header()->biHeight = info.bmHeight;
    header()->biPlanes = 1;
    header()->biBitCount = depth;
    header()->biCompression = BI_RGB;

    ScreenDc screen;
    if (!screen.get()) return {};
    HPALETTE use = palette ? palette : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    HPALETTE previous = SelectPalette(screen.get(), use, FALSE);
    RealizePalette(screen.get());
    std::vector<BYTE> result;
    if (GetDIBits(screen.get(), bitmap, 0, info.bmHeight, nullptr, reinterpret_cast<BITMAPINFO*>(block.data()),
                  DIB_RGB_COLORS)) {
        size_t image = header()->biSizeImage;
        size_t computed = DibImageBytes(info.bmWidth, info.bmHeight, depth);
        if (image < computed) image = computed;
        header()->biBitCount = depth;
        header()->biCompression = BI_RGB;
        std::vector<BYTE> pixels(image, 0);
        if (image != 0 && GetDIBits(screen.get(), bitmap, 0, info.bmHeight, pixels.data(),
                                    reinterpret_cast<BITMAPINFO*>(block.data()), DIB_RGB_COLORS) == info.bmHeight) {
            unsigned colours = DibColourCount(*header());
            if (colours <= 256) {
                block.resize(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
                header()->biSizeImage = static_cast<DWORD>(image);
                block.insert(block.end(), pixels.begin(), pixels.end());
                result = std::move(block);
            }
        }
    }
    if (previous) SelectPalette(screen.get(), previous, FALSE);
    return result;
}
