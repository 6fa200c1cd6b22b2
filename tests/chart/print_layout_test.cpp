#include <gtest/gtest.h>

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
