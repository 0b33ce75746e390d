#include "launcher/menu_item.h"

#include "installer/core/code_page.h"

#include "launcher/picture_loader.h"
#include "launcher/profile_file.h"
#include "launcher/transparency.h"

#include <shellapi.h>

#include <algorithm>

MenuState g_menu;
ShellOpenFunction g_shellOpen = ShellExecuteA;

namespace {
ItemState StateOf(const MenuItem* item) {
    ItemState state;
    state.hot = item == g_menu.hotItem;
    state.pressed = g_menu.pressed;
    state.captured = g_menu.capturedItem != nullptr;
    return state;
}

std::string DirectoryOf(const std::string& path) {
    return path.substr(0, static_cast<size_t>(LastSeparator(path.c_str()) + 1));
}
}  // namespace

bool MenuItem::HitTest(int x, int y) const {
    return pictureRect.Contains(x, y) || textRect.Contains(x, y);
}

void MenuItem::Execute(HWND window) {
    switch (settings.action) {
    case ActionExit:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case ActionExecuteFile: {
        std::string directory = launcherDirectory + settings.path;
        const char* parameters = settings.exeParameter.empty() ? nullptr : settings.exeParameter.c_str();
        g_shellOpen(window, "open", settings.exe.c_str(), parameters, directory.c_str(), SW_SHOW);
        break;
    }
    case ActionProgramManager:
        g_shellOpen(window, "open", settings.targetPath.c_str(), nullptr, nullptr, SW_SHOW);
        break;
    default:
        break;
    }
}

ItemSize MenuItem::GetSize() const {
    return ItemSize{std::max(textRect.Width(), pictureRect.Width()),
                    std::max(textRect.Height(), pictureRect.Height())};
}

void MenuItem::PlaceAtFixedPosition() {
    ItemSize size = GetSize();
    Layout(MovedTo(SizedRect(size.width, size.height), settings.xStart, settings.yStart));
}

COLORREF MenuItem::TextColour() const {
    return ItemTextColour(g_menu.settings, StateOf(this));
}

void MenuItem::ReadSection(const std::string& section, const std::string& iniPath) {
    launcherDirectory = DirectoryOf(iniPath);
    ReadItemKeys(ProfileFile(iniPath), section, launcherDirectory, false, settings);
}

void MenuItem::MeasureText() {
    textRect = Rect{};
    if (text.empty()) return;
    // Italic glyphs lean past their advance: one more space keeps them inside.
    std::string measured = g_menu.settings.fontItalic ? text + " " : text;
    HWND window = GetActiveWindow();
    WindowDc dc(window);
    if (!dc.get()) return;
    SelectedObject font(dc.get(), g_menu.font);
    SIZE extent = {};
    if (GetTextExtentPoint32A(dc.get(), measured.c_str(), static_cast<int>(measured.size()), &extent))
        textRect = SizedRect(extent.cx, extent.cy);
}

void MenuItem::DrawItemText(HDC dc, TextAlignment alignment) const {
    if (text.empty()) return;
    SetTextColor(dc, TextColour());
    SetBkMode(dc, TRANSPARENT);
    SelectedObject font(dc, g_menu.font);
    UINT align = DT_LEFT;
    switch (alignment) {
    case AlignCentre: align = DT_CENTER; break;
    case AlignRight: align = DT_RIGHT; break;
    case AlignLeft: break;
    }
    RECT r = {textRect.left, textRect.top, textRect.right, textRect.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, align);
}

void TextItem::Layout(const Rect& box) {
    LayoutText(box, g_menu.settings.itemFormat, textRect);
}

void TextItem::ReadSection(const std::string& section, const std::string& iniPath) {
    MenuItem::ReadSection(section, iniPath);
    MeasureText();
}

void PictureItem::ReadSection(const std::string& section, const std::string& iniPath) {
    launcherDirectory = DirectoryOf(iniPath);
    ReadItemKeys(ProfileFile(iniPath), section, launcherDirectory, true, settings);
}

void PictureItem::LoadPictures() {
    if (loaded_) return;
    loaded_ = true;
    if (!settings.pictureUp.empty()) up_.reset(LoadItemPicture(settings.pictureUp));
    if (!settings.pictureDown.empty()) down_.reset(LoadItemPicture(settings.pictureDown));
    if (!settings.pictureSel.empty()) sel_.reset(LoadItemPicture(settings.pictureSel));
    int width = 0, height = 0;
    if (!BitmapSize(UpPicture(), width, height)) {
        pictureRect = Rect{};
        return;
    }
    if (g_menu.settings.transparentPicture) {
        WindowDc screen(nullptr);
        mask_.reset(MakeTransparencyMask(screen.get(), UpPicture(), g_menu.settings.transparentColor));
    }
    pictureRect = SizedRect(width, height);
}

HBITMAP PictureItem::CurrentPicture() const {
    switch (CurrentPictureChoice(StateOf(this), up_.valid(), down_.valid(), sel_.valid())) {
    case PictureUp: return UpPicture();
    case PictureDown: return static_cast<HBITMAP>(down_.get());
    case PictureSel: return static_cast<HBITMAP>(sel_.get());
    case PictureNone: break;
    }
    return nullptr;
}

void PictureItem::Draw(HDC dc) {
    if (HBITMAP picture = CurrentPicture()) DrawTransparent(dc, pictureRect.left, pictureRect.top, picture, Mask());
}

void PictureItem::Layout(const Rect& box) {
    LayoutPicture(box, g_menu.settings.itemFormat, pictureRect);
}

void PictureTextItem::LoadPictures() {
    if (!measured_) {
        measured_ = true;
        MeasureText();
    }
    PictureItem::LoadPictures();
}

void PictureTextItem::Layout(const Rect& box) {
    LayoutPictureAndText(box, g_menu.settings.itemFormat, pictureRect, textRect);
}

void PictureTextItem::Draw(HDC dc) {
    PictureItem::Draw(dc);
    DrawItemText(dc, TextAlignmentBesidePicture(g_menu.settings.itemFormat));
}

std::unique_ptr<MenuItem> CreateMenuItem(int itemType) {
    switch (itemType) {
    case 0: return std::make_unique<TextItem>();
    case 1: return std::make_unique<PictureItem>();
    case 2: return std::make_unique<PictureTextItem>();
    default: return nullptr;
    }
}
