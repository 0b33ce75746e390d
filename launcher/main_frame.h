#pragma once
// The menu window: a borderless picture the size of the background, its items in a
// column or at fixed places, reacting to the mouse and to keys on release.
#include "launcher/menu_picture.h"
#include "launcher/menu_item.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CMainFrame {
public:
    explicit CMainFrame(const std::string& launcherDirectory);
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Reads the menu settings, loads the background and shows the window; false
    // (and no window) when there is no background picture.
    bool Create();
    HWND Window() const { return window_; }

    // Composes the whole client area off screen and copies it to dc in one go.
    void PaintInto(HDC dc);

    const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
    const CDibPicture* Background() const { return background_.get(); }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnCreate(HWND window, CREATESTRUCTA* create);
    void OnDestroy();
    void OnMouseMove(int x, int y);
    void OnLButtonDown(int x, int y);
    void OnLButtonUp(int x, int y);
    void OnCaptureChanged(HWND newOwner);
    void OnKeyUp(WPARAM key);
    void OnPaint();

    void BuildItems();
    void PlaceItems();
    MenuItem* ItemAt(int x, int y) const;
    int HotIndex() const;
    void Invalidate() const;

    std::string iniPath_;
    std::string directory_;
    std::unique_ptr<CDibPicture> background_;
    std::vector<std::unique_ptr<MenuItem>> items_;
    std::vector<std::string> keys_, texts_;
    HWND window_ = nullptr;
};

// The window class of the menu, registered once per process.
extern const char kMenuWindowClass[];
