#include "CHumidityRatioGrid.h"

#include <algorithm>

#include "ChartPalette.h"
#include "MakeText.h"
#include "Trunc32.h"

namespace humichart {

void CHumidityRatioGrid::Build(const GridContext& ctx, ChartScene& scene) {
    const CChartView& view = ctx.view;
    const RectD& plot = ctx.plot;
    const RectD& area = ctx.area;
    const std::int32_t a = ctx.a;

    scene.texts.push_back(MakeText(L"D(g/kg)", plot.width * 0.5, plot.y - view.Px(33.0), palette::kNavy,
                                   view.Font(palette::LabelFont())));
    scene.humidityRatio.majorPen = {palette::kNavy, view.Pen(palette::kGridPenWidth)};
    scene.humidityRatio.minorPen = {palette::kGreen, view.Pen(palette::kGridPenWidth)};

    const double dLeft = view.FromPixel(plot.x, plot.y).D;
    const std::int32_t start = StepMultiple(std::max(dLeft, ctx.range.minD) * 20.0, a);
    const std::int32_t end = Trunc32(ctx.range.maxD * 20.0);
    const std::int32_t lowEdge = Trunc32(ctx.range.minD * 20.0);
    const double labelY = std::max(plot.y, area.y) - view.Px(18.0);

    for (std::int32_t L = start; L <= end; L += a) {
        const double D = L / 20.0;
        const PointD p = view.ToPixel(ctx.calc.ID_I_D_F(D, 1.0), D);
        if (p.x > plot.Right() || p.y < plot.y) break;
        if (p.x < plot.x) continue;
        const bool major = (L / a) % 2 == 0;
        // The outline already draws the range's own edges.
        if (lowEdge < L && L < end) {
            const double bottom = std::min(std::min(p.y, area.Bottom()), plot.Bottom());
            scene.humidityRatio.segments.push_back({{p.x, area.y}, {p.x, bottom}, major});
        }
        if (major)
            scene.texts.push_back(MakeText(CChartView::FormatLabel(D, a), p.x - view.Px(6.0), labelY,
                                           palette::kNavy, view.Font(palette::LabelFont())));
    }
}

}  // namespace humichart
