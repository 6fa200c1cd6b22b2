#include "CEnthalpyGrid.h"

#include <algorithm>

#include "ChartPalette.h"
#include "ClipSegment.h"
#include "MakeText.h"
#include "Trunc32.h"

namespace humichart {

void CEnthalpyGrid::Build(const GridContext& ctx, ChartScene& scene) {
    const CChartView& view = ctx.view;
    const RectD& plot = ctx.plot;
    const std::int32_t t = ctx.t;
    const auto& vr = view.Data().viewRange;

    scene.texts.push_back(MakeText(L"I(kJ/kg)", plot.width * 0.5, plot.Bottom() + view.Px(15.0),
                                   palette::kMaroon, view.Font(palette::LabelFont())));
    scene.enthalpy.majorPen = {palette::kMaroon, view.Pen(palette::kGridPenWidth)};
    scene.enthalpy.minorPen = {palette::kGreen, view.Pen(palette::kGridPenWidth)};

    const double xl = std::max(plot.x, ctx.area.x);
    const double yb = std::min(ctx.area.Bottom(), plot.Bottom());
    const double iLow = view.FromPixel(xl, yb).I;
    // The top-right corner of the chart area has the highest enthalpy.
    const double iHigh = vr.Ymax + CChartView::kSlant * vr.Dmax;
    const std::int32_t end = 1 - Trunc32(-20.0 * iHigh);

    for (std::int32_t O = StepMultiple(iLow * 20.0, t); O <= end; O += t) {
        const double I = O / 20.0;
        const double dEnd = std::min(ctx.calc.ID_D_I_F(I, 1.0), vr.Dmax);
        const PointD e = view.ToPixel(I, dEnd);
        const PointD s = view.ToPixel(I, 0.0);
        if (s.y < plot.y && e.y < plot.y) break;

        double x1 = s.x, y1 = s.y, x2 = e.x, y2 = e.y;
        if (!ClipSegment(x1, y1, x2, y2, ctx.clip)) continue;
        const bool major = (O / t) % 2 == 0;
        scene.enthalpy.segments.push_back({{x1, y1}, {x2, y2}, major});
        if (major && x2 < ctx.visible.Right()) {
            // Below the chart when the line leaves through the bottom,
            // otherwise just right of its saturation end.
            const bool leavesBottom = y2 >= yb;
            scene.texts.push_back(MakeText(CChartView::FormatLabel(I, t),
                                           leavesBottom ? x2 - view.Px(6.0) : x2 + view.Px(2.0),
                                           leavesBottom ? y2 + view.Px(1.0) : y2 - view.Px(1.0),
                                           palette::kMaroon, view.Font(palette::LabelFont())));
        }
    }
}

}  // namespace humichart
