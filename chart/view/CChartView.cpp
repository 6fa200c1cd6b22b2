#include "CChartView.h"

#include <algorithm>
#include <cstdio>

#include "Trunc32.h"

namespace humichart {

void CChartView::SetClientSize(int width, int height) {
    clientWidth = width;
    clientHeight = height;
    viewResetPending = 1;
    renderPending = 1;
}

void CChartView::SetDpi(int dpi) {
    if (dpi < 1) dpi = kBaseDpi;
    if (dpi == m_dpi) return;
    m_dpi = dpi;
    leftMargin = PxInt(45);
    topMargin = PxInt(40);
    plotInset = PxInt(5);
    viewResetPending = 1;
    renderPending = 1;
}

void CChartView::UpdatePlotRect() {
    plotX = static_cast<float>(leftMargin + plotInset);
    plotY = static_cast<float>(topMargin);
    plotWidth = static_cast<float>(clientWidth - 2 * leftMargin);
    plotHeight = static_cast<float>(clientHeight - 2 * topMargin);
}

void CChartView::ApplyViewReset() {
    if (!viewResetPending) return;
    pos.W = std::max(static_cast<double>(plotWidth), Px(100.0));
    pos.H = std::max(static_cast<double>(plotHeight), Px(100.0));
    pos.s = 1.0;
    pos.ax = 0.0;
    pos.ay = 0.0;
    pos.x0 = plotX;
    pos.y0 = plotY;
    viewResetPending = 0;
}

RectD CChartView::ChartArea() const {
    return {pos.x0, pos.y0, pos.s * pos.W, pos.s * pos.H};
}

RectD CChartView::VisibleArea() const {
    const RectD area = ChartArea();
    const double left = std::max(static_cast<double>(plotX), area.x);
    const double top = std::max(static_cast<double>(plotY), area.y);
    const double right = std::min(static_cast<double>(plotX) + plotWidth, area.Right());
    const double bottom = std::min(static_cast<double>(plotY) + plotHeight, area.Bottom());
    return {left, top, right - left, bottom - top};
}

RectD CChartView::ClipRect() const {
    const RectD visible = VisibleArea();
    const double one = Px(1.0);
    return {visible.x - one, visible.y - one, visible.width + 2.0 * one, visible.height + 2.0 * one};
}

void CChartView::SetRange(double minT, double maxT, double minD, double maxD) {
    m_data->viewRange = CHumichartDataObj::OrderedRange(minT, maxT, minD, maxD);
}

ChartRange CChartView::GetRange() const {
    const CHumichartDataObj::ViewRange& range = m_data->viewRange;
    return {range.Ymin / kRangeScale, range.Ymax / kRangeScale, range.Dmin, range.Dmax};
}

PointD CChartView::ToPixel(double I, double D) const {
    const CHumichartDataObj::ViewRange& r = m_data->viewRange;
    return {pos.x0 + pos.s * pos.W * (D - r.Dmin) / (r.Dmax - r.Dmin),
            pos.y0 + pos.s * pos.H * (r.Ymax - (I - kSlant * D)) / (r.Ymax - r.Ymin)};
}

ChartState CChartView::FromPixel(double x, double y) const {
    const CHumichartDataObj::ViewRange& r = m_data->viewRange;
    const double D = r.Dmin + (x - pos.x0) * (r.Dmax - r.Dmin) / (pos.s * pos.W);
    const double I = r.Ymax - (y - pos.y0) * (r.Ymax - r.Ymin) / (pos.s * pos.H) + kSlant * D;
    return {I, D};
}

bool CChartView::Zoom(double k, PointD anchor) {
    pos.ax = anchor.x;
    pos.ay = anchor.y;
    return pos.Zoom(k);
}

void CChartView::Pan(double dx, double dy) {
    pos.x0 += dx;
    pos.y0 += dy;
}

void CChartView::ResetView() {
    viewResetPending = 1;
    renderPending = 1;
}

namespace {

// Codes from coarse to fine, picked by the first threshold the density stays
// below.
constexpr int kCodes[] = {500, 200, 100, 50, 20, 10, 5, 2, 1};

int PickCode(double density, const double (&below)[8]) {
    for (int i = 0; i < 8; ++i)
        if (density < below[i]) return kCodes[i];
    return kCodes[8];
}

}  // namespace

int CChartView::StepCodeD() const {
    static constexpr double kBelow[8] = {80, 160, 320, 800, 1600, 3200, 10000, 20000};
    const CHumichartDataObj::ViewRange& r = m_data->viewRange;
    return PickCode(40.0 * ToBase(pos.s * pos.W) / (r.Dmax - r.Dmin), kBelow);
}

int CChartView::StepCodeT() const {
    static constexpr double kBelow[8] = {160, 320, 640, 1280, 3200, 6400, 16000, 32000};
    const ChartRange range = GetRange();
    return PickCode(100.0 * ToBase(pos.s * pos.H) / (range.maxT - range.minT), kBelow);
}

int CChartView::StepCodeRH() const { return std::max(StepCodeT(), 50); }

std::wstring CChartView::FormatLabel(double value, int stepCode) {
    char text[64];
    if (stepCode > 9)
        std::snprintf(text, sizeof text, "%d", Trunc32(value));
    else
        std::snprintf(text, sizeof text, "%02.1f", value);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace humichart
