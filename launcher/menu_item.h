#pragma once
// The menu's items: text, picture, or picture with text, each with an action.
#include "launcher/launcher_handles.h"
#include "launcher/menu_config.h"
#include "launcher/menu_layout.h"

#include <windows.h>

#include <memory>
#include <string>

class MenuItem;

// What the menu window and its items share for the life of the window.
struct MenuState {
    MenuSettings settings;
    HFONT font = nullptr;                 // the item font, when one is set
    MenuItem* hotItem = nullptr;          // shown as selected
    bool pressed = false;                 // button held with the pointer on the hot item
    MenuItem* capturedItem = nullptr;     // where the button went down, while captured
};
extern MenuState g_menu;

// How items reach the shell; tests put a recorder here.
using ShellOpenFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellOpenFunction g_shellOpen;

struct ItemSize { int width = 0, height = 0; };

class MenuItem {
public:
    virtual ~MenuItem() = default;
    virtual bool HitTest(int x, int y) const;
    virtual void Draw(HDC dc) {}
    virtual void Execute(HWND window);
    virtual ItemSize GetSize() const;
    virtual void PlaceAtFixedPosition();
    virtual void Layout(const Rect& box) {}
    virtual COLORREF TextColour() const;
    virtual HBITMAP CurrentPicture() const { return nullptr; }
    virtual void ReadSection(const std::string& section, const std::string& iniPath);
    virtual void Prepare() {}

    std::string text;
    ItemSettings settings;
    std::string launcherDirectory;   // the directory of "setup.inf", ending in "\"
    Rect textRect, pictureRect;
protected:
    void MeasureText();
    void DrawItemText(HDC dc, TextAlignment alignment) const;
};

class TextItem : public MenuItem {
public:
    void Draw(HDC dc) override { DrawItemText(dc, TextAlignmentOf(g_menu.settings.itemFormat)); }
    void Layout(const Rect& box) override;
    void ReadSection(const std::string& section, const std::string& iniPath) override;
    void Prepare() override { MeasureText(); }
};

class PictureItem : public MenuItem {
public:
    void Draw(HDC dc) override;
    void Layout(const Rect& box) override;
    HBITMAP CurrentPicture() const override;
    void ReadSection(const std::string& section, const std::string& iniPath) override;
    void Prepare() override { LoadPictures(); }
    virtual void LoadPictures();

    HBITMAP UpPicture() const { return static_cast<HBITMAP>(up_.get()); }
    HBITMAP Mask() const { return static_cast<HBITMAP>(mask_.get()); }
protected:
    GdiObject up_, down_, sel_, mask_;
    bool loaded_ = false;
};

class PictureTextItem : public PictureItem {
public:
    void Draw(HDC dc) override;
    void Layout(const Rect& box) override;
    void LoadPictures() override;
private:
    bool measured_ = false;
};

// An item of the given ItemType, or nullptr for an unknown kind.
std::unique_ptr<MenuItem> CreateMenuItem(int itemType);
