// One change the user makes to a chart's data: what the data was when it
// began, and at its end the chart told if anything differs, so that a host
// hears of each change once and never of an OK that changed nothing.
#pragma once

#include "CHumichartDataObj.h"
#include "IChartDocument.h"

namespace humichart {

// Every value the data set holds, the lists record by record in order.
inline bool SameChartData(const CHumichartDataObj& a, const CHumichartDataObj& b) {
    const auto samePoint = [](const StatePoint& p, const StatePoint& q) {
        return p.I == q.I && p.D == q.D && p.name == q.name;
    };
    const auto sameProcess = [](const TransferProcess& p, const TransferProcess& q) {
        return p.ptStart == q.ptStart && p.ptEnd == q.ptEnd && p.name == q.name && p.dAirFlow == q.dAirFlow;
    };
    const auto sameMix = [](const MixProcess& p, const MixProcess& q) {
        return p.ptFresh == q.ptFresh && p.ptReturn == q.ptReturn && p.ptMix == q.ptMix && p.name == q.name &&
               p.dFreshAirFlow == q.dFreshAirFlow && p.dAirFlow == q.dAirFlow;
    };
    const auto sameList = [](const auto& x, const auto& y, auto same) {
        if (x.size() != y.size()) return false;
        for (std::size_t k = 0; k < x.size(); ++k)
            if (!same(x[k], y[k])) return false;
        return true;
    };
    return a.HasTLine == b.HasTLine && a.HasDLine == b.HasDLine && a.HasILine == b.HasILine &&
           a.HasFLine == b.HasFLine && a.HasProcessLineName == b.HasProcessLineName && a.HasBorder == b.HasBorder &&
           a.HasBackground == b.HasBackground && a.HasForeground == b.HasForeground &&
           a.airPressure == b.airPressure && a.cssrRegion.maxT == b.cssrRegion.maxT &&
           a.cssrRegion.minT == b.cssrRegion.minT && a.cssrRegion.maxD == b.cssrRegion.maxD &&
           a.cssrRegion.minD == b.cssrRegion.minD && a.viewRange.Ymin == b.viewRange.Ymin &&
           a.viewRange.Ymax == b.viewRange.Ymax && a.viewRange.Dmin == b.viewRange.Dmin &&
           a.viewRange.Dmax == b.viewRange.Dmax && sameList(a.points, b.points, samePoint) &&
           sameList(a.processes, b.processes, sameProcess) && sameList(a.mixes, b.mixes, sameMix);
}

class UserDataChange {
public:
    explicit UserDataChange(IChartDocument& chart) : m_chart(chart), m_before(chart.View().Data()) {}
    UserDataChange(const UserDataChange&) = delete;
    UserDataChange& operator=(const UserDataChange&) = delete;

    // Tells the chart when its data is no longer what it was; answers
    // whether it was told.
    bool Finish() {
        if (SameChartData(m_before, m_chart.View().Data())) return false;
        m_chart.DataChangedByUser();
        return true;
    }

private:
    IChartDocument& m_chart;
    const CHumichartDataObj m_before;
};

}  // namespace humichart
