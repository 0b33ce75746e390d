#include "launcher/main_frame.h"

#include "launcher/picture_loader.h"
#include "launcher/setup_inf.h"

#include <windowsx.h>

const char kMenuWindowClass[] = "Lantrel";

namespace {
bool RegisterMenuClass(HINSTANCE instance) {
    WNDCLASSA existing = {};
    if (GetClassInfoA(instance, kMenuWindowClass, &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CMainFrame::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = kMenuWindowClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void DeleteItemFont() {
    if (g_menu.font) DeleteObject(g_menu.font);
    g_menu.font = nullptr;
}
}  // namespace

CMainFrame::CMainFrame(const std::string& launcherDirectory)
    : iniPath_(SetupInfPath(launcherDirectory)), directory_(launcherDirectory) {}

CMainFrame::~CMainFrame() {
    if (window_) DestroyWindow(window_);
}

bool CMainFrame::Create() {
    DeleteItemFont();
    g_menu = MenuState{};
    ReadMenuSettings(iniPath_, g_menu.settings);
    if (g_menu.settings.bkPicture.empty()) return false;
    background_ = LoadBackgroundPicture(g_menu.settings.bkPicture);
    if (!background_) return false;

    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterMenuClass(instance)) return false;
    int width = background_->Width(), height = background_->Height();
    int x = (GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2;
    HWND window = CreateWindowExA(0, kMenuWindowClass, "", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, width, height,
                                  nullptr, nullptr, instance, this);
    if (!window) return false;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

LRESULT CALLBACK CMainFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = reinterpret_cast<CMainFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        frame = static_cast<CMainFrame*>(create->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
        return frame->OnCreate(window, create);
    }
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_DESTROY: frame->OnDestroy(); return 0;
    case WM_KEYDOWN: return 0;
    case WM_KEYUP: frame->OnKeyUp(wParam); return 0;
    case WM_MOUSEMOVE: frame->OnMouseMove(x, y); return 0;
    case WM_LBUTTONDOWN: frame->OnLButtonDown(x, y); return 0;
    case WM_LBUTTONUP: frame->OnLButtonUp(x, y); return 0;
    case WM_CAPTURECHANGED: frame->OnCaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
    case WM_PAINT: frame->OnPaint(); return 0;
    case WM_ERASEBKGND: return TRUE;   // the paint covers every pixel
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CMainFrame::OnCreate(HWND window, CREATESTRUCTA* create) {
    if (DefWindowProcA(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(create)) == -1) return -1;
    window_ = window;
    BuildItems();
    return 0;
}

void CMainFrame::OnDestroy() {
    items_.clear();
    g_menu.hotItem = nullptr;
    g_menu.capturedItem = nullptr;
    g_menu.pressed = false;
    DeleteItemFont();
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    PostQuitMessage(0);
}

void CMainFrame::BuildItems() {
    ItemList list = ReadItemList(iniPath_);
    keys_ = list.keys;
    texts_ = list.texts;
    const MenuSettings& s = g_menu.settings;
    DeleteItemFont();
    if (!s.fontFace.empty() && s.fontSize > 0)
        g_menu.font = CreateFontA(s.fontSize, 0, 0, 0, s.fontBold ? FW_BOLD : FW_NORMAL, s.fontItalic != 0,
                                  s.fontUnderline != 0, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  s.fontFace.c_str());
    for (size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == "EMPTYITEM") continue;
        std::unique_ptr<MenuItem> item = CreateMenuItem(s.itemType);
        if (!item) continue;
        item->text = texts_[i];
        ReadItemSection(*item, keys_[i], iniPath_);
        item->Prepare();
        items_.push_back(std::move(item));
    }
    PlaceItems();
}

void CMainFrame::PlaceItems() {
    if (g_menu.settings.fixedPosition) {
        for (auto& item : items_) item->PlaceAtFixedPosition();
        return;
    }
    std::vector<int> heights;
    for (auto& item : items_) heights.push_back(item->GetSize().height);
    std::vector<Rect> boxes = ColumnBoxes(heights, g_menu.settings);
    for (size_t i = 0; i < items_.size(); ++i) items_[i]->Layout(boxes[i]);
}

MenuItem* CMainFrame::ItemAt(int x, int y) const {
    for (auto& item : items_)
        if (item->HitTest(x, y)) return item.get();
    return nullptr;
}

int CMainFrame::HotIndex() const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == g_menu.hotItem) return static_cast<int>(i);
    return -1;
}

void CMainFrame::Invalidate() const {
    InvalidateRect(window_, nullptr, FALSE);
}

void CMainFrame::OnMouseMove(int x, int y) {
    MenuItem* item = ItemAt(x, y);
    if (GetCapture() == window_) {
        bool pressed = item != nullptr && item == g_menu.hotItem;
        if (pressed != g_menu.pressed) {
            g_menu.pressed = pressed;
            Invalidate();
        }
        return;
    }
    if (item == g_menu.hotItem) return;
    g_menu.hotItem = item;
    if (!item) g_menu.capturedItem = nullptr;
    Invalidate();
}

void CMainFrame::OnLButtonDown(int x, int y) {
    MenuItem* item = ItemAt(x, y);
    if (GetCapture() == window_ || !item) return;
    SetCapture(window_);
    g_menu.pressed = true;
    g_menu.capturedItem = item;
    Invalidate();
}

void CMainFrame::OnLButtonUp(int x, int y) {
    g_menu.pressed = false;
    Invalidate();
    // Only a press that began on an item of this window can choose one.
    if (GetCapture() != window_) return;
    ReleaseCapture();
    g_menu.capturedItem = nullptr;
    MenuItem* item = ItemAt(x, y);
    if (item && item == g_menu.hotItem) {
        item->Execute(window_);
    } else {
        g_menu.hotItem = item;
        Invalidate();
    }
}

// Another window took the mouse before the button came up: the press is over and the
// button-up that would end it will not come here.
void CMainFrame::OnCaptureChanged(HWND newOwner) {
    if (newOwner == window_ || (!g_menu.pressed && !g_menu.capturedItem)) return;
    g_menu.pressed = false;
    g_menu.capturedItem = nullptr;
    Invalidate();
}

void CMainFrame::OnKeyUp(WPARAM key) {
    int count = static_cast<int>(items_.size());
    switch (key) {
    case VK_TAB:
    case VK_DOWN:
    case VK_UP:
        if (count == 0) return;
        g_menu.hotItem = items_[key == VK_UP ? PreviousHotIndex(HotIndex(), count)
                                             : NextHotIndex(HotIndex(), count)].get();
        Invalidate();
        break;
    case VK_RETURN:
        if (g_menu.hotItem) g_menu.hotItem->Execute(window_);
        break;
    case VK_ESCAPE:
        PostMessageA(window_, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void CMainFrame::PaintInto(HDC dc) {
    RECT client = {};
    GetClientRect(window_, &client);
    int width = client.right, height = client.bottom;
    MemoryDc memory(CreateCompatibleDC(dc));
    GdiObject canvas(CreateCompatibleBitmap(dc, width, height));
    if (!memory || !canvas) return;
    SelectedObject into(memory.get(), canvas.get());
    if (background_)
        background_->Draw(memory.get(), 0, 0, background_->Width(), background_->Height(), 0, 0,
                          background_->Width(), background_->Height(), SRCCOPY);
    for (auto& item : items_) item->Draw(memory.get());
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

void CMainFrame::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window_, &ps);
    if (dc) PaintInto(dc);
    EndPaint(window_, &ps);
}
