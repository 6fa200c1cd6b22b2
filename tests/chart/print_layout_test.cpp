#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "PrintLayout.h"

namespace humichart {
namespace {

TEST(PrintLayout, PlotTakesThePageWidthOrHeightByWhichOfWindowAndPageIsTheWider) {
    struct Case {
        const char* name;
        int clientWidth, clientHeight, pageWidth, pageHeight;
        int fittedWidth, fittedHeight;
        double r;
    };
    // Plot = client less 90 across and 80 down, as last rendered.
    const Case cases[] = {
        // (850 - 90) * 320 / 710 = 342.5: the width taken, height 80 + 342.
        {"twice as wide on portrait", 800, 400, 850, 1100, 850, 422, 342.0 / 320.0},
        // (1100 - 80) * 310 / 720 = 439.2: the height taken, width 90 + 439.
        {"twice as high on portrait", 400, 800, 850, 1100, 529, 1100, 439.0 / 310.0},
        // Square on landscape: (850 - 80) * 910 / 920 = 761.6.
        {"square on landscape", 1000, 1000, 1100, 850, 851, 850, 761.0 / 910.0},
        // Page-like: the window is the wider of the two (0.784 > 0.773), but
        // its plot 110 x 175 is the narrower of plot and room 760 x 1020, so
        // the height decides: (1100 - 80) * 110 / 175 = 641.1.
        {"200 x 255 on portrait letter", 200, 255, 850, 1100, 731, 1100, 641.0 / 110.0},
        // Equal proportions: not the wider, so the height decides.
        {"the page's own proportions", 850, 1100, 850, 1100, 850, 1100, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintLayout layout = FitToPage(c.clientWidth, c.clientHeight, c.clientWidth - 90.0,
                                             c.clientHeight - 80.0, c.pageWidth, c.pageHeight);
        EXPECT_EQ(layout.pageWidth, c.fittedWidth);
        EXPECT_EQ(layout.pageHeight, c.fittedHeight);
        EXPECT_DOUBLE_EQ(layout.r, c.r);
    }
}

// Every window on every page: the chart (plot plus the 90 x 80 margins its
// titles and labels stand in) inside the printable area, as large as fits -
// the plot touches the room left for it across or down - at the plot's own
// proportions. Page-like windows are the ones the window's proportions
// misjudged.
TEST(PrintLayout, WholeChartInsideThePrintableAreaAsLargeAsFitsForAnyWindowAndPage) {
    struct Window {
        int width, height;
    };
    struct Page {
        const char* name;
        int width, height;  // printable area, hundredths of an inch
    };
    const Window windows[] = {{800, 400}, {400, 800}, {620, 439}, {200, 255}, {260, 330}, {850, 1100},
                              {1100, 850}, {300, 300}, {1280, 960}, {91, 2000}, {2000, 81}};
    const Page pages[] = {{"letter portrait", 800, 1050}, {"letter landscape", 1050, 800},
                          {"A4 portrait", 793, 1135},     {"A4 landscape", 1135, 793},
                          {"A3 portrait", 1136, 1612},    {"A3 landscape", 1612, 1136}};
    for (const Page& page : pages)
        for (const Window& window : windows) {
            SCOPED_TRACE(testing::Message() << page.name << ", window " << window.width << " x " << window.height);
            const double plotWidth = window.width - 90.0, plotHeight = window.height - 80.0;
            const PrintLayout layout =
                FitToPage(window.width, window.height, plotWidth, plotHeight, page.width, page.height);
            EXPECT_LE(layout.pageWidth, page.width);
            EXPECT_LE(layout.pageHeight, page.height);
            // The plot as drawn (scaled by r) within the page less the margins.
            const double drawnWidth = layout.r * plotWidth, drawnHeight = layout.r * plotHeight;
            EXPECT_LE(drawnWidth, layout.pageWidth - 90 + 1e-9);
            EXPECT_LE(drawnHeight, layout.pageHeight - 80 + 1e-9);
            // As large as fits: one hundredth more of the side the page is
            // cut to would run the plot past the room for it.
            EXPECT_TRUE((layout.r + 1.0 / plotHeight) * plotWidth > page.width - 90 ||
                        (layout.r + 1.0 / plotWidth) * plotHeight > page.height - 80)
                << drawnWidth << " x " << drawnHeight;
            // The page is cut to the chart on one side and kept on the other.
            EXPECT_TRUE((layout.pageWidth == page.width && std::abs(layout.pageHeight - 80 - drawnHeight) < 1e-6) ||
                        (layout.pageHeight == page.height && std::abs(layout.pageWidth - 90 - drawnWidth) < 1e-6));
        }
}

TEST(PrintLayout, WindowWithoutAPlotKeepsThePageAndTheView) {
    for (const auto& [width, height] : {std::pair{60, 300}, std::pair{300, 50}, std::pair{0, 0}}) {
        const PrintLayout layout = FitToPage(width, height, width - 90.0, height - 80.0, 850, 1100);
        EXPECT_EQ(layout.pageWidth, 850);
        EXPECT_EQ(layout.pageHeight, 1100);
        EXPECT_EQ(layout.r, 1.0);
    }
}

TEST(PrintLayout, PalettesOf256ColoursOrFewerPrintWithoutTints) {
    for (const auto& [colours, without] :
         {std::pair{-1, false}, std::pair{2, true}, std::pair{16, true}, std::pair{256, true}, std::pair{257, false}})
        EXPECT_EQ(PrintsWithoutTints(colours), without) << colours;
}

}  // namespace
}  // namespace humichart
