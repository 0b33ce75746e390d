#pragma once
// Helpers for the launcher's Wine tests: picture files, an off-screen canvas, a test
// medium with its "setup.inf", and a recorder for what items hand to the shell.
#include "tests/fakes/test_support.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A 24-bit bitmap file; pixel(x, y) gives each pixel's colour, y from the top.
bool WriteBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int x, int y)>& pixel);

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);
    ~Canvas();
    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const;
    // Pixels of exactly this colour inside [left, right) x [top, bottom).
    int Count(COLORREF colour, int left, int top, int right, int bottom) const;
    bool SaveBitmap(const std::string& path) const;
    int width() const { return width_; }
    int height() const { return height_; }
private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr, old_ = nullptr;
    DWORD* bits_ = nullptr;
};

// What an item gave the shell.
struct ShellCall {
    std::string verb, file, parameters, directory;
    bool hasParameters = false, hasDirectory = false;
    int show = 0;
};
// Replaces the items' way to the shell with a recorder while it lives.
class ShellRecorder {
public:
    ShellRecorder();
    ~ShellRecorder();
    const std::vector<ShellCall>& calls() const;
};

// Dispatches what is waiting in this thread's queue.
void PumpMessages();
