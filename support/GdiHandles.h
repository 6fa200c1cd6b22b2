// Owners of GDI handles. Each frees its handle the way that kind of handle was
// obtained, so feature code never calls DeleteObject, DeleteDC or ReleaseDC
// itself.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle, class Traits>
class UniqueGdiHandle {
public:
    UniqueGdiHandle() = default;
    explicit UniqueGdiHandle(Handle handle) : handle_(handle) {}
    UniqueGdiHandle(const UniqueGdiHandle&) = delete;
    UniqueGdiHandle& operator=(const UniqueGdiHandle&) = delete;
    UniqueGdiHandle(UniqueGdiHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueGdiHandle& operator=(UniqueGdiHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~UniqueGdiHandle() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (Handle old = std::exchange(handle_, handle)) Traits::Free(old);
    }

private:
    Handle handle_ = nullptr;
};

struct GdiObjectTraits {
    static void Free(HGDIOBJ object) { DeleteObject(object); }
};
struct MemoryDCTraits {
    static void Free(HDC dc) { DeleteDC(dc); }
};

// Objects must not be selected into a DC when their owner lets them go:
// pair them with SelectedObject scopes that end first.
using UniqueGdiObject = UniqueGdiHandle<HGDIOBJ, GdiObjectTraits>;
using UniqueBitmap = UniqueGdiHandle<HBITMAP, GdiObjectTraits>;
using UniqueRegion = UniqueGdiHandle<HRGN, GdiObjectTraits>;
using UniqueBrush = UniqueGdiHandle<HBRUSH, GdiObjectTraits>;
using UniquePen = UniqueGdiHandle<HPEN, GdiObjectTraits>;
using UniqueFont = UniqueGdiHandle<HFONT, GdiObjectTraits>;
// A DC from CreateCompatibleDC or CreateDC.
using UniqueMemoryDC = UniqueGdiHandle<HDC, MemoryDCTraits>;

// Selects an object into a DC for the life of the scope and puts the previous
// one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    bool Ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetDC / ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC Get() const { return dc_; }
    const RECT& UpdateRect() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// The header of a top-down device-independent bitmap, uncompressed.
inline BITMAPINFOHEADER TopDownDibHeader(int width, int height, WORD bitCount) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    return header;
}
