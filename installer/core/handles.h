#pragma once
// Thin owners for Win32 handles: each releases what it holds on every path.
#include <windows.h>
#include <objbase.h>

template <typename T, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept { if (this != &o) reset(o.release()); return *this; }
    T get() const { return h_; }
    T* put() { reset(); return &h_; }
    T release() { T h = h_; h_ = Traits::Invalid(); return h; }
    void reset(T h = Traits::Invalid()) { if (valid()) Traits::Close(h_); h_ = h; }
    bool valid() const { return h_ != Traits::Invalid(); }
    explicit operator bool() const { return valid(); }
private:
    T h_ = Traits::Invalid();
};

struct RegKeyTraits { static HKEY Invalid() { return nullptr; } static void Close(HKEY h) { RegCloseKey(h); } };
struct FileTraits { static HANDLE Invalid() { return INVALID_HANDLE_VALUE; } static void Close(HANDLE h) { CloseHandle(h); } };
struct KernelTraits { static HANDLE Invalid() { return nullptr; } static void Close(HANDLE h) { CloseHandle(h); } };
struct FindTraits { static HANDLE Invalid() { return INVALID_HANDLE_VALUE; } static void Close(HANDLE h) { FindClose(h); } };
struct GdiTraits { static HGDIOBJ Invalid() { return nullptr; } static void Close(HGDIOBJ h) { DeleteObject(h); } };
struct MemDcTraits { static HDC Invalid() { return nullptr; } static void Close(HDC h) { DeleteDC(h); } };
struct ModuleTraits { static HMODULE Invalid() { return nullptr; } static void Close(HMODULE h) { FreeLibrary(h); } };

using RegKey = UniqueHandle<HKEY, RegKeyTraits>;
using FileHandle = UniqueHandle<HANDLE, FileTraits>;        // CreateFile results
using KernelHandle = UniqueHandle<HANDLE, KernelTraits>;    // mappings, processes, events
using FindHandle = UniqueHandle<HANDLE, FindTraits>;
using GdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;
using MemoryDc = UniqueHandle<HDC, MemDcTraits>;
using LibraryHandle = UniqueHandle<HMODULE, ModuleTraits>;

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND wnd) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~WindowDc() { if (dc_) ReleaseDC(wnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
private:
    HWND wnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~SelectedObject() { if (old_) SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

template <typename I>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    I** put() { reset(); return &p_; }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() { if (p_) p_->Release(); p_ = nullptr; }
    explicit operator bool() const { return p_ != nullptr; }
private:
    I* p_ = nullptr;
};

// Memory from the shell's or COM's task allocator.
class TaskMemory {
public:
    explicit TaskMemory(void* p = nullptr) : p_(p) {}
    ~TaskMemory() { if (p_) CoTaskMemFree(p_); }
    TaskMemory(const TaskMemory&) = delete;
    TaskMemory& operator=(const TaskMemory&) = delete;
    void* get() const { return p_; }
private:
    void* p_;
};
