// The DC under a GDI+ graphics, for GDI drawing between GDI+ calls: GetHDC
// flushes GDI+ first, and the DC's state (font, colours, clip) is put back
// before ReleaseHDC hands it back. No GDI+ call on the graphics may be made
// while this scope lives.
#pragma once

#include <windows.h>

#include <gdiplus.h>

class GraphicsDC {
public:
    explicit GraphicsDC(Gdiplus::Graphics& graphics)
        : graphics_(graphics), dc_(graphics.GetHDC()), saved_(dc_ ? SaveDC(dc_) : 0) {}
    GraphicsDC(const GraphicsDC&) = delete;
    GraphicsDC& operator=(const GraphicsDC&) = delete;
    ~GraphicsDC() {
        if (!dc_) return;
        if (saved_) RestoreDC(dc_, saved_);
        graphics_.ReleaseHDC(dc_);
    }
    // Null when the graphics has no DC to give.
    HDC Get() const { return saved_ ? dc_ : nullptr; }

private:
    Gdiplus::Graphics& graphics_;
    HDC dc_;
    int saved_;
};
