// The coverage mask that paints dots and data lines: which pixels a shape
// covers, and that painting touches those pixels only, within the DC's clip.
#include <windows.h>

#include <cmath>

#include <gtest/gtest.h>

#include "DibSurface.h"
#include "GdiHandles.h"
#include "GdiMask.h"

namespace {

constexpr std::uint32_t kPaper = 0x123456;
constexpr std::uint32_t kInk = 0x0000FF;  // 0x00RRGGBB of pure blue

int CoveredIn(const GdiMask& mask, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) count += mask.Covered(x, y) ? 1 : 0;
    return count;
}

TEST(GdiMaskTest, CircleCoversThePixelsWhoseCentresAreInside) {
    GdiMask mask(0, 0, 40, 40);
    ASSERT_TRUE(mask.Ok());
    EXPECT_TRUE(mask.Empty());
    mask.FillCircle(20.0, 20.0, 4.0);  // an 8-pixel dot on a pixel corner
    EXPECT_FALSE(mask.Empty());
    // Rows and columns 16..23 are the bounding box; the corners are cut.
    EXPECT_TRUE(mask.Covered(16, 19));
    EXPECT_TRUE(mask.Covered(23, 20));
    EXPECT_TRUE(mask.Covered(19, 16));
    EXPECT_FALSE(mask.Covered(15, 19));
    EXPECT_FALSE(mask.Covered(24, 20));
    EXPECT_FALSE(mask.Covered(16, 16));
    EXPECT_FALSE(mask.Covered(23, 23));
    // About the area of the disc, 16 pi.
    const int area = CoveredIn(mask, 0, 0, 40, 40);
    EXPECT_GE(area, 44);
    EXPECT_LE(area, 56);
}

TEST(GdiMaskTest, SegmentIsABandOfItsWidthCutSquareAtItsEnds) {
    GdiMask mask(0, 0, 40, 40);
    mask.FillSegment(5.0, 10.0, 25.0, 10.0, 2.0);
    for (int x = 5; x < 25; ++x) {
        EXPECT_TRUE(mask.Covered(x, 9)) << x;
        EXPECT_TRUE(mask.Covered(x, 10)) << x;
        EXPECT_FALSE(mask.Covered(x, 8)) << x;
        EXPECT_FALSE(mask.Covered(x, 11)) << x;
    }
    EXPECT_FALSE(mask.Covered(4, 10));
    EXPECT_FALSE(mask.Covered(25, 10));

    // A diagonal keeps its width across the line: every column it crosses
    // holds two or three pixels of it, and there are no gaps.
    GdiMask diagonal(0, 0, 40, 40);
    diagonal.FillSegment(2.0, 2.0, 32.0, 32.0, 2.0);
    for (int x = 4; x < 30; ++x) {
        const int column = CoveredIn(diagonal, x, 0, x + 1, 40);
        EXPECT_GE(column, 2) << x;
        EXPECT_LE(column, 3) << x;
    }
    // Either direction covers the same pixels.
    GdiMask reversed(0, 0, 40, 40);
    reversed.FillSegment(32.0, 32.0, 2.0, 2.0, 2.0);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(reversed.Covered(x, y), diagonal.Covered(x, y)) << x << "," << y;
}

TEST(GdiMaskTest, ShapesBeyondTheMaskAreCutAndDegenerateOnesIgnored) {
    GdiMask mask(10, 10, 20, 20);
    mask.FillCircle(10.0, 10.0, 4.0);  // a quarter inside
    mask.FillSegment(0.0, 15.0, 100.0, 15.0, 2.0);
    mask.FillSegment(12.0, 12.0, 12.0, 12.0, 2.0);  // no length
    mask.FillCircle(15.0, 15.0, 0.0);
    EXPECT_TRUE(mask.Covered(10, 10));
    EXPECT_TRUE(mask.Covered(19, 14));
    EXPECT_FALSE(mask.Covered(9, 10));   // outside the mask
    EXPECT_FALSE(mask.Covered(20, 14));  // outside the mask
    EXPECT_FALSE(mask.Covered(12, 17));
    EXPECT_FALSE(GdiMask(5, 5, 5, 9).Ok());

    // Far beyond any integer, and not numbers at all: cut like the rest, at
    // once (a wrapped conversion once walked billions of rows).
    GdiMask distant(10, 10, 20, 20);
    distant.FillSegment(15.0, 15.0, 15.0, 1e300, 2.0);
    distant.FillSegment(15.0, 5.0, 1e300, 2e300, 2.0);
    distant.FillSegment(-1e300, 12.0, 1e300, 12.0, 2.0);
    distant.FillSegment(15.0, 15.0, HUGE_VAL, -HUGE_VAL, 2.0);
    distant.FillSegment(15.0, 15.0, NAN, 3.0, 2.0);
    distant.FillCircle(1e300, 15.0, 4.0);
    distant.FillCircle(15.0, -1e300, 4.0);
    EXPECT_TRUE(distant.Covered(15, 19));
    EXPECT_TRUE(distant.Covered(10, 11));
    EXPECT_TRUE(distant.Covered(19, 12));
}

TEST(GdiMaskTest, PaintsTheCoveredPixelsOnlyAndHonoursTheClip) {
    DibSurface surface(60, 40);
    ASSERT_TRUE(surface.Ok());
    surface.Fill(kPaper);
    GdiMask mask(0, 0, 60, 40);
    mask.FillCircle(10.0, 10.0, 4.0);
    mask.FillSegment(30.0, 20.0, 58.0, 20.0, 2.0);
    {
        // Only the left 50 columns may be painted.
        const int saved = SaveDC(surface.DC());
        IntersectClipRect(surface.DC(), 0, 0, 50, 40);
        SetTextColor(surface.DC(), RGB(1, 2, 3));
        SetBkColor(surface.DC(), RGB(4, 5, 6));
        ASSERT_TRUE(mask.Paint(surface.DC(), RGB(0, 0, 0xFF)));
        // The DC's own colours are left as they were.
        EXPECT_EQ(GetTextColor(surface.DC()), RGB(1, 2, 3));
        EXPECT_EQ(GetBkColor(surface.DC()), RGB(4, 5, 6));
        RestoreDC(surface.DC(), saved);
    }
    GdiFlush();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inked = mask.Covered(x, y) && x < 50;
            ASSERT_EQ(surface.Pixel(x, y), inked ? kInk : kPaper) << x << "," << y;
        }
}

}  // namespace
