#include "CRelHumidityGrid.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ChartPalette.h"
#include "CRelHumidityCurve.h"
#include "MakeText.h"
#include "Trunc32.h"

namespace humichart {

void CRelHumidityGrid::Build(const GridContext& ctx, ChartScene& scene) {
    const CChartView& view = ctx.view;
    const RectD& plot = ctx.plot;
    ICalcSession& calc = ctx.calc;
    const std::int32_t a = ctx.a;
    const double maxD = ctx.range.maxD;

    TextFormat titleFormat;
    titleFormat.vertical = true;
    scene.texts.push_back(MakeText(L"RH(%)", plot.Right() + view.Px(20.0), plot.y + plot.height * 0.5,
                                   palette::kOlive, view.Font(palette::LabelFont()), titleFormat));
    scene.relativeHumidity.pen = {palette::kOlive, view.Pen(palette::kGridPenWidth)};
    scene.relativeHumidity.tension = 0.5f;

    const std::int32_t r = std::max(ctx.t, 50);
    // Saturation (1000) belongs to the outline.
    for (std::int32_t n = r; n < 1000; n += r) {
        const double rh = n / 1000.0;
        CRelHumidityCurve curve(ctx, scene, n);
        std::vector<PointD>& points = curve.Points();
        auto atTemperature = [&](double T) {
            const double I = calc.ID_I_T_F(T, rh);
            points.push_back(view.ToPixel(I, calc.ID_D_T_F(T, rh)));
        };
        if (n == 500)
            for (std::int32_t T = Trunc32(ctx.range.minT - 0.5); T <= -21; ++T) atTemperature(T);
        if (n % 100 == 0)
            for (std::int32_t T = -20; T <= -1; ++T) atTemperature(T);
        const double i0 = calc.ID_I_T_F(0.0, rh);
        const double d0 = calc.ID_D_T_F(0.0, rh);
        points.push_back(view.ToPixel(i0, d0));

        // The humidity-ratio grid value above D0, in 1/20 g/kg.
        const std::int32_t N = a * Trunc32(d0 * 20.0 / a + 1.0);
        if (N > 100) {
            for (std::int32_t d = 5; 20 * d < N && !curve.Ended(); ++d) {
                double D = d;
                if (D - a / 20.0 > maxD) break;
                D = std::min(D, maxD);
                curve.Add(view.ToPixel(calc.ID_I_D_F(D, rh), D));
            }
        }
        const std::int32_t mEnd = a + Trunc32(40.0 * maxD) + 1;
        for (std::int32_t m = N; m < mEnd && !curve.Ended(); m += a) {
            double D = m / 40.0;
            if (D - a / 40.0 > maxD) break;
            D = std::min(D, maxD);
            const PointD p = view.ToPixel(calc.ID_I_D_F(D, rh), D);
            if (p.x > points.back().x) curve.Add(p);
        }
        scene.relativeHumidity.curves.push_back(std::move(points));
    }
}

}  // namespace humichart
