#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "CChartSceneBuilder.h"
#include "CDataLayerBuilder.h"
#include "ChartColours.h"
#include "CountingCalcBinding.h"
#include "Humicalc.h"

namespace humichart {
namespace {

namespace colours = test::colours;

class DataLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.SetClientSize(800, 600);  // plot (50, 40, 710, 520)
        ChartScene scene;
        ASSERT_EQ(CChartSceneBuilder(calc).BuildImage(view, true, scene), kStatusOk);
        calc.Reset();
    }
    Status Build() { return CDataLayerBuilder(calc).Build(view, layer); }

    CHumichartDataObj data;
    CChartView view{data};
    test::CountingCalcBinding calc;
    DataLayer layer;
};

TEST_F(DataLayerTest, PointsInsideThePlotWithNamesBelowRight) {
    data.points = {{40, 6, L"A"}, {50, 8, L""}, {60, 60, L"far"}, {-40, 1, L"cold"}};
    ASSERT_EQ(Build(), kStatusOk);
    ASSERT_EQ(layer.dots.size(), 2u);
    const PointD a = view.ToPixel(40, 6);
    EXPECT_EQ(layer.dots[0].x, a.x - 4);
    EXPECT_EQ(layer.dots[0].width, 8);
    ASSERT_EQ(layer.names.size(), 1u);
    EXPECT_EQ(layer.names[0].text, L"A");
    EXPECT_EQ(layer.names[0].layout.x, a.x + 4);
    EXPECT_EQ(layer.names[0].layout.y, a.y + 4);
    EXPECT_TRUE(layer.names[0].font.bold);
    EXPECT_EQ(layer.dataClip.width, 798);
    EXPECT_FALSE(layer.hasBorder);
    EXPECT_EQ(calc.sessions, 0);  // nothing to compute without a CSSR region
}

TEST_F(DataLayerTest, LineToAPointOutsideThePlotIsKeptAndNamedInside) {
    data.HasProcessLineName = 1;
    data.points = {{40, 6, L"A"}, {120, 60, L"B"}};
    data.processes = {{L"A", L"B", L"heat", 1000}, {L"A", L"missing", L"x", 0},
                      {L"", L"B", L"y", 0}};
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_EQ(layer.dots.size(), 1u);
    ASSERT_EQ(layer.lines.size(), 1u);
    const PointD b = view.ToPixel(120, 60);
    EXPECT_GT(b.x, view.PlotRect().Right());
    EXPECT_EQ(layer.lines[0].to.x, b.x);  // cut to the chart region when painted
    ASSERT_EQ(layer.names.size(), 2u);
    const SceneText& name = layer.names[1];
    EXPECT_EQ(name.text, L"heat");
    // Midway along the part inside the plot.
    const PointD a = view.ToPixel(40, 6);
    const double t = (view.PlotRect().Right() - a.x) / (b.x - a.x);
    EXPECT_NEAR(name.layout.x, (a.x + view.PlotRect().Right()) / 2 + 2, 1e-6);
    EXPECT_NEAR(name.layout.y, (a.y + a.y + t * (b.y - a.y)) / 2 + 2, 1e-6);

    data.HasProcessLineName = 0;
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_EQ(layer.names.size(), 1u);
}

TEST_F(DataLayerTest, LinesToPointsBeyondAnyWindowKeepTheirVisiblePart) {
    // Accepted points far beyond the chart, up to where the pixel overflows.
    data.HasProcessLineName = 1;
    data.points = {{50, 10, L"A"}, {50 + 2.5 * 1e300, 1e300, L"right"}, {1e300, 0, L"up"},
                   {1e308, -1e308, L"overflow"}, {-1e300, 10, L"down"}};
    for (const wchar_t* far : {L"right", L"up", L"overflow", L"down"})
        data.processes.push_back({L"A", far, std::wstring(L"to ") + far, 1000});
    ASSERT_EQ(Build(), kStatusOk);
    const PointD a = view.ToPixel(50, 10);
    ASSERT_EQ(layer.lines.size(), 3u) << "a line with an end past what a double holds has no direction";
    for (const SceneSegment& line : layer.lines) {
        EXPECT_EQ(line.from.x, a.x);
        EXPECT_EQ(line.from.y, a.y);
        EXPECT_LE(std::max(std::fabs(line.to.x), std::fabs(line.to.y)), 1e6 + 1);
        EXPECT_GE(std::max(std::fabs(line.to.x), std::fabs(line.to.y)), 1e6 - 1);
    }
    // Level to the right, straight up, straight down: where the far points lie.
    EXPECT_NEAR(layer.lines[0].to.y, a.y, 1e-6);
    EXPECT_NEAR(layer.lines[1].to.x, a.x, 1e-6);
    EXPECT_LT(layer.lines[1].to.y, 0);
    EXPECT_NEAR(layer.lines[2].to.x, a.x, 1e-6);
    EXPECT_GT(layer.lines[2].to.y, 0);
    EXPECT_EQ(layer.names.size(), 1u + 3u) << "each line named inside the plot";
}

TEST_F(DataLayerTest, LinesUseTheFirstPointOfAName) {
    data.points = {{30, 5, L"A"}, {60, 10, L"B"}, {40, 2, L"A"}};
    data.processes = {{L"B", L"A", L"", 0}};
    ASSERT_EQ(Build(), kStatusOk);
    ASSERT_EQ(layer.lines.size(), 1u);
    EXPECT_EQ(layer.lines[0].to.x, view.ToPixel(30, 5).x);
    EXPECT_EQ(layer.lines[0].to.y, view.ToPixel(30, 5).y);
}

TEST_F(DataLayerTest, MixPointsArePlacedBeforeTheirLinesAreDrawn) {
    data.HasProcessLineName = 1;
    data.points = {{20, 4, L"F"}, {60, 12, L"R"}, {0, 0, L"M"}};
    data.mixes = {{L"F", L"R", L"M", L"mix", 300, 1200}, {L"F", L"R", L"", L"no mix", 0, 0},
                  {L"F", L"gone", L"M", L"", 0, 0}};
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_DOUBLE_EQ(data.points[2].I, 50.0);
    EXPECT_DOUBLE_EQ(data.points[2].D, 10.0);
    ASSERT_EQ(layer.lines.size(), 1u);
    EXPECT_EQ(layer.lines[0].from.x, view.ToPixel(20, 4).x);
    EXPECT_EQ(layer.dots.size(), 3u);
    EXPECT_EQ(layer.names.back().text, L"mix");
}

TEST_F(DataLayerTest, CssrRegionOnlyWhenItHasExtent) {
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_FALSE(layer.hasCssr);
    data.cssrRegion = {24, 24.05, 9, 9.005};
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_FALSE(layer.hasCssr);
    EXPECT_EQ(calc.sessions, 0);

    data.cssrRegion = {24, 24, 0.01, 0};  // exactly 0.01 apart
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_TRUE(layer.hasCssr);
    EXPECT_EQ(calc.sessions, 1);
    EXPECT_EQ(calc.calls, 2);

    data.cssrRegion = {26, 20, 12, 8};
    ASSERT_EQ(Build(), kStatusOk);
    humicalc::SetInit(data.airPressure);
    const PointD a = view.ToPixel(humicalc::ID_I_T_D(26, 12), 12);
    const PointD b = view.ToPixel(humicalc::ID_I_T_D(20, 8), 8);
    EXPECT_EQ(layer.cssr.x, b.x);
    EXPECT_EQ(layer.cssr.y, a.y);
    EXPECT_EQ(layer.cssr.width, a.x - b.x);
    EXPECT_EQ(layer.cssr.height, b.y - a.y);
    EXPECT_EQ(layer.cssrColor, colours::kCssr);

    // Stored the other way round it still covers the same states.
    const RectD straight = layer.cssr;
    data.cssrRegion = {20, 26, 8, 12};
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_DOUBLE_EQ(layer.cssr.x, straight.x);
    EXPECT_DOUBLE_EQ(layer.cssr.height, straight.height);

    calc.failOnCall = calc.calls + 1;
    EXPECT_EQ(Build(), calc.failStatus);
    EXPECT_DOUBLE_EQ(layer.cssr.x, straight.x);
}

TEST_F(DataLayerTest, BorderAlongTheWindowEdges) {
    data.HasBorder = 1;
    ASSERT_EQ(Build(), kStatusOk);
    EXPECT_TRUE(layer.hasBorder);
    EXPECT_EQ(layer.border.x, 1);
    EXPECT_EQ(layer.border.width, 798);
    EXPECT_EQ(layer.border.height, 598);
    EXPECT_EQ(layer.borderPen.color, colours::kBorder);
    EXPECT_EQ(layer.borderPen.width, 2.0f);
}

}  // namespace
}  // namespace humichart
