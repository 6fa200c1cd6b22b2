#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "CChartSceneBuilder.h"
#include "ChartColours.h"
#include "ChartPalette.h"
#include "CountingCalcBinding.h"
#include "Humicalc.h"

namespace humichart {
namespace {

namespace colours = test::colours;

// The one place where the palette meets the colour table; everything else
// compares what is drawn with the table.
TEST(ChartPalette, IsTheChartsColourTable) {
    const std::pair<ArgbColor, std::uint32_t> entries[] = {
        {palette::kBackgroundTinted, colours::kBackgroundTinted}, {palette::kBackgroundWhite, colours::kBackgroundWhite},
        {palette::kCaption, colours::kCaption},     {palette::kNavy, colours::kNavy},
        {palette::kGreen, colours::kGreen},         {palette::kMaroon, colours::kMaroon},
        {palette::kOlive, colours::kOlive},         {palette::kForeground, colours::kForeground},
        {palette::kBorder, colours::kBorder},       {palette::kCssr, colours::kCssr},
        {palette::kData, colours::kData}};
    for (std::size_t i = 0; i < std::size(entries); ++i) EXPECT_EQ(entries[i].first, entries[i].second) << i;
    EXPECT_EQ(palette::kGridPenWidth, 1.0f);
    EXPECT_EQ(palette::kOutlinePenWidth, 2.0f);
    EXPECT_EQ(palette::kBorderPenWidth, 2.0f);
    EXPECT_EQ(palette::kDataPenWidth, 2.0f);
    EXPECT_EQ(palette::kPointDiameter, 8.0);
}

class Scene : public ::testing::Test {
protected:
    Status Build(int width, int height) {
        view.SetClientSize(width, height);
        return CChartSceneBuilder(calc).BuildImage(view, true, scene);
    }
    // Rebuild with the current view, as after a zoom or pan.
    Status Rebuild() { return CChartSceneBuilder(calc).BuildChart(view, scene); }

    std::vector<std::wstring> Labels(ArgbColor color) const {
        std::vector<std::wstring> labels;
        for (const SceneText& text : scene.texts)
            if (text.color == color && text.text.find(L'(') == std::wstring::npos)
                labels.push_back(text.text);
        return labels;
    }
    std::vector<const SceneText*> Titles() const {
        std::vector<const SceneText*> titles;
        for (const SceneText& text : scene.texts)
            if (text.text.find(L'(') != std::wstring::npos) titles.push_back(&text);
        return titles;
    }

    CHumichartDataObj data;
    CChartView view{data};
    test::CountingCalcBinding calc;
    ChartScene scene;
};

TEST_F(Scene, DefaultChartIsOneSessionAtTheChartsPressure) {
    data.airPressure = 90000.0;
    ASSERT_EQ(Build(1280, 960), kStatusOk);
    EXPECT_EQ(calc.sessions, 1);
    EXPECT_EQ(calc.pressures, 90000.0);
    RecordProperty("calculator_calls", static_cast<int>(calc.calls));
    EXPECT_GT(calc.calls, 100);
    EXPECT_EQ(view.renderPending, 1) << "done only once the window has the image";
    EXPECT_EQ(scene.stepD, 20);
    EXPECT_EQ(scene.stepT, 50);
    EXPECT_TRUE(scene.fillBackground);
    EXPECT_EQ(scene.background, colours::kBackgroundTinted);
    EXPECT_TRUE(scene.hasCaption);
    EXPECT_EQ(scene.caption.font.size, 120.0f);
    EXPECT_EQ(scene.caption.layout.width, 1280.0);
    EXPECT_EQ(Titles().size(), 4u);
    EXPECT_FALSE(scene.humidityRatio.segments.empty());
    EXPECT_FALSE(scene.isotherms.segments.empty());
    EXPECT_FALSE(scene.enthalpy.segments.empty());
    EXPECT_EQ(scene.relativeHumidity.tension, 0.5f);
    EXPECT_TRUE(scene.hasForeground);
    EXPECT_EQ(scene.regionBounds.x, 49.0);
    EXPECT_EQ(scene.regionBounds.width, 1192.0);

    // Same figures again: nothing is carried over between rebuilds.
    const auto segments = scene.enthalpy.segments.size();
    const long calls = calc.calls;
    calc.Reset();
    view.renderPending = 1;
    ASSERT_EQ(CChartSceneBuilder(calc).BuildImage(view, false, scene), kStatusOk);
    EXPECT_EQ(calc.calls, calls);
    EXPECT_EQ(scene.enthalpy.segments.size(), segments);
    EXPECT_FALSE(scene.hasCaption);
}

TEST_F(Scene, WithoutLineFlagsOnlyTheOutlineAndTintRemain) {
    data.HasTLine = data.HasDLine = data.HasILine = data.HasFLine = 0;
    data.HasBackground = 0;
    ASSERT_EQ(Build(800, 600), kStatusOk);
    EXPECT_TRUE(scene.texts.empty());
    EXPECT_TRUE(scene.humidityRatio.segments.empty());
    EXPECT_TRUE(scene.isotherms.segments.empty());
    EXPECT_TRUE(scene.enthalpy.segments.empty());
    EXPECT_TRUE(scene.relativeHumidity.curves.empty());
    EXPECT_EQ(scene.outline.corners.size(), 5u);
    EXPECT_FALSE(scene.outline.saturation.empty());
    EXPECT_EQ(scene.background, colours::kBackgroundWhite);
    EXPECT_TRUE(scene.hasForeground);
}

TEST_F(Scene, OutlineRunsAroundTheChartAreaAndUpSaturation) {
    ASSERT_EQ(Build(800, 600), kStatusOk);
    const RectD area = view.ChartArea();
    const auto& c = scene.outline.corners;
    EXPECT_EQ(c[1].x, area.Right());
    EXPECT_EQ(c[1].y, area.y);
    EXPECT_EQ(c[2].x, area.x);
    EXPECT_EQ(c[3].y, area.Bottom());
    // Saturation at -30 degC lies a hair below Ymin, so it enters through the
    // bottom edge, close to the left corner.
    EXPECT_EQ(c[4].y, area.Bottom());
    EXPECT_GT(c[4].x, area.x);
    EXPECT_LT(c[4].x, area.x + 10.0);
    // P0 is saturation at Dmax, inside the area.
    EXPECT_LE(c[0].x, area.Right());
    EXPECT_NEAR(c[0].x, area.Right(), 1e-9);
    double lastX = c[4].x;
    for (const PointD& p : scene.outline.saturation) {
        EXPECT_GE(p.x, area.x);
        EXPECT_LE(p.x, area.Right());
        EXPECT_LE(p.y, area.Bottom());
        EXPECT_GE(p.x, lastX);
        lastX = p.x;
    }
    EXPECT_EQ(scene.outline.pen.width, 2.0f);
}

TEST_F(Scene, RelativeHumidityCurvesFollowTheTemperatureStep) {
    // Client heights giving t = 500, 200 and 50.
    struct Case { int height; int step; std::set<std::wstring> labels; size_t curves; };
    const std::vector<Case> cases = {
        {180, 500, {L"50"}, 1},
        {280, 200, {L"20", L"40", L"60", L"80"}, 4},
        {960, 50, {L"10", L"20", L"30", L"40", L"50", L"60", L"70", L"80", L"90"}, 19},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Build(1280, c.height), kStatusOk);
        EXPECT_EQ(scene.stepRH, c.step);
        EXPECT_EQ(scene.relativeHumidity.curves.size(), c.curves);
        const auto labels = Labels(colours::kOlive);
        EXPECT_EQ(std::set<std::wstring>(labels.begin(), labels.end()), c.labels)
            << "height " << c.height;
        for (const auto& curve : scene.relativeHumidity.curves) EXPECT_GE(curve.size(), 3u);
    }
}

TEST_F(Scene, RelativeHumidityCurvesStopAtTheRightEdgeOrTheTop) {
    view.SetRange(-10, 40, 0, 20);
    ASSERT_EQ(Build(800, 600), kStatusOk);
    const RectD area = view.ChartArea();
    const double right = std::min(area.Right(), view.PlotRect().Right());
    int atRight = 0, atTop = 0;
    for (const auto& curve : scene.relativeHumidity.curves) {
        for (const PointD& p : curve) {
            EXPECT_LE(p.x, right + 1e-9);
            EXPECT_GE(p.y, area.y - 1e-9);
        }
        const PointD last = curve.back();
        atRight += std::fabs(last.x - right) < 1e-9;
        atTop += std::fabs(last.y - area.y) < 1e-9;
    }
    // High humidities leave through the top, low ones through the right edge.
    EXPECT_GT(atRight, 0);
    EXPECT_GT(atTop, 0);
    EXPECT_EQ(atRight + atTop, static_cast<int>(scene.relativeHumidity.curves.size()));
}

TEST_F(Scene, HumidityRatioLinesSkipTheRangeEdgesButLabelThem) {
    ASSERT_EQ(Build(1280, 960), kStatusOk);  // a = 20: every 1 g/kg
    const double left = view.ToPixel(0, 0).x;
    const double right = view.ToPixel(0, 42).x;
    ASSERT_EQ(scene.humidityRatio.segments.size(), 41u);
    for (const SceneSegment& s : scene.humidityRatio.segments) {
        EXPECT_GT(s.from.x, left + 1.0);
        EXPECT_LT(s.from.x, right - 1.0);
        EXPECT_EQ(s.from.x, s.to.x);
        EXPECT_EQ(s.from.y, view.pos.y0);
    }
    const auto labels = Labels(colours::kNavy);
    EXPECT_EQ(labels.front(), L"0");
    EXPECT_EQ(labels.back(), L"42");
    EXPECT_EQ(labels.size(), 22u);  // even steps only
    const auto majors = std::count_if(scene.humidityRatio.segments.begin(),
                                      scene.humidityRatio.segments.end(),
                                      [](const SceneSegment& s) { return s.major; });
    EXPECT_EQ(majors, 20);
}

TEST_F(Scene, IsothermLabelsOnlyWhereTheLineReachesTheLeftEdge) {
    // Slanted isotherms at high humidity ratios; zoomed about the top-left
    // corner so that the lower ones enter through the bottom edge.
    view.SetRange(50, 90, 0, 300);
    ASSERT_EQ(Build(800, 600), kStatusOk);
    view.Zoom(2, {view.plotX, view.plotY});
    ASSERT_EQ(Rebuild(), kStatusOk);
    const double xl = std::max<double>(view.plotX, view.pos.x0);
    size_t reaching = 0, entering = 0;
    for (const SceneSegment& s : scene.isotherms.segments) {
        if (s.from.x <= xl) ++reaching;
        else ++entering;
    }
    EXPECT_GT(entering, 0u);
    EXPECT_EQ(Labels(colours::kGreen).size(), reaching);
    for (const SceneText& text : scene.texts)
        if (text.color == colours::kGreen && text.text.find(L'(') == std::wstring::npos) {
            EXPECT_EQ(text.layout.x, xl - 29.0);
            EXPECT_EQ(text.format.lineAlignment, TextFormat::Align::Center);
        }
}

TEST_F(Scene, IsothermAtMinimumTemperatureAboveAndBelowZero) {
    view.SetRange(5, 50, 0, 30);
    ASSERT_EQ(Build(800, 600), kStatusOk);  // t = 50
    auto labels = Labels(colours::kGreen);
    EXPECT_EQ(labels.back(), L"10");
    EXPECT_EQ(std::count(labels.begin(), labels.end(), L"5"), 0);

    view.SetRange(-20, 40, 0, 30);
    ASSERT_EQ(Build(800, 600), kStatusOk);
    labels = Labels(colours::kGreen);
    EXPECT_EQ(labels.back(), L"-20");
}

TEST_F(Scene, EnthalpyLabelsOnMajorLinesOnly) {
    ASSERT_EQ(Build(800, 600), kStatusOk);
    const auto majors = std::count_if(scene.enthalpy.segments.begin(),
                                      scene.enthalpy.segments.end(),
                                      [](const SceneSegment& s) { return s.major; });
    const auto labels = Labels(colours::kMaroon);
    EXPECT_GT(labels.size(), 5u);
    EXPECT_LE(static_cast<long>(labels.size()), majors);
    EXPECT_EQ(scene.enthalpy.majorPen.color, colours::kMaroon);
    EXPECT_EQ(scene.enthalpy.minorPen.color, colours::kGreen);
    for (const SceneSegment& s : scene.enthalpy.segments) {
        const RectD clip = scene.clip;
        EXPECT_GE(s.from.x, clip.x);
        EXPECT_LE(s.to.x, clip.Right());
        EXPECT_LE(s.from.y, clip.Bottom());
    }
}

TEST_F(Scene, TitlesWhereTheChartPutsThem) {
    ASSERT_EQ(Build(800, 600), kStatusOk);
    const auto titles = Titles();
    ASSERT_EQ(titles.size(), 4u);
    EXPECT_EQ(titles[0]->text, L"D(g/kg)");
    EXPECT_EQ(titles[0]->layout.x, 710 * 0.5);
    EXPECT_EQ(titles[0]->layout.y, 40 - 33);
    EXPECT_EQ(titles[1]->text, L"T(\u2103)");
    EXPECT_TRUE(titles[1]->format.vertical && titles[1]->format.rightToLeft);
    EXPECT_EQ(titles[2]->text, L"I(kJ/kg)");
    EXPECT_EQ(titles[2]->layout.y, 40 + 520 + 15);
    EXPECT_EQ(titles[3]->text, L"RH(%)");
    EXPECT_EQ(titles[3]->layout.x, 50 + 710 + 20);
    EXPECT_TRUE(titles[3]->format.vertical && !titles[3]->format.rightToLeft);
    EXPECT_EQ(titles[3]->font.family, L"Times New Roman");
    EXPECT_EQ(titles[3]->font.size, 12.0f);
}

TEST_F(Scene, CalculatorFailuresStopTheRebuildAndKeepThePreviousScene) {
    ASSERT_EQ(Build(800, 600), kStatusOk);
    const auto segments = scene.isotherms.segments.size();
    view.renderPending = 1;

    calc.openStatus = static_cast<Status>(0x80040154u);  // class not registered
    EXPECT_EQ(CChartSceneBuilder(calc).BuildImage(view, true, scene),
              static_cast<Status>(0x80040154u));
    calc.openStatus = kStatusOk;
    calc.Reset();
    calc.failOnCall = 40;
    EXPECT_EQ(CChartSceneBuilder(calc).BuildImage(view, true, scene), calc.failStatus);
    EXPECT_EQ(calc.calls, 40);
    EXPECT_EQ(view.renderPending, 1);
    EXPECT_EQ(scene.isotherms.segments.size(), segments);
}

TEST_F(Scene, SaturationMatchesTheCalculator) {
    // The outline's P0 is the saturation point at Dmax, whatever the pressure.
    data.airPressure = 80000.0;
    view.SetRange(0, 40, 0, 20);
    ASSERT_EQ(Build(800, 600), kStatusOk);
    humicalc::SetInit(80000.0);
    const PointD expected = view.ToPixel(humicalc::ID_I_D_F(20.0, 1.0), 20.0);
    EXPECT_DOUBLE_EQ(scene.outline.corners[0].y, std::min(expected.y, view.ChartArea().Bottom()));
}

}  // namespace
}  // namespace humichart

namespace humichart {
namespace {

TEST_F(Scene, ExtremeViewsStayBounded) {
    ASSERT_EQ(Build(1280, 960), kStatusOk);
    const long defaultCalls = calc.calls;
    view.Zoom(100, {640, 480});
    calc.Reset();
    ASSERT_EQ(Rebuild(), kStatusOk);
    EXPECT_EQ(scene.stepD, 1);
    EXPECT_EQ(scene.stepT, 1);
    EXPECT_LT(calc.calls, 100 * defaultCalls);
    for (const SceneSegment& s : scene.isotherms.segments) {
        EXPECT_GE(s.from.y, scene.clip.y);
        EXPECT_LE(s.to.y, scene.clip.Bottom());
    }
    // Panned far away: nothing of the grid is visible and nothing overflows.
    for (double d : {1e12, -1e12}) {
        view.Pan(d, d);
        calc.Reset();
        ASSERT_EQ(Rebuild(), kStatusOk);
        EXPECT_TRUE(scene.isotherms.segments.empty());
        EXPECT_TRUE(scene.enthalpy.segments.empty());
        EXPECT_LT(calc.calls, 100000);
        view.Pan(-d, -d);
    }
    // A pressure so low that saturation is off every scale.
    data.airPressure = 1000.0;
    calc.Reset();
    ASSERT_EQ(Rebuild(), kStatusOk);
    EXPECT_LT(calc.calls, 100000);
}

}  // namespace
}  // namespace humichart
