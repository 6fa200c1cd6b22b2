#include "CSaturationOutline.h"

#include <algorithm>
#include <vector>

#include "ChartPalette.h"
#include "Trunc32.h"

namespace humichart {

void CSaturationOutline::Build(const GridContext& ctx, ChartScene& scene) {
    const CChartView& view = ctx.view;
    ICalcSession& calc = ctx.calc;
    const auto& vr = view.Data().viewRange;
    const RectD& area = ctx.area;
    const double right = area.Right();
    const double bottom = area.Bottom();

    double lastSatD = 0.0;
    auto saturationAt = [&](double T) {
        const double I = calc.ID_I_T_F(T, 1.0);
        lastSatD = calc.ID_D_T_F(T, 1.0);
        return view.ToPixel(I, lastSatD);
    };

    PointD p0 = view.ToPixel(calc.ID_I_D_F(vr.Dmax, 1.0), vr.Dmax);
    p0.x = std::min(p0.x, right);
    p0.y = std::min(p0.y, bottom);

    // Where saturation enters: through the bottom edge, or through the left
    // edge when the bottom crossing lies left of the area.
    const std::int32_t tq = Trunc32(ctx.range.minT - 0.5);
    const PointD sq = saturationAt(tq);
    PointD p4;
    if (sq.x > right) {
        p4 = {right, bottom};
    } else if (sq.y == bottom) {
        p4 = sq;
    } else {
        const PointD next = saturationAt(tq + 1.0);
        const double x = next.y == sq.y ? sq.x
                                        : sq.x + (bottom - sq.y) * (next.x - sq.x) / (next.y - sq.y);
        if (x < area.x)
            p4 = view.ToPixel(calc.ID_I_D_F(vr.Dmin, 1.0), vr.Dmin);
        else
            p4 = {x, bottom};
    }

    ChartOutline& outline = scene.outline;
    outline.corners = {p0, {right, area.y}, {area.x, area.y}, {area.x, bottom}, p4};
    outline.pen = {palette::kGreen, view.Pen(palette::kOutlinePenWidth)};
    outline.tension = 0.5f;

    std::vector<PointD>& samples = outline.saturation;
    PointD last = p4;
    auto keep = [&](PointD p) {
        if (p.y <= bottom && p.x >= area.x && p.x <= right) {
            samples.push_back(p);
            last = p;
        }
    };
    for (std::int32_t T = Trunc32(ctx.range.minT) + 1; T <= 0; ++T) keep(saturationAt(T));

    const std::int32_t a = ctx.a;
    const std::int32_t N = a * Trunc32(lastSatD * 20.0 / a + 1.0);
    // Samples beyond Dmax lie right of the area and would be dropped anyway;
    // stopping there keeps a sentinel humidity ratio from costing a million
    // calls.
    for (std::int32_t d = 5; 20 * d < N && d <= vr.Dmax; ++d)
        keep(view.ToPixel(calc.ID_I_D_F(d, 1.0), d));
    const std::int32_t mEnd = Trunc32(40.0 * vr.Dmax) + 1;
    for (std::int32_t m = N; m < mEnd; m += a) {
        const double D = m / 40.0;
        const PointD p = view.ToPixel(calc.ID_I_D_F(D, 1.0), D);
        if (p.x > last.x) keep(p);
    }
}

}  // namespace humichart
