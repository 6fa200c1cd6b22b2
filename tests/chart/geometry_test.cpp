#include <gtest/gtest.h>

#include "CChartView.h"
#include "ClipSegment.h"

namespace humichart {
namespace {

class Geometry : public ::testing::Test {
protected:
    // A laid-out view as after the first render of a window of the given size.
    void Layout(int width, int height) {
        view.SetClientSize(width, height);
        view.UpdatePlotRect();
        view.ApplyViewReset();
    }
    CHumichartDataObj data;
    CChartView view{data};
};

void ExpectRange(const ChartRange& r, double minT, double maxT, double minD, double maxD) {
    EXPECT_NEAR(r.minT, minT, 1e-12);
    EXPECT_NEAR(r.maxT, maxT, 1e-12);
    EXPECT_NEAR(r.minD, minD, 1e-12);
    EXPECT_NEAR(r.maxD, maxD, 1e-12);
}

TEST_F(Geometry, DefaultRangeReadsBackAsMinus30To65) {
    // Exactly: the read-back goes into the control's saved stream.
    for (bool restored : {false, true}) {
        if (restored) data.RestoreDefaults();
        const ChartRange r = view.GetRange();
        EXPECT_EQ(r.minT, -30.0);
        EXPECT_EQ(r.maxT, 65.0);
        EXPECT_EQ(r.minD, 0.0);
        EXPECT_EQ(r.maxD, 42.0);
    }
}

TEST_F(Geometry, SetRangeOrdersScalesAndRoundTrips) {
    view.SetRange(30, 10, 50, 20);
    const auto swapped = data.viewRange;
    view.SetRange(10, 30, 20, 50);
    EXPECT_EQ(data.viewRange.Ymin, swapped.Ymin);
    EXPECT_EQ(data.viewRange.Dmax, swapped.Dmax);
    EXPECT_DOUBLE_EQ(data.viewRange.Ymin, 10.05);
    EXPECT_DOUBLE_EQ(data.viewRange.Ymax, 30.15);
    for (double t1 : {-100.0, -17.3, 0.0, 12.5}) {
        view.SetRange(t1, t1 + 57.7, 0.3, 33.3);
        ExpectRange(view.GetRange(), t1, t1 + 57.7, 0.3, 33.3);
    }
}

TEST_F(Geometry, SetRangeClampsEachBound) {
    view.SetRange(-150, -120, 600, 700);
    ExpectRange(view.GetRange(), -100, -90, 490, 500);
    view.SetRange(250, 300, -5, -1);
    ExpectRange(view.GetRange(), 190, 200, 0, 10);
    view.SetRange(-20, 250, 10, 800);
    ExpectRange(view.GetRange(), -20, 200, 10, 500);
}

TEST_F(Geometry, PlotRectangleAndReset) {
    Layout(300, 200);
    const RectD plot = view.PlotRect();
    EXPECT_EQ(plot.x, 50);
    EXPECT_EQ(plot.y, 40);
    EXPECT_EQ(plot.width, 210);
    EXPECT_EQ(plot.height, 120);
    EXPECT_EQ(view.pos.x0, 50);
    EXPECT_EQ(view.pos.y0, 40);
    EXPECT_EQ(view.pos.W, 210);
    EXPECT_EQ(view.pos.s, 1);
    EXPECT_EQ(view.viewResetPending, 0);

    // A narrow window still gets a 100-pixel chart that runs past the plot;
    // only the plot part is visible.
    Layout(150, 150);
    EXPECT_EQ(view.pos.W, 100);
    EXPECT_EQ(view.pos.H, 100);
    const RectD visible = view.VisibleArea();
    EXPECT_EQ(visible.width, 60);
    EXPECT_EQ(visible.height, 70);
    const RectD clip = view.ClipRect();
    EXPECT_EQ(clip.x, 49);
    EXPECT_EQ(clip.width, 62);
}

TEST_F(Geometry, ResizeDropsZoomAndPanAtTheNextReset) {
    Layout(400, 300);
    view.Zoom(4, {100, 100});
    view.Pan(30, -20);
    view.renderPending = 0;
    view.SetClientSize(400, 300);
    EXPECT_EQ(view.renderPending, 1);
    view.ApplyViewReset();
    EXPECT_EQ(view.pos.s, 1);
    EXPECT_EQ(view.pos.x0, 50);
    EXPECT_EQ(view.pos.ax, 0);
}

TEST(CIDPosZoom, LimitsAndZeroFactor) {
    CIDPos pos;
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(pos.Zoom(10));
    EXPECT_EQ(pos.s, 100);
    for (int i = 0; i < 5; ++i) pos.Zoom(0.1);
    EXPECT_DOUBLE_EQ(pos.s, 0.1);
    const CIDPos saved = pos;
    EXPECT_FALSE(pos.Zoom(0));
    EXPECT_FALSE(pos.Zoom(5e-7));
    EXPECT_EQ(pos.s, saved.s);
    EXPECT_EQ(pos.x0, saved.x0);
}

TEST_F(Geometry, RoundTripAndCornersAtAnyZoomAndPan) {
    Layout(640, 480);
    view.SetRange(-10, 45, 2, 30);
    const auto& vr = data.viewRange;
    for (double k : {1.0, 3.7, 0.2, 50.0}) {
        view.Zoom(k, {123, 321});
        view.Pan(17.5, -41);
        for (double I : {-20.0, 0.0, 55.5, 120.0})
            for (double D : {0.0, 7.25, 29.9}) {
                const PointD p = view.ToPixel(I, D);
                const ChartState back = view.FromPixel(p.x, p.y);
                EXPECT_NEAR(back.I, I, 1e-9);
                EXPECT_NEAR(back.D, D, 1e-9);
            }
        const ChartState corner = view.FromPixel(view.pos.x0, view.pos.y0);
        EXPECT_NEAR(corner.D, vr.Dmin, 1e-12);
        EXPECT_NEAR(corner.I - CChartView::kSlant * corner.D, vr.Ymax, 1e-12);
    }
}

TEST_F(Geometry, ZoomKeepsTheStateUnderItsAnchor) {
    Layout(640, 480);
    const PointD anchor{300, 200};
    const ChartState before = view.FromPixel(anchor.x, anchor.y);
    EXPECT_TRUE(view.Zoom(2.5, anchor));
    const ChartState after = view.FromPixel(anchor.x, anchor.y);
    EXPECT_NEAR(after.I, before.I, 1e-9);
    EXPECT_NEAR(after.D, before.D, 1e-9);
}

TEST_F(Geometry, StepCodesFollowMagnification) {
    // Default range: 42 g/kg across W pixels, 95 degC down H pixels.
    Layout(190, 180);  // W = H = 100
    EXPECT_EQ(view.StepCodeD(), 200);  // q = 95.2
    EXPECT_EQ(view.StepCodeT(), 500);  // p = 105
    EXPECT_EQ(view.StepCodeRH(), 500);
    Layout(1280, 960);  // W = 1190, H = 880
    EXPECT_EQ(view.StepCodeD(), 20);   // q = 1133
    EXPECT_EQ(view.StepCodeT(), 50);   // p = 926
    EXPECT_EQ(view.StepCodeI(), 50);
    EXPECT_EQ(view.StepCodeRH(), 50);
    view.Zoom(8, {0, 0});  // q = 9067, p = 7410
    EXPECT_EQ(view.StepCodeD(), 5);
    EXPECT_EQ(view.StepCodeT(), 5);
    EXPECT_EQ(view.StepCodeRH(), 50);
    view.Zoom(1000, {0, 0});  // s = 100
    EXPECT_EQ(view.StepCodeD(), 1);
    EXPECT_EQ(view.StepCodeT(), 1);
    view.Zoom(0.00001, {0, 0});  // s = 0.1: q = 113, p = 92.6
    EXPECT_EQ(view.StepCodeD(), 200);
    EXPECT_EQ(view.StepCodeT(), 500);
    EXPECT_EQ(view.StepCodeRH(), 500);
    // Thresholds are exclusive: exactly 80 is the next finer code.
    view.SetRange(-30, 65, 0, 50);
    Layout(190, 180);
    EXPECT_EQ(view.StepCodeD(), 200);
    view.SetRange(-30, 65, 0, 50.0001);
    EXPECT_EQ(view.StepCodeD(), 500);
}

TEST(FormatLabel, IntegerAboveNineOneDecimalOtherwise) {
    EXPECT_EQ(CChartView::FormatLabel(25.0, 500), L"25");
    EXPECT_EQ(CChartView::FormatLabel(12.5, 10), L"12");
    EXPECT_EQ(CChartView::FormatLabel(-15.0, 50), L"-15");
    EXPECT_EQ(CChartView::FormatLabel(-2.5, 50), L"-2");
    EXPECT_EQ(CChartView::FormatLabel(12.25, 5), L"12.2");
    EXPECT_EQ(CChartView::FormatLabel(0.5, 2), L"0.5");
}

TEST(ClipSegmentCases, InsideOutsideAndCrossing) {
    const RectD r{10, 20, 100, 50};  // right 110, bottom 70
    double x1 = 10, y1 = 20, x2 = 110, y2 = 70;
    EXPECT_TRUE(ClipSegment(x1, y1, x2, y2, r));  // edges count as inside
    EXPECT_EQ(x2, 110);

    x1 = 0, y1 = 0, x2 = 5, y2 = 100;  // both left
    EXPECT_FALSE(ClipSegment(x1, y1, x2, y2, r));
    x1 = 0, y1 = 80, x2 = 200, y2 = 90;  // both below
    EXPECT_FALSE(ClipSegment(x1, y1, x2, y2, r));

    x1 = 0, y1 = 45, x2 = 200, y2 = 45;  // straight through
    ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, r));
    EXPECT_DOUBLE_EQ(x1, 10);
    EXPECT_DOUBLE_EQ(x2, 110);
    EXPECT_DOUBLE_EQ(y1, 45);

    x1 = 60, y1 = 45, x2 = 60, y2 = 0;  // leaves through the top
    ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, r));
    EXPECT_DOUBLE_EQ(y2, 20);
    EXPECT_DOUBLE_EQ(x1, 60);

    x1 = 0, y1 = 25, x2 = 20, y2 = 0;  // diagonal passing the top-left corner outside
    EXPECT_FALSE(ClipSegment(x1, y1, x2, y2, r));

    x1 = 0, y1 = 40, x2 = 40, y2 = 0;  // diagonal cutting the corner
    ASSERT_TRUE(ClipSegment(x1, y1, x2, y2, r));
    EXPECT_DOUBLE_EQ(x1, 10);
    EXPECT_DOUBLE_EQ(y1, 30);
    EXPECT_DOUBLE_EQ(x2, 20);
    EXPECT_DOUBLE_EQ(y2, 20);
}

}  // namespace
}  // namespace humichart
