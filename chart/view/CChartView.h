// Geometry of the chart window: margins, client size, plot rectangle, the
// view (CIDPos) and the stored range, and the transform between chart states
// and pixels. The chart window holds one, bound to its own data (it derives
// from CHumichartDataObj); drawing, mouse handling and printing convert
// states and pixels through nothing else.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "CHumichartDataObj.h"
#include "CIDPos.h"
#include "FontStyle.h"
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

    // The screen the chart has always been drawn for: every length below is
    // given in its pixels.
    static constexpr int kBaseDpi = 96;

    explicit CChartView(CHumichartDataObj& data) : m_data(&data) {}

    CHumichartDataObj& Data() const { return *m_data; }

    // The display's pixels per inch (a value below 1 counts as 96). Margins,
    // fonts, pens, dots and mouse distances grow with it; a change rebuilds
    // the image and fits the view anew.
    void SetDpi(int dpi);
    int Dpi() const { return m_dpi; }
    // A length of the 96-dpi chart on this display. At 96 dpi it is the very
    // same value, so that nothing drawn there moves by a rounding.
    double Px(double length) const { return m_dpi == kBaseDpi ? length : length * m_dpi / kBaseDpi; }
    // The same rounded to whole pixels, for window coordinates.
    int PxInt(int length) const {
        return m_dpi == kBaseDpi ? length : static_cast<int>(std::lround(static_cast<double>(length) * m_dpi / kBaseDpi));
    }
    // A pen width in whole pixels, so that lines keep hard edges; a half
    // rounds down, so that at 150 % the hairlines stay hairlines (and keep
    // GDI's fast one-pixel path) while the two-pixel lines grow to three.
    float Pen(float width) const {
        return m_dpi == kBaseDpi ? width : std::max(1.0f, std::ceil(width * m_dpi / kBaseDpi - 0.5f));
    }
    // A font given in pixels grows with the display; one given in points
    // already does, through the device it is drawn on.
    FontStyle Font(FontStyle font) const {
        if (m_dpi != kBaseDpi && font.unit == FontStyle::Unit::Pixel) font.size = font.size * m_dpi / kBaseDpi;
        return font;
    }

    // Size notification: any zoom or pan is dropped at the next render.
    void SetClientSize(int width, int height);
    // Plot rectangle from the client size and the margins.
    void UpdatePlotRect();
    RectD PlotRect() const { return {plotX, plotY, plotWidth, plotHeight}; }
    // While viewResetPending: fit the chart area to the plot rectangle (never
    // smaller than 100 x 100 pixels of the 96-dpi chart) at zoom 1.
    void ApplyViewReset();
    // The chart area at the current zoom: (x0, y0, s*W, s*H).
    RectD ChartArea() const;
    // The part of the chart area inside the plot rectangle.
    RectD VisibleArea() const;
    // VisibleArea widened by one pixel of the 96-dpi chart on every side.
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
    // 1/10 degC, enthalpy in 1/20 kJ/kg, relative humidity in 1/1000. Judged
    // by the chart's size at 96 dpi: a sharper display shows the same grid in
    // larger figures, not a denser one.
    int StepCodeD() const;
    int StepCodeT() const;
    int StepCodeI() const { return StepCodeT(); }
    int StepCodeRH() const;
    // A grid label: the integer part for codes above 9, one decimal otherwise.
    static std::wstring FormatLabel(double value, int stepCode);

    // Left and right, top and bottom, in pixels of this display (45 and 40 at
    // 96 dpi); the plot starts plotInset right of the left margin.
    int leftMargin = 45;
    int topMargin = 40;
    int plotInset = 5;
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
    // Pixels of this display back to pixels of the 96-dpi chart.
    double ToBase(double length) const { return m_dpi == kBaseDpi ? length : length * kBaseDpi / m_dpi; }

    CHumichartDataObj* m_data;
    int m_dpi = kBaseDpi;
};

}  // namespace humichart
