// A one-bit coverage mask over a rectangle of a DC, filled on the CPU and
// painted in a few blits (one per band of rows that has anything covered): thousands of opaque circles and thick segments in
// one colour cost one GDI call instead of one rasterisation each. A pixel is
// covered when its centre lies inside a shape (edges on the left and top
// included).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "GdiHandles.h"

class GdiMask {
public:
    // Device pixels left <= x < right, top <= y < bottom. Check Ok().
    GdiMask(int left, int top, int right, int bottom);
    GdiMask(const GdiMask&) = delete;
    GdiMask& operator=(const GdiMask&) = delete;

    bool Ok() const { return bits_ != nullptr; }
    bool Empty() const { return !any_; }

    // The disc of radius r about (cx, cy).
    void FillCircle(double cx, double cy, double r);
    // The band of the given width along the segment, cut square at its ends
    // (a pen with flat caps).
    void FillSegment(double x1, double y1, double x2, double y2, double width);
    // A convex polygon given in order (either direction).
    void FillConvex(const double* xs, const double* ys, int count);

    // Paints the covered pixels onto dc in colour, within dc's clip. dc must
    // map logical to device pixels one to one.
    bool Paint(HDC dc, COLORREF colour) const;

    // For tests: whether device pixel (x, y) is covered.
    bool Covered(int x, int y) const;

private:
    // Covers centres x + 0.5 in [from, to) on device row y.
    void Span(int y, double from, double to);

    int left_, top_, width_, height_;
    int stride_ = 0;  // bytes per row
    std::uint8_t* bits_ = nullptr;
    bool any_ = false;
    // Per row, the covered columns lie within [rowFirst_, rowEnd_) (relative
    // to left_); empty rows have first >= end.
    std::vector<int> rowFirst_, rowEnd_;
    UniqueMemoryDC dc_;
    UniqueBitmap bitmap_;
};
