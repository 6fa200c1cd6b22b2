// The painted chart probed pixel by pixel: background, tint, points, grid
// lines where the scene puts them, and nothing of the grid when it is off.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "CChartSceneBuilder.h"
#include "CComCalcBinding.h"
#include "CScenePainter.h"
#include "../chart/ChartColours.h"
#include "ChartWindowTest.h"

namespace humichart::test {
namespace {

using namespace humichart::test::colours;

class ChartPaintTest : public ChartWindowTest {
protected:
    // A state well inside the default chart, away from the outline.
    PointD Inside() const { return host->Chart().View().ToPixel(48.0, 9.0); }

    void GridOff(CIDWnd& chart) {
        chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
    }

    // The height of a capital of family at a pixel size, from the font's own
    // metrics.
    static double CapHeight(const std::wstring& family, int pixels) {
        HFONT font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, family.c_str());
        HDC dc = CreateCompatibleDC(nullptr);
        const HGDIOBJ previous = SelectObject(dc, font);
        OUTLINETEXTMETRICW metrics{};
        metrics.otmSize = sizeof metrics;
        const bool known = GetOutlineTextMetricsW(dc, sizeof metrics, &metrics) != 0;
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(font);
        return known ? metrics.otmsCapEmHeight : 0.0;
    }

    // The scene the window drew last, rebuilt from the same view.
    ChartScene SceneOfWindow() {
        CChartView view = host->Chart().View();
        CComCalcBinding calc;
        ChartScene scene;
        EXPECT_EQ(CChartSceneBuilder(calc).BuildChart(view, scene), kStatusOk);
        return scene;
    }
};

TEST_F(ChartPaintTest, BackgroundFollowsHasBackground) {
    CIDWnd& chart = Open(400, 300);
    Paint();
    ASSERT_EQ(chart.lastRenderStatus, kStatusOk);
    EXPECT_EQ(surface->Pixel(3, 3), Rgb(kBackgroundTinted));
    EXPECT_EQ(surface->Pixel(398, 297), Rgb(kBackgroundTinted));

    chart.HasBackground = 0;
    chart.RequestRender();
    Paint();
    EXPECT_EQ(surface->Pixel(3, 3), Rgb(kBackgroundWhite));
    EXPECT_EQ(surface->Pixel(398, 297), Rgb(kBackgroundWhite));
}

TEST_F(ChartPaintTest, ForegroundTintsTheChartAreaOnly) {
    CIDWnd& chart = Open(400, 300);
    GridOff(chart);
    Paint();
    const PointD inside = Inside();
    EXPECT_TRUE(Near(PixelAt(inside.x, inside.y), Blend(kForeground, Rgb(kBackgroundTinted))))
        << std::hex << PixelAt(inside.x, inside.y);
    EXPECT_EQ(surface->Pixel(20, 150), Rgb(kBackgroundTinted));  // left margin

    chart.HasForeground = 0;
    chart.RequestRender();
    Paint();
    EXPECT_EQ(PixelAt(inside.x, inside.y), Rgb(kBackgroundTinted));
}

TEST_F(ChartPaintTest, PointsAreBlueDotsOnlyInsideThePlot) {
    CIDWnd& chart = Open(400, 300);
    GridOff(chart);
    Paint();  // lays the view out
    const CChartView& view = chart.View();
    const double right = view.plotX + view.plotWidth;
    chart.points.push_back({48.0, 9.0, L"A"});
    chart.points.push_back({30.0, 6.0, L""});
    // Just right of the plot, in the margin: a whole dot's width beyond its
    // edge, well inside the surface, where a dot would show if it were drawn.
    const double D = chart.viewRange.Dmin + (right + 8.0 - view.pos.x0) * (chart.viewRange.Dmax - chart.viewRange.Dmin) /
                                             (view.pos.s * view.pos.W);
    chart.points.push_back({30.0 + 2.5 * D, D, L""});
    Paint();
    int outside = 0;
    for (const StatePoint& point : chart.points) {
        const PointD p = view.ToPixel(point.I, point.D);
        ASSERT_TRUE(p.x > 4 && p.x < 396 && p.y > 4 && p.y < 296) << "probe off the surface at " << p.x;
        if (p.x < right) {
            EXPECT_EQ(PixelAt(p.x, p.y), Rgb(kData)) << "point at " << p.x << ", " << p.y;
        } else {
            ++outside;
            EXPECT_EQ(PixelAt(p.x, p.y), Rgb(kBackgroundTinted)) << "point at " << p.x << ", " << p.y;
        }
    }
    EXPECT_EQ(outside, 1);
}

TEST_F(ChartPaintTest, MixPointIsDrawnWhereTheFlowsPutIt) {
    CIDWnd& chart = Open(400, 300);
    GridOff(chart);
    chart.points = {{70.0, 15.0, L"O"}, {50.0, 10.0, L"R"}, {0.0, 0.0, L"M"}};
    chart.mixes.push_back({L"O", L"R", L"M", L"", 0.0, 0.0});  // no flow: midway
    Paint();
    const PointD mid = chart.View().ToPixel(60.0, 12.5);
    EXPECT_EQ(PixelAt(mid.x, mid.y), Rgb(kData));
    EXPECT_DOUBLE_EQ(chart.FindPoint(L"M")->I, 60.0);
}

TEST_F(ChartPaintTest, GridLinesHaveTheirColoursWhereTheSceneHasThem) {
    CIDWnd& chart = Open(640, 480);
    chart.HasTLine = chart.HasILine = chart.HasFLine = 0;
    chart.HasForeground = 0;
    Paint();
    const ChartScene scene = SceneOfWindow();
    int major = 0, minor = 0;
    for (const SceneSegment& line : scene.humidityRatio.segments) {
        // Vertical lines; probe a third of the way down.
        const double y = line.from.y + (line.to.y - line.from.y) / 3.0;
        const std::uint32_t expected = Rgb(line.major ? kNavy : kGreen);
        EXPECT_TRUE(ColourNear(line.from.x, y, expected)) << "line at x = " << line.from.x;
        ++(line.major ? major : minor);
    }
    EXPECT_GT(major, 2);
    EXPECT_GT(minor, 2);

    chart.HasDLine = 0;
    chart.HasILine = 1;
    chart.RequestRender();
    Paint();
    const ChartScene enthalpy = SceneOfWindow();
    ASSERT_FALSE(enthalpy.enthalpy.segments.empty());
    for (const SceneSegment& line : enthalpy.enthalpy.segments) {
        // Stubs cut off at the chart's corners lie under the outline.
        if (std::hypot(line.to.x - line.from.x, line.to.y - line.from.y) < 10.0) continue;
        const double x = (line.from.x + line.to.x) / 2.0, y = (line.from.y + line.to.y) / 2.0;
        EXPECT_TRUE(ColourNear(x, y, Rgb(line.major ? kMaroon : kGreen)))
            << "enthalpy line through " << x << ", " << y;
    }
}

TEST_F(ChartPaintTest, LinesGdiTookAreNotStrokedAgainByGdiplus) {
    Open(640, 480);
    Paint();
    ChartScene scene = SceneOfWindow();
    ASSERT_FALSE(scene.humidityRatio.segments.empty());
    DibSurface target(640, 480);
    target.Fill(0xFFFFFF);
    CScenePainter painter;
    {
        Gdiplus::Graphics graphics(target.DC());
        painter.PaintChart(graphics, scene);
    }
    EXPECT_EQ(painter.GridPathStrokes(), 0) << "one-pixel opaque lines are all GDI's";

    // A major pen GDI declines: GDI+ strokes the major lines, and only those.
    scene.humidityRatio.majorPen.width = 3.0f;
    CScenePainter mixed;
    {
        Gdiplus::Graphics graphics(target.DC());
        mixed.PaintChart(graphics, scene);
    }
    EXPECT_EQ(mixed.GridPathStrokes(), 1);
}

TEST_F(ChartPaintTest, CaptionWrapsWithinANarrowWindow) {
    // Two lines far wider than the window: unwrapped they would be cut at
    // both edges; wrapped they become four or more lines, one above the other.
    CIDWnd& chart = Open(170, 420);
    GridOff(chart);
    chart.captionVisible = 1;
    Paint();
    ASSERT_EQ(chart.lastRenderStatus, kStatusOk);
    // The left margin holds nothing but the caption with the grid off.
    int top = 420, bottom = -1;
    for (int y = 0; y < 420; ++y)
        for (int x = 0; x < 45; ++x)
            if (surface->Pixel(x, y) != Rgb(kBackgroundTinted)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    // Font height: a client height of 420 over 8, in points.
    const double lineHeight = 420 / 8 * 96.0 / 72.0;
    EXPECT_GT(bottom - top, 3.0 * lineHeight) << "caption rows " << top << " to " << bottom;
    EXPECT_EQ(surface->Pixel(0, 0), Rgb(kBackgroundTinted));
}

TEST_F(ChartPaintTest, WithEveryLineFlagOffOnlyOutlineAndTintAreDrawn) {
    CIDWnd& chart = Open(400, 300);
    GridOff(chart);
    Paint();
    int outline = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 400; ++x) {
            const std::uint32_t c = surface->Pixel(x, y);
            ASSERT_NE(c, Rgb(kNavy)) << x << ", " << y;
            ASSERT_NE(c, Rgb(kMaroon)) << x << ", " << y;
            ASSERT_NE(c, Rgb(kOlive)) << x << ", " << y;
            if (c == Rgb(kGreen)) ++outline;
        }
    }
    EXPECT_GT(outline, 400);  // the outline, two pixels wide
    // No titles or labels in the margins.
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(surface->Pixel(x, y), Rgb(kBackgroundTinted));
    for (int x = 0; x < 400; ++x)
        for (int y = 0; y < 30; ++y) ASSERT_EQ(surface->Pixel(x, y), Rgb(kBackgroundTinted));
}

TEST_F(ChartPaintTest, TitlesAndLabelsAreDrawnWithTheirFamilies) {
    CIDWnd& chart = Open(640, 480);
    Paint();
    EXPECT_EQ(chart.fontFallbacks, 0) << "the prefix maps the chart's fonts";
    // The "D(g/kg)" title sits in the top margin, the "T" title left of the
    // plot; each shows its colour somewhere there.
    auto anyIn = [&](int x0, int y0, int x1, int y1, std::uint32_t rgb) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (Near(surface->Pixel(x, y), rgb, 40)) return true;
        return false;
    };
    EXPECT_TRUE(anyIn(0, 0, 640, 24, Rgb(kNavy)));
    EXPECT_TRUE(anyIn(0, 40, 20, 440, Rgb(kGreen)));
    EXPECT_TRUE(anyIn(0, 440, 640, 480, Rgb(kMaroon)));
    EXPECT_TRUE(anyIn(600, 40, 640, 440, Rgb(kOlive)));
}

TEST_F(ChartPaintTest, ChartRegionCoversTheChartAreaOnly) {
    CIDWnd& chart = Open(400, 300);
    EXPECT_EQ(chart.ChartRegion(), nullptr);
    Paint();
    ASSERT_NE(chart.ChartRegion(), nullptr);
    const PointD inside = Inside();
    EXPECT_TRUE(PtInRegion(chart.ChartRegion(), static_cast<int>(inside.x), static_cast<int>(inside.y)));
    EXPECT_FALSE(PtInRegion(chart.ChartRegion(), 10, 150));
    // Cold and humid, beyond saturation at the bottom right: outside.
    const PointD supersaturated = chart.View().ToPixel(-20.0 + 2.5 * 40.0, 40.0);
    EXPECT_FALSE(PtInRegion(chart.ChartRegion(), static_cast<int>(supersaturated.x),
                            static_cast<int>(supersaturated.y)));
}

TEST_F(ChartPaintTest, BorderAndCssrRegionAreDataLayerColours) {
    CIDWnd& chart = Open(400, 300);
    GridOff(chart);
    chart.HasForeground = 0;
    chart.HasBorder = 1;
    chart.cssrRegion = {26.0, 20.0, 12.0, 6.0};
    Paint();
    EXPECT_EQ(surface->Pixel(1, 150), Rgb(kBorder));
    EXPECT_EQ(surface->Pixel(200, 1), Rgb(kBorder));
    const PointD centre = chart.View().ToPixel(1.005 * 23.0 + 9.0 * (2.5 + 0.00184 * 23.0), 9.0);
    EXPECT_TRUE(Near(PixelAt(centre.x, centre.y), Blend(kCssr, Rgb(kBackgroundTinted))))
        << std::hex << PixelAt(centre.x, centre.y);
}

// On a denser display every length of the 96-dpi chart grows by dpi / 96:
// margins, the axis titles' letters, pens and dots, measured on the picture.
TEST_F(ChartPaintTest, GeometryScalesWithTheDisplaysDpi) {
    // Darkness of a pixel over the white background, 0 to 1.
    const auto ink = [&](int x, int y) { return (0xFF - (surface->Pixel(x, y) >> 16)) / 255.0; };
    // The largest first: its letters, least bent by hinting, are the
    // measure (at 12 pixels the 7.9-pixel capital is drawn 9 high).
    double titleAt192 = 0.0;
    for (const int dpi : {192, 96, 120, 144}) {
        SCOPED_TRACE(dpi);
        const double k = dpi / 96.0;
        host.reset();
        CIDWnd& chart = Open(static_cast<int>(400 * k), static_cast<int>(300 * k));
        // Only the humidity-ratio grid, whose title stands alone above the plot.
        chart.HasTLine = chart.HasILine = chart.HasFLine = 0;
        chart.HasBackground = chart.HasForeground = 0;
        chart.View().SetDpi(dpi);
        chart.points.push_back({48.0, 9.0, L""});
        Paint();
        ASSERT_EQ(chart.lastRenderStatus, kStatusOk);
        const CChartView& view = chart.View();
        EXPECT_NEAR(view.plotX, 50.0 * k, 1.0);
        EXPECT_NEAR(view.plotY, 40.0 * k, 1.0);
        EXPECT_NEAR(view.clientWidth - view.plotX - view.plotWidth, 40.0 * k, 1.0);
        EXPECT_NEAR(view.clientHeight - view.plotY - view.plotHeight, 40.0 * k, 1.0);

        // "D(g/kg)": the height of its capital, the first run of inked
        // columns, above the labels' band.
        const ChartScene scene = SceneOfWindow();
        ASSERT_FALSE(scene.texts.empty());
        const SceneText& title = scene.texts.front();
        ASSERT_EQ(title.text, L"D(g/kg)");
        EXPECT_EQ(title.font.size, 12.0f * static_cast<float>(k));
        const int limit = static_cast<int>(view.plotY - view.Px(18.0));
        const auto inked = [&](int x, int y) { return y < limit && ink(x, y) > 0.25; };
        int column = static_cast<int>(title.layout.x), top = -1, bottom = -1;
        const int end = static_cast<int>(title.layout.x + 20 * k);
        const auto columnInked = [&](int x) {
            for (int y = 0; y < limit; ++y)
                if (inked(x, y)) return true;
            return false;
        };
        while (column < end && !columnInked(column)) ++column;
        for (; column < end && columnInked(column); ++column)
            for (int y = 0; y < limit; ++y)
                if (inked(column, y)) {
                    if (top < 0 || y < top) top = y;
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(top, 0) << "no title drawn";
        const double titleHeight = bottom - top + 1;
        RecordProperty("title_height_" + std::to_string(dpi), static_cast<int>(titleHeight));
        if (dpi == 192) {
            titleAt192 = titleHeight;
            EXPECT_NEAR(titleHeight, CapHeight(title.font.family, 24), 1.0) << "the 24-pixel font's capital";
        } else {
            EXPECT_NEAR(titleHeight, titleAt192 * k / 2.0, 1.0) << "title " << titleHeight << " px, at 192 dpi "
                                                                 << titleAt192;
        }

        // Pens, as drawn, in whole pixels with a half rounded down: the
        // outline's left edge across a row as the ink it leaves, and a major
        // humidity-ratio line away from it as its colour's run.
        const int row = static_cast<int>(view.plotY + view.plotHeight / 2);
        double outline = 0.0;
        for (int x = static_cast<int>(view.plotX - 6 * k); x < static_cast<int>(view.plotX + 6 * k); ++x)
            outline += ink(x, row);
        const int outlineWidth = dpi == 192 ? 4 : dpi == 144 ? 3 : 2;
        EXPECT_NEAR(outline, outlineWidth, 0.5);
        const auto major = std::find_if(scene.humidityRatio.segments.begin(), scene.humidityRatio.segments.end(),
                                        [&](const SceneSegment& line) {
                                            return line.major && line.from.x > view.plotX + 20 * k;
                                        });
        ASSERT_NE(major, scene.humidityRatio.segments.end());
        const int gridRow = static_cast<int>(major->from.y + (major->to.y - major->from.y) / 3.0);
        int gridWidth = 0;
        for (int x = static_cast<int>(major->from.x - 4 * k); x <= static_cast<int>(major->from.x + 4 * k); ++x)
            gridWidth += surface->Pixel(x, gridRow) == Rgb(kNavy) ? 1 : 0;
        EXPECT_EQ(gridWidth, dpi == 192 ? 2 : 1) << "major grid line at x = " << major->from.x;

        // The point's dot: its blue run through the centre.
        const PointD dot = view.ToPixel(48.0, 9.0);
        int run = 0;
        for (int x = static_cast<int>(dot.x - 12 * k); x < static_cast<int>(dot.x + 12 * k); ++x)
            run += surface->Pixel(x, static_cast<int>(dot.y)) == Rgb(kData);
        EXPECT_NEAR(run, 8.0 * k, 1.0);
    }
}

// What each Windows makes of the awareness Humistart declares, by the rules
// Microsoft documents for the manifest: before Windows 10 1607 only
// dpiAware counts ("true" is system awareness, "true/pm" and "per monitor"
// per-monitor v1); from 1607 the first value of dpiAwareness the system
// knows ("PerMonitorV2" from 1703). Per-monitor v1 rescales no dialog and
// leaves the chart the system's DPI, so no system may end there.
TEST(HumistartManifest, NoWindowsRunsItPerMonitorWithoutRescaledDialogs) {
    HMODULE program = LoadLibraryExW(HUMISTART_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program) << "Humistart.exe not found";
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_TRUE(found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(bytes, SizeofResource(program, found));
    FreeLibrary(program);
    auto setting = [&](const std::string& name) {
        const size_t open = manifest.find("<" + name + " "), start = manifest.find('>', open);
        const size_t end = manifest.find("</" + name + ">", start);
        std::string value = open == std::string::npos || end == std::string::npos
                                ? std::string()
                                : manifest.substr(start + 1, end - start - 1);
        std::transform(value.begin(), value.end(), value.begin(), [](char c) { return std::tolower(c); });
        return value;
    };
    const std::string aware = setting("dpiAware"), awareness = setting("dpiAwareness");
    const std::string before1607 = aware == "true" ? "system"
                                   : aware == "true/pm" || aware == "per monitor" ? "permonitor"
                                                                                  : "unaware";
    auto firstKnown = [&](std::vector<std::string> known) {
        std::string rest = awareness;
        while (!rest.empty()) {
            const size_t comma = rest.find(',');
            std::string value = rest.substr(0, comma);
            value.erase(0, value.find_first_not_of(" \t\r\n"));
            value.erase(value.find_last_not_of(" \t\r\n") + 1);
            if (std::find(known.begin(), known.end(), value) != known.end()) return value;
            rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
        }
        return before1607;
    };
    EXPECT_EQ(before1607, "system") << "Windows 8.1: " << aware;
    EXPECT_EQ(firstKnown({"unaware", "system", "permonitor"}), "system") << "Windows 10 1607: " << awareness;
    EXPECT_EQ(firstKnown({"unaware", "system", "permonitor", "permonitorv2"}), "permonitorv2")
        << "Windows 10 1703 and later: " << awareness;
}

}  // namespace
}  // namespace humichart::test
