#include "CDataLayerBuilder.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "CCalcError.h"
#include "ChartPalette.h"
#include "ClipSegment.h"
#include "MakeText.h"
#include "CPointIndex.h"

namespace humichart {

namespace {

// The name of a line goes at the middle of the part inside the plot.
void AddLineName(const CChartView& view, const std::wstring& name, PointD from, PointD to,
                 const RectD& plot, DataLayer& layer) {
    double x1 = from.x, y1 = from.y, x2 = to.x, y2 = to.y;
    if (!ClipSegment(x1, y1, x2, y2, plot)) return;
    layer.names.push_back(MakeText(name, (x1 + x2) / 2.0 + view.Px(2.0), (y1 + y2) / 2.0 + view.Px(2.0),
                                   palette::kData, view.Font(palette::NameFont())));
}

// Points accepted anywhere (I = 1e308, say) lie billions of pixels away, or
// beyond what a double holds. A line to one is shortened to a square far
// larger than any window, so that every painter gets coordinates it can
// handle and the visible part stays where it was; a line with an end that is
// no number at all cannot be placed and is left out.
bool BringNear(PointD& from, PointD& to) {
    constexpr double kFar = 1e6;
    for (double v : {from.x, from.y, to.x, to.y})
        if (!std::isfinite(v)) return false;
    if (std::max({std::fabs(from.x), std::fabs(from.y), std::fabs(to.x), std::fabs(to.y)}) <= kFar) return true;
    // The part of the segment within the square, as parameters 0 <= t0 < t1
    // <= 1 along it; the points are convex combinations of the ends, which
    // never overflow, whatever the ends are.
    double t0 = 0.0, t1 = 1.0;
    const auto cut = [&](double a, double b) {  // keeps -kFar <= a + t (b - a) <= kFar
        for (double bound : {-kFar, kFar}) {
            const bool outsideA = bound < 0 ? a < bound : a > bound;
            const bool outsideB = bound < 0 ? b < bound : b > bound;
            if (outsideA && outsideB) return false;
            if (outsideA != outsideB) {
                // Where the line crosses the bound, computed from the ends'
                // distances to it so that no difference of huge values is taken.
                const double da = std::fabs(a - bound), db = std::fabs(b - bound);
                const double t = da / (da + db);
                if (outsideA) t0 = std::max(t0, t);
                else t1 = std::min(t1, t);
            }
        }
        return true;
    };
    if (!cut(from.x, to.x) || !cut(from.y, to.y) || !(t0 < t1)) return false;
    const auto at = [&](double t) {
        return PointD{(1.0 - t) * from.x + t * to.x, (1.0 - t) * from.y + t * to.y};
    };
    const PointD a = at(t0), b = at(t1);
    from = a;
    to = b;
    return true;
}

}  // namespace

Status CDataLayerBuilder::Build(CChartView& view, DataLayer& layer) {
    CHumichartDataObj& data = view.Data();
    data.RecomputeMixPoints();

    DataLayer built;
    const double width = view.clientWidth;
    const double height = view.clientHeight;
    built.hasBorder = data.HasBorder != 0;
    built.borderPen = {palette::kBorder, view.Pen(palette::kBorderPenWidth)};
    // The border's pen lies just inside the client area.
    const double inset = built.borderPen.width / 2.0;
    const RectD inner{inset, inset, width - 2.0 * inset, height - 2.0 * inset};
    built.border = inner;

    const CHumichartDataObj::CssrRegion& cssr = data.cssrRegion;
    built.cssrColor = palette::kCssr;
    if (std::fabs(cssr.maxT - cssr.minT) >= 0.1 || std::fabs(cssr.maxD - cssr.minD) >= 0.01) {
        std::unique_ptr<ICalcSession> session;
        const Status opened = m_calc.Open(data.airPressure, session);
        if (!Succeeded(opened)) return opened;
        if (!session) return kStatusFail;
        try {
            const PointD a = view.ToPixel(session->ID_I_T_D(cssr.maxT, cssr.maxD), cssr.maxD);
            const PointD b = view.ToPixel(session->ID_I_T_D(cssr.minT, cssr.minD), cssr.minD);
            // Corners are taken as they come: a region stored with its bounds
            // swapped still covers the same states.
            built.hasCssr = true;
            built.cssr = {std::min(a.x, b.x), std::min(a.y, b.y), std::fabs(a.x - b.x),
                          std::fabs(b.y - a.y)};
        } catch (const CCalcError& error) {
            return error.GetStatus();
        }
    }

    built.dataClip = inner;
    built.dotColor = palette::kData;
    const RectD plot = view.PlotRect();
    const double diameter = view.Px(palette::kPointDiameter);
    const double half = diameter / 2.0;
    for (const StatePoint& point : data.points) {
        const PointD p = view.ToPixel(point.I, point.D);
        if (!(p.x >= plot.x && p.x < plot.Right() && p.y >= plot.y && p.y < plot.Bottom()))
            continue;
        built.dots.push_back({p.x - half, p.y - half, diameter, diameter});
        if (!point.name.empty())
            built.names.push_back(MakeText(point.name, p.x + view.Px(4.0), p.y + view.Px(4.0),
                                           palette::kData, view.Font(palette::NameFont())));
    }

    built.linePen = {palette::kData, view.Pen(palette::kDataPenWidth)};
    const bool withNames = data.HasProcessLineName != 0;
    const CPointIndex index(data.points);
    for (const TransferProcess& process : data.processes) {
        const StatePoint* start = index.Find(process.ptStart);
        const StatePoint* end = index.Find(process.ptEnd);
        if (!start || !end) continue;
        PointD from = view.ToPixel(start->I, start->D);
        PointD to = view.ToPixel(end->I, end->D);
        if (!BringNear(from, to)) continue;
        built.lines.push_back({from, to, false});
        if (withNames && !process.name.empty()) AddLineName(view, process.name, from, to, plot, built);
    }
    for (const MixProcess& mix : data.mixes) {
        if (mix.ptMix.empty()) continue;
        const StatePoint* fresh = index.Find(mix.ptFresh);
        const StatePoint* ret = index.Find(mix.ptReturn);
        if (!fresh || !ret) continue;
        PointD from = view.ToPixel(fresh->I, fresh->D);
        PointD to = view.ToPixel(ret->I, ret->D);
        if (!BringNear(from, to)) continue;
        built.lines.push_back({from, to, false});
        if (withNames && !mix.name.empty()) AddLineName(view, mix.name, from, to, plot, built);
    }

    layer = std::move(built);
    return kStatusOk;
}

}  // namespace humichart
