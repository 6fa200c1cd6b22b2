#include "CIsothermGrid.h"

#include <algorithm>

#include "ChartPalette.h"
#include "ClipSegment.h"
#include "MakeText.h"
#include "Trunc32.h"

namespace humichart {

void CIsothermGrid::Build(const GridContext& ctx, ChartScene& scene) {
    const CChartView& view = ctx.view;
    const RectD& plot = ctx.plot;
    const ChartRange& range = ctx.range;
    const std::int32_t t = ctx.t;

    TextFormat titleFormat;
    titleFormat.vertical = true;
    titleFormat.rightToLeft = true;
    scene.texts.push_back(MakeText(L"T(\u2103)", plot.x - view.Px(30.0), plot.height * 0.5,
                                   palette::kGreen, view.Font(palette::LabelFont()), titleFormat));
    TextFormat labelFormat;
    labelFormat.alignment = TextFormat::Align::Near;
    labelFormat.lineAlignment = TextFormat::Align::Center;
    scene.isotherms.majorPen = {palette::kGreen, view.Pen(palette::kGridPenWidth)};
    scene.isotherms.minorPen = scene.isotherms.majorPen;

    const ChartState topLeft = view.FromPixel(plot.x, plot.y);
    const double tTop = ctx.calc.ID_T_D_I(topLeft.D, topLeft.I);
    const std::int32_t end = Trunc32(range.minT * 10.0);
    const double leftEdge = std::max(plot.x, ctx.area.x);
    const auto& vr = view.Data().viewRange;

    for (std::int32_t A = StepMultiple(std::min(range.maxT, tTop) * 10.0, t); A >= end; A -= t) {
        const double T = A / 10.0;
        double dEnd = ctx.calc.ID_D_T_F(T, 1.0);
        if (dEnd < vr.Dmin) dEnd = vr.Dmin;
        if (dEnd > vr.Dmax) dEnd = vr.Dmax;
        const PointD e = view.ToPixel(ctx.calc.ID_I_T_D(T, dEnd), dEnd);
        const double iDry = ctx.calc.ID_I_T_D(T, 0.0);
        if (1.01 * range.minT > iDry) break;
        const PointD s = view.ToPixel(iDry, 0.0);

        double x1 = s.x, y1 = s.y, x2 = e.x, y2 = e.y;
        if (!ClipSegment(x1, y1, x2, y2, ctx.clip)) continue;
        scene.isotherms.segments.push_back({{x1, y1}, {x2, y2}, false});
        // Only a line that reaches the left edge has room for its label.
        if (x1 <= leftEdge)
            scene.texts.push_back(MakeText(CChartView::FormatLabel(T, t), leftEdge - view.Px(29.0), y1,
                                           palette::kGreen, view.Font(palette::LabelFont()), labelFormat));
    }
}

}  // namespace humichart
