// Geometry of the chart window: margins, client size, plot rectangle, the
// view (CIDPos) and the stored range, and the transform between chart states
// and pixels. The chart window holds one, bound to its own data (it derives
// from CHumichartDataObj); drawing, mouse handling and printing convert
// states and pixels through nothing else.
#pragma once

#include <cstdint>
#include <string>

#include "CHumichartDataObj.h"
#include "CIDPos.h"
#include "ChartRange.h"
#include "ChartState.h"
#include "PointD.h"
#include "RectD.h"

namespace humichart {

class CChartView {
public:
    // Kilojoules per gram of vapour: the slant of the chart's ordinate.
    static constexpr double kSlant = 2.5;
    // Specific heat of dry air: turns a temperature bound into the ordinate.
    static constexpr double kRangeScale = 1.005;

    explicit CChartView(CHumichartDataObj& data) : m_data(&data) {}

    CHumichartDataObj& Data() const { return *m_data; }

    // Size notification: any zoom or pan is dropped at the next render.
    void SetClientSize(int width, int height);
    // Plot rectangle from the client size (right and bottom margins 40).
    void UpdatePlotRect();
    RectD PlotRect() const { return {plotX, plotY, plotWidth, plotHeight}; }
    // While viewResetPending: fit the chart area to the plot rectangle (never
    // smaller than 100 x 100 pixels) at zoom 1.
    void ApplyViewReset();
    // The chart area at the current zoom: (x0, y0, s*W, s*H).
    RectD ChartArea() const;
    // The part of the chart area inside the plot rectangle.
    RectD VisibleArea() const;
    // VisibleArea widened by one pixel on every side.
    RectD ClipRect() const;

    // Stores the range ordered and clamped, the temperatures scaled by 1.005.
    void SetRange(double minT, double maxT, double minD, double maxD);
    ChartRange GetRange() const;

    PointD ToPixel(double I, double D) const;
    ChartState FromPixel(double x, double y) const;

    // Zoom by k about anchor; answers whether the view changed. Callers set
    // renderPending after a zoom or pan.
    bool Zoom(double k, PointD anchor);
    void Pan(double dx, double dy);
    void ResetView();

    // Grid step codes (500 ... 1): humidity ratio in 1/20 g/kg, temperature in
    // 1/10 degC, enthalpy in 1/20 kJ/kg, relative humidity in 1/1000.
    int StepCodeD() const;
    int StepCodeT() const;
    int StepCodeI() const { return StepCodeT(); }
    int StepCodeRH() const;
    // A grid label: the integer part for codes above 9, one decimal otherwise.
    static std::wstring FormatLabel(double value, int stepCode);

    const int leftMargin = 45;
    const int topMargin = 40;
    int clientWidth = 0;
    int clientHeight = 0;
    float plotX = 0.0f;
    float plotY = 0.0f;
    float plotWidth = 0.0f;
    float plotHeight = 0.0f;
    CIDPos pos;
    std::int32_t viewResetPending = 1;
    std::int32_t renderPending = 1;

private:
    CHumichartDataObj* m_data;
};

}  // namespace humichart
