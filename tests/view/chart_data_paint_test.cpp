// The user's data as painted over the chart: names beside their points and
// process lines in the data colour, lines two pixels wide and cut at the
// chart area, so that drawing them by GDI rather than GDI+ drops nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "../chart/ChartColours.h"
#include "ChartWindowTest.h"

namespace humichart::test {
namespace {

using namespace humichart::test::colours;

class ChartDataPaintTest : public ChartWindowTest {
protected:
    // Pixels of colour in the w x h box at (x, y).
    int CountIn(double x, double y, int w, int h, std::uint32_t rgb) const {
        const int left = static_cast<int>(std::floor(x)), top = static_cast<int>(std::floor(y));
        int count = 0;
        for (int j = top; j < top + h; ++j)
            for (int i = left; i < left + w; ++i) count += surface->Pixel(i, j) == rgb ? 1 : 0;
        return count;
    }
};

TEST_F(ChartDataPaintTest, EveryNameIsDrawnRightOfAndBelowItsAnchor) {
    CIDWnd& chart = Open(640, 480);
    chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
    chart.HasForeground = 0;
    // Names far apart, each anchored at its point + (4, 4).
    const double states[][2] = {{20.0, 4.0}, {40.0, 8.0}, {60.0, 12.0}, {75.0, 16.0}};
    for (const auto& s : states) chart.points.push_back({s[0], s[1], L"WWW"});
    Paint();
    for (const StatePoint& point : chart.points) {
        const PointD p = chart.View().ToPixel(point.I, point.D);
        // The dot itself covers up to 4 pixels right and below the centre;
        // the name's glyphs start a little further on.
        const int ink = CountIn(p.x + 6.0, p.y + 4.0, 30, 14, Rgb(kData));
        EXPECT_GT(ink, 25) << "name of the point at " << p.x << ", " << p.y;
        // Nothing of it above or left of the anchor, beyond the dot.
        EXPECT_EQ(CountIn(p.x + 6.0, p.y - 16.0, 30, 10, Rgb(kData)), 0);
    }
}

TEST_F(ChartDataPaintTest, ProcessLinesAreTwoPixelsWideWithTheirNamesAtTheMiddle) {
    CIDWnd& chart = Open(640, 480);
    chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
    chart.HasForeground = 0;
    Paint();
    // A line running level across the screen, from a state inside the chart.
    const PointD a = chart.View().ToPixel(40.0, 6.0);
    const ChartState end = chart.View().FromPixel(a.x + 150.0, a.y + 0.5);
    chart.points = {{40.0, 6.0, L"A"}, {end.I, end.D, L"B"}};
    chart.processes.push_back({L"A", L"B", L"Heating", 1000.0});
    chart.HasProcessLineName = 1;
    Paint();
    const PointD b = chart.View().ToPixel(end.I, end.D);
    ASSERT_GT(b.x - a.x, 100.0);
    // Across the line a third of the way along: two blue pixels, no more.
    const double x = a.x + (b.x - a.x) / 3.0;
    const double y = a.y + (b.y - a.y) / 3.0;
    const int across = CountIn(x, y - 6.0, 1, 13, Rgb(kData));
    EXPECT_GE(across, 2);
    EXPECT_LE(across, 3);
    // The name right of and below the middle of the line.
    const PointD middle{(a.x + b.x) / 2.0 + 2.0, (a.y + b.y) / 2.0 + 2.0};
    EXPECT_GT(CountIn(middle.x + 2.0, middle.y + 1.0, 40, 12, Rgb(kData)), 20);
}

TEST_F(ChartDataPaintTest, LinesStopAtTheChartAreaWhileDotsStopAtThePlot) {
    CIDWnd& chart = Open(640, 480);
    chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
    chart.HasForeground = 0;
    // From inside the chart to a state far beyond the saturation curve.
    chart.points = {{50.0, 8.0, L"in"}, {20.0, 30.0, L"out"}};
    chart.processes.push_back({L"in", L"out", L"", 1000.0});
    Paint();
    const HRGN region = chart.ChartRegion();
    ASSERT_NE(region, nullptr);
    int inside = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            if (surface->Pixel(x, y) != Rgb(kData)) continue;
            // Names may leave the chart; nothing else.
            const PointD in = chart.View().ToPixel(50.0, 8.0);
            const bool nearName = x >= in.x && x < in.x + 30 && y >= in.y && y < in.y + 20;
            if (PtInRegion(region, x, y)) ++inside;
            else if (!nearName) ADD_FAILURE() << "data pixel outside the chart at " << x << ", " << y;
        }
    EXPECT_GT(inside, 40);
}

TEST_F(ChartDataPaintTest, HostileButAcceptedDataPaintsAndEnds) {
    // What AddPoint and AddMixLine accept: finite coordinates far beyond any
    // chart, and flows of every kind over them, with names on the lines. A
    // paint must end whatever they are; ctest's time limit is the judge.
    CIDWnd& chart = Open(640, 480);
    chart.HasProcessLineName = 1;
    const double big = 1e308, tiny = 5e-324;
    const double coordinates[] = {big, -big, 0.0, 50.0, 10.0, 1e300, -1e300, 1e-300, 3.0e307, -7.5e306};
    const double flows[] = {big, -big, tiny, 0.0, -0.0, -1.0, 1.0, 1000.0, 3.0e307};
    std::mt19937 random(10);
    const auto pick = [&](const auto& from) { return from[random() % std::size(from)]; };
    for (int i = 0; i < 24; ++i) chart.points.push_back({pick(coordinates), pick(coordinates), L"P" + std::to_wstring(i)});
    for (int i = 0; i < 22; ++i) {
        const std::wstring mix = L"M" + std::to_wstring(i);
        chart.points.push_back({0.0, 0.0, mix});
        chart.mixes.push_back({L"P" + std::to_wstring(random() % 24), i ? L"M" + std::to_wstring(i - 1) : L"P0", mix,
                               L"mix " + mix, pick(flows), pick(flows)});
        chart.processes.push_back({mix, L"P" + std::to_wstring(random() % 24), L"to " + mix, pick(flows)});
    }
    for (int round = 0; round < 3; ++round) {
        Paint();
        EXPECT_EQ(chart.lastDataStatus, kStatusOk);
        chart.View().Zoom(2.0, {320.0, 240.0});
        chart.RequestRender();
    }
}

}  // namespace
}  // namespace humichart::test
