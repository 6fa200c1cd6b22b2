// An off-screen 32-bit top-down DIB selected into its own memory DC: a target
// for rendering whose pixels can be read directly.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "GdiHandles.h"

class DibSurface {
public:
    // Check Ok(): creation fails for absurd sizes.
    DibSurface(int width, int height);
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    bool Ok() const { return bits_ != nullptr; }
    HDC DC() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // 0x00RRGGBB; 0 outside the surface. Call GdiFlush() first after GDI drawing.
    std::uint32_t Pixel(int x, int y) const;
    void Fill(std::uint32_t rgb);

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
    std::unique_ptr<SelectedObject> selection_;  // ends before the bitmap goes
};
