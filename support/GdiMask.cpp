#include "GdiMask.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The pattern ROP "DSPDxax": the brush where the source is white, the
// destination kept where it is black.
constexpr DWORD kBrushThroughSource = 0x00E20746;

struct MonoInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

// The whole pixels from ceil(from - 0.5) up to (not including) ceil(to - 0.5),
// cut to [low, high): clamped while still doubles, so that coordinates far
// beyond any bitmap (or not numbers at all) never reach an integer
// conversion, where they would wrap round and make the loops over pixels
// run for billions of steps. Empty when first >= end.
struct PixelRange {
    int first = 0;
    int end = 0;
};

PixelRange Pixels(double from, double to, int low, int high) {
    const double first = std::max(std::ceil(from - 0.5), static_cast<double>(low));
    const double end = std::min(std::ceil(to - 0.5), static_cast<double>(high));
    if (!(first < end)) return {};
    return {static_cast<int>(first), static_cast<int>(end)};
}

}  // namespace

GdiMask::GdiMask(int left, int top, int right, int bottom)
    : left_(left), top_(top), width_(right - left), height_(bottom - top) {
    if (width_ <= 0 || height_ <= 0) return;
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!dc_) return;
    MonoInfo info{};
    info.header = TopDownDibHeader(width_, height_, 1);
    info.colours[1] = {0xFF, 0xFF, 0xFF, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                   &bits, nullptr, 0));
    if (!bitmap_ || !bits) return;
    stride_ = ((width_ + 31) / 32) * 4;
    bits_ = static_cast<std::uint8_t*>(bits);
    std::memset(bits_, 0, static_cast<std::size_t>(stride_) * height_);
    rowFirst_.assign(static_cast<std::size_t>(height_), width_);
    rowEnd_.assign(static_cast<std::size_t>(height_), 0);
}

void GdiMask::Span(int y, double from, double to) {
    if (y < top_ || y >= top_ + height_) return;
    // Pixel x is covered when from <= x + 0.5 < to.
    const PixelRange xs = Pixels(from, to, left_, left_ + width_);
    const int x0 = xs.first - left_, x1 = xs.end - left_;
    if (x0 >= x1) return;
    std::uint8_t* row = bits_ + static_cast<std::size_t>(y - top_) * stride_;
    for (int x = x0; x < x1; ++x) row[x >> 3] |= static_cast<std::uint8_t>(0x80u >> (x & 7));
    any_ = true;
    int& first = rowFirst_[static_cast<std::size_t>(y - top_)];
    int& end = rowEnd_[static_cast<std::size_t>(y - top_)];
    first = std::min(first, x0);
    end = std::max(end, x1);
}

void GdiMask::FillCircle(double cx, double cy, double r) {
    if (!bits_ || !(r > 0.0)) return;
    // Rows whose centres lie within r of cy.
    const PixelRange rows = Pixels(cy - r, std::floor(cy + r - 0.5) + 1.5, top_, top_ + height_);
    for (int y = rows.first; y < rows.end; ++y) {
        const double dy = y + 0.5 - cy;
        const double half = std::sqrt(std::max(0.0, r * r - dy * dy));
        Span(y, cx - half, cx + half);
    }
}

void GdiMask::FillSegment(double x1, double y1, double x2, double y2, double width) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    if (!bits_ || length == 0.0 || !(width > 0.0)) return;
    const double nx = -dy / length * width / 2.0, ny = dx / length * width / 2.0;
    const double xs[4] = {x1 + nx, x2 + nx, x2 - nx, x1 - nx};
    const double ys[4] = {y1 + ny, y2 + ny, y2 - ny, y1 - ny};
    FillConvex(xs, ys, 4);
}

void GdiMask::FillConvex(const double* xs, const double* ys, int count) {
    if (!bits_ || count < 3) return;
    const double minY = *std::min_element(ys, ys + count);
    const double maxY = *std::max_element(ys, ys + count);
    if (!std::isfinite(minY) || !std::isfinite(maxY)) return;
    const PixelRange rows = Pixels(minY, maxY, top_, top_ + height_);
    for (int y = rows.first; y < rows.end; ++y) {
        const double yc = y + 0.5;
        double from = HUGE_VAL, to = -HUGE_VAL;
        for (int i = 0; i < count; ++i) {
            const int j = (i + 1) % count;
            const double ya = ys[i], yb = ys[j];
            // Half-open in y so that a vertex shared by two edges counts once.
            if ((ya <= yc && yc < yb) || (yb <= yc && yc < ya)) {
                const double x = xs[i] + (yc - ya) * (xs[j] - xs[i]) / (yb - ya);
                from = std::min(from, x);
                to = std::max(to, x);
            }
        }
        if (from < to) Span(y, from, to);
    }
}

bool GdiMask::Paint(HDC dc, COLORREF colour) const {
    if (!bits_) return false;
    if (!any_) return true;
    GdiFlush();
    UniqueBrush brush(CreateSolidBrush(colour));
    if (!brush) return false;
    SelectedObject mask(dc_.Get(), bitmap_.Get());
    SelectedObject selectedBrush(dc, brush.Get());
    // A one-bit source is read through the destination's text and
    // background colours: white background keeps set bits all ones.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF back = SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
    const POINT origin = [&] {
        POINT previous{};
        SetBrushOrgEx(dc, 0, 0, &previous);
        return previous;
    }();
    // The raster operation leaves the destination alone wherever the mask is
    // clear, so only the covered part need be blitted: Wine applies it pixel
    // by pixel, and a few scattered points under a mask the size of the chart
    // cost a millisecond. Bands of rows keep the number of calls small.
    // A metafile gets the one blit of the whole mask it always had: parts of
    // it would be scaled one by one when it is played larger.
    const DWORD kind = GetObjectType(dc);
    const bool raster = kind == OBJ_MEMDC || kind == OBJ_DC;
    constexpr int bandRows = 32;
    BOOL done = mask.Ok() && selectedBrush.Ok();
    if (done && !raster) done = BitBlt(dc, left_, top_, width_, height_, dc_.Get(), 0, 0, kBrushThroughSource);
    for (int band = 0; done && raster && band < height_; band += bandRows) {
        int first = width_, end = 0, top = -1, bottom = -1;
        for (int y = band; y < std::min(band + bandRows, height_); ++y) {
            const std::size_t row = static_cast<std::size_t>(y);
            if (rowFirst_[row] >= rowEnd_[row]) continue;
            first = std::min(first, rowFirst_[row]);
            end = std::max(end, rowEnd_[row]);
            if (top < 0) top = y;
            bottom = y + 1;
        }
        if (top < 0) continue;
        done = BitBlt(dc, left_ + first, top_ + top, end - first, bottom - top, dc_.Get(), first, top,
                      kBrushThroughSource);
    }
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetBkColor(dc, back);
    SetTextColor(dc, text);
    return done != FALSE;
}

bool GdiMask::Covered(int x, int y) const {
    if (!bits_ || x < left_ || y < top_ || x >= left_ + width_ || y >= top_ + height_) return false;
    GdiFlush();
    const std::uint8_t* row = bits_ + static_cast<std::size_t>(y - top_) * stride_;
    const int bx = x - left_;
    return (row[bx >> 3] & (0x80u >> (bx & 7))) != 0;
}
