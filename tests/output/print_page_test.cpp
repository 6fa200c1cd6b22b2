// One printed page drawn on a bitmap that poses as a printer page at 96
// pixels per inch: the window's plot fitted to the page with the window's
// proportions, few-colour printers without tints, the window's zoom, pan,
// flags and picture unchanged afterwards, and no caption on paper.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ChartPalette.h"
#include "OutputTest.h"

namespace humichart::test {
namespace {

using namespace humichart::palette;

// A portrait page of 8.5 x 11 inches: 850 x 1100 hundredths.
constexpr int kPageWidthPx = 816;
constexpr int kPageHeightPx = 1056;
constexpr double kPxPerUnit = 0.96;
constexpr std::uint32_t kUnpainted = 0x123456;

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

class PrintPageTest : public ChartWindowTest {
protected:
    RecordingChart& OpenRecording(int width, int height) {
        auto chart = std::make_unique<RecordingChart>();
        RecordingChart* recording = chart.get();
        Open(width, height, std::move(chart));
        return *recording;
    }

    // The page as printed on a chart showing only its outline.
    static void OutlineOnly(CIDWnd& chart) {
        chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
        chart.HasForeground = 0;
    }

    // The page as a printer that blends (drawn straight on it) or one that
    // cannot (drawn in bands). The bitmap reaches past the printable area,
    // which must stay unpainted.
    Picture Print(RecordingChart& chart, int colours = -1, bool canBlend = false) {
        return Print(chart, CIDWnd::PrinterPage{kPageWidthPx, kPageHeightPx, 96, 96, colours, canBlend});
    }
    Picture Print(RecordingChart& chart, const CIDWnd::PrinterPage& printer) {
        chart.page = printer;
        DibSurface page(printer.width + kBeyond, printer.height + kBeyond);
        EXPECT_TRUE(page.Ok());
        page.Fill(kUnpainted);
        EXPECT_TRUE(chart.RenderForPrint(page.DC()));
        GdiFlush();
        Picture picture = ReadSurface(page);
        int beyond = 0;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (x >= printer.width || y >= printer.height) beyond += picture.At(x, y) != kUnpainted ? 1 : 0;
        EXPECT_EQ(beyond, 0) << "pixels printed beyond the printable area";
        return picture;
    }
    static constexpr int kBeyond = 200;

    static Box BoxOf(const Picture& picture, std::uint32_t rgb) {
        Box box;
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x)
                if (Near(picture.At(x, y), rgb, 8)) {
                    box.left = std::min(box.left, x);
                    box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y);
                    box.bottom = std::max(box.bottom, y);
                }
        return box;
    }

    static int CountNear(const Picture& picture, std::uint32_t rgb) {
        int count = 0;
        for (std::uint32_t pixel : picture.pixels) count += Near(pixel, rgb, 2) ? 1 : 0;
        return count;
    }
};

TEST_F(PrintPageTest, PlotFillsThePageWidthOrHeightWithTheWindowsProportions) {
    // Page units (hundredths of an inch) worked out by hand from the fit rule.
    struct Case {
        const char* name;
        int width, height;          // window
        double right, bottom;       // chart area on the page
        double fillRight, fillBottom;  // background fill: the page used
    };
    const Case cases[] = {
        // Plot 710 x 320 on 850 x 1100: m = (850 - 90) * 320 / 710 = 342.
        {"twice as wide as high", 800, 400, 810.0, 382.0, 850.0, 422.0},
        // Plot 310 x 720: m = (1100 - 80) * 310 / 720 = 439.
        {"twice as high as wide", 400, 800, 489.0, 1060.0, 529.0, 1100.0},
        // Page-like, plot 110 x 175: its height decides, (1100 - 80) * 110 /
        // 175 = 641, where the window's proportions ran it 1.9 in off the page.
        {"page-like", 200, 255, 691.0, 1060.0, 731.0, 1100.0},
    };
    // A window of the same inches on a 150 % screen prints the same page:
    // paper keeps its hundredths of an inch. Within a few more of them: its
    // margins of 67.5 pixels round to 68, which shifts the plot's proportions.
    for (const int dpi : {96, 144})
    for (const bool canBlend : {false, true})
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << (canBlend ? ", drawn on the page" : ", in bands") << ", "
                                        << dpi << " dpi");
        RecordingChart& chart = OpenRecording(c.width * dpi / 96, c.height * dpi / 96);
        chart.View().SetDpi(dpi);
        OutlineOnly(chart);
        Paint();
        const Picture page = Print(chart, -1, canBlend);
        EXPECT_EQ(chart.View().Dpi(), dpi);

        const Box outline = BoxOf(page, Rgb(kGreen));
        const double slack = dpi == 96 ? 3.0 : 6.0;
        EXPECT_NEAR(outline.left, 50 * kPxPerUnit, 3);
        EXPECT_NEAR(outline.top, 40 * kPxPerUnit, 3);
        EXPECT_NEAR(outline.right, c.right * kPxPerUnit, slack);
        EXPECT_NEAR(outline.bottom, c.bottom * kPxPerUnit, slack);

        // The background covers the page used and not a pixel more.
        const int fillRight = static_cast<int>(c.fillRight * kPxPerUnit);
        const int fillBottom = static_cast<int>(c.fillBottom * kPxPerUnit);
        EXPECT_EQ(page.At(std::min(fillRight, kPageWidthPx) - 3, 10), Rgb(kBackgroundTinted));
        EXPECT_EQ(page.At(10, std::min(fillBottom, kPageHeightPx) - 3), Rgb(kBackgroundTinted));
        if (fillRight + 3 < kPageWidthPx) EXPECT_EQ(page.At(fillRight + 3, 10), kUnpainted);
        if (fillBottom + 3 < kPageHeightPx) EXPECT_EQ(page.At(10, fillBottom + 3), kUnpainted);
    }
}

TEST_F(PrintPageTest, FewColourPrintersGetNoTintsAndTheWindowKeepsItsFlags) {
    struct Case {
        int colours;
        bool tinted;
    };
    for (const Case& c : {Case{-1, true}, Case{256, false}, Case{2, false}}) {
        SCOPED_TRACE(c.colours);
        RecordingChart& chart = OpenRecording(640, 480);
        chart.HasTLine = chart.HasDLine = chart.HasILine = chart.HasFLine = 0;
        Paint();
        // A spot inside the chart area away from the outline.
        const PointD inside = chart.View().ToPixel(40.0, 10.0);
        const double r = 552.0 / 400.0;  // plot 550 x 400 on 850 wide: m = 552
        const int x = static_cast<int>((50 + r * (inside.x - 50)) * kPxPerUnit);
        const int y = static_cast<int>((40 + r * (inside.y - 40)) * kPxPerUnit);

        const Picture page = Print(chart, c.colours);
        if (c.tinted) {
            EXPECT_EQ(page.At(10, 10), Rgb(kBackgroundTinted));
            EXPECT_TRUE(Near(page.At(x, y), Blend(kForeground, Rgb(kBackgroundTinted)), 3)) << std::hex
                                                                                              << page.At(x, y);
        } else {
            EXPECT_EQ(page.At(10, 10), 0xFFFFFFu);
            EXPECT_EQ(page.At(x, y), 0xFFFFFFu);
        }
        EXPECT_EQ(chart.HasBackground, 1);
        EXPECT_EQ(chart.HasForeground, 1);
    }
}

TEST_F(PrintPageTest, ZoomedAndPannedWindowPrintsTheSamePartWithoutCaptionAndStaysAsItWas) {
    RecordingChart& chart = OpenRecording(640, 480);
    render::AddDemoData(chart);
    chart.captionVisible = 1;
    Paint();
    chart.View().Zoom(1.5, {300.0, 200.0});
    chart.View().Pan(-30.0, 20.0);
    chart.RequestRender();
    Paint();
    const Picture before = ReadSurface(*surface);
    ASSERT_GT(CountNear(before, Blend(kCaption, Rgb(kBackgroundTinted))), 500) << "the window shows its caption";
    const CChartView& view = chart.View();
    const CIDPos pos = view.pos;
    const RectD plot = view.PlotRect();
    const StatePoint& room = chart.points[2];
    const PointD onScreen = view.ToPixel(room.I, room.D);

    const Picture page = Print(chart);

    EXPECT_EQ(CountNear(page, Blend(kCaption, Rgb(kBackgroundTinted))), 0);
    // The room state where the window shows it, scaled about the plot's
    // corner: plot 550 x 400 on 850 wide, m = 552.
    const double r = 552.0 / 400.0;
    const int px = static_cast<int>(std::lround((50 + r * (onScreen.x - 50)) * kPxPerUnit));
    const int py = static_cast<int>(std::lround((40 + r * (onScreen.y - 40)) * kPxPerUnit));
    EXPECT_EQ(page.At(px, py), Rgb(kData)) << "dot of the room state at " << px << ", " << py;

    EXPECT_EQ(view.pos.x0, pos.x0);
    EXPECT_EQ(view.pos.y0, pos.y0);
    EXPECT_EQ(view.pos.s, pos.s);
    EXPECT_EQ(view.pos.W, pos.W);
    EXPECT_EQ(view.pos.H, pos.H);
    EXPECT_EQ(view.pos.ax, pos.ax);
    EXPECT_EQ(view.pos.ay, pos.ay);
    EXPECT_EQ(view.clientWidth, 640);
    EXPECT_EQ(view.clientHeight, 480);
    EXPECT_EQ(view.PlotRect().width, plot.width);
    EXPECT_EQ(view.PlotRect().height, plot.height);
    EXPECT_EQ(chart.paintSuppressed, 0);
    EXPECT_EQ(chart.renderPending(), 1);
    // The window paints the same picture again.
    Paint();
    const Picture after = ReadSurface(*surface);
    int differences = 0;
    for (size_t i = 0; i < after.pixels.size(); ++i) differences += after.pixels[i] != before.pixels[i] ? 1 : 0;
    EXPECT_EQ(differences, 0);
}

// A printer that cannot blend gets the page in bands, and the printable area
// of A4 at 300 dpi is 35 MB of pixels, more than two bands hold. Where two bands meet the
// chart goes on: no row brings the page's background into the chart area.
TEST_F(PrintPageTest, BandsMeetWithoutASeam) {
    RecordingChart& chart = OpenRecording(260, 330);
    render::AddDemoData(chart);
    Paint();
    const Picture page = Print(chart, CIDWnd::PrinterPage{2479, 3508, 300, 300, -1, false});
    const Box tinted = BoxOf(page, Blend(kForeground, Rgb(kBackgroundTinted)));
    ASSERT_GT(tinted.bottom - tinted.top, 2000) << "the chart area spans more than one band";
    // Background within the chart area's box lies beside the saturation
    // curve, a few pixels more or less from one row to the next.
    EXPECT_EQ(RowsCrossedBy(page, tinted.left, tinted.top, tinted.right, tinted.bottom, Rgb(kBackgroundTinted), 30),
              std::vector<int>{});
}

}  // namespace
}  // namespace humichart::test
