#include "CChartDataCommands.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "CCalcError.h"
#include "ChartDataCheck.h"
#include "ChartDomain.h"
#include "PointReferences.h"

namespace humichart {

namespace {

// NaN passes every "greater than" test and an infinity reaches the drawing
// and the exported sheet as garbage; neither is a state of air.
bool AllFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

template <class List, class Record>
void Erase(List& list, const Record* record) {
    list.erase(list.begin() + (record - list.data()));
}

}  // namespace

Status CChartDataCommands::AddPoint(double di, double dd, const std::wstring& name) {
    if (!AllFinite({di, dd})) return kStatusInvalidArg;
    double saturation = 0.0;
    try {
        std::unique_ptr<ICalcSession> calc;
        const Status opened = m_calc.Open(m_data.airPressure, calc);
        if (!Succeeded(opened)) return opened;
        saturation = calc->ID_D_I_F(di, 1.0);
    } catch (const CCalcError& error) {
        return error.GetStatus();
    }
    if (dd > saturation || !OnChart(di, dd)) return kStatusInvalidArg;
    // The new point is the one of its name: a chart that came with the name
    // twice (an old slot or stream) does not keep a second point under it.
    if (!name.empty()) std::erase_if(m_data.points, [&](const StatePoint& point) { return point.name == name; });
    m_data.points.push_back({di, dd, name});
    return kStatusOk;
}

Status CChartDataCommands::RemovePoint(const std::wstring& name) {
    if (name.empty()) return kStatusInvalidArg;
    const StatePoint* found = m_data.FindPoint(name);
    if (!found) return kStatusFail;
    Erase(m_data.points, found);
    if (DropDanglingRecords(m_data).mixes) SettleLoosePoints(m_data, m_calc);
    return kStatusOk;
}

void CChartDataCommands::RemoveAllPoints() {
    m_data.points.clear();
    DropDanglingRecords(m_data);
}

void CChartDataCommands::RemoveNoNamePoints() {
    std::erase_if(m_data.points, [](const StatePoint& point) { return point.name.empty(); });
}

Status CChartDataCommands::AddProcess(const std::wstring& ptStart, const std::wstring& ptEnd,
                                      const std::wstring& name, double dAirFlow) {
    if (ptStart.empty() || ptEnd.empty() || !AllFinite({dAirFlow})) return kStatusInvalidArg;
    if (ptStart == ptEnd || !m_data.FindPoint(ptStart) || !m_data.FindPoint(ptEnd)) return kStatusInvalidArg;
    if (const TransferProcess* same = m_data.FindProcess(ptStart, ptEnd)) Erase(m_data.processes, same);
    m_data.processes.push_back({ptStart, ptEnd, name, dAirFlow});
    return kStatusOk;
}

Status CChartDataCommands::RemoveProcess(const std::wstring& pt1, const std::wstring& pt2) {
    if (pt1.empty() || pt2.empty()) return kStatusInvalidArg;
    const TransferProcess* found = m_data.FindProcess(pt1, pt2);
    if (!found) return kStatusFail;
    Erase(m_data.processes, found);
    return kStatusOk;
}

void CChartDataCommands::RemoveAllProcesses() { m_data.processes.clear(); }

Status CChartDataCommands::AddMixLine(const std::wstring& ptFresh, const std::wstring& ptReturn,
                                      const std::wstring& ptMix, const std::wstring& name, double dFreshAirFlow,
                                      double dAirFlow) {
    if (ptFresh.empty() || ptReturn.empty() || ptMix.empty()) return kStatusInvalidArg;
    if (!AllFinite({dFreshAirFlow, dAirFlow})) return kStatusInvalidArg;
    if (m_data.FindPoint(ptMix)) return kStatusInvalidArg;
    if (ptFresh == ptReturn || !m_data.FindPoint(ptFresh) || !m_data.FindPoint(ptReturn)) return kStatusInvalidArg;
    MixProcess mix{ptFresh, ptReturn, ptMix, name, dFreshAirFlow, dAirFlow};
    const bool replaced = m_data.FindMix(mix) != nullptr;
    if (const MixProcess* same = m_data.FindMix(mix)) Erase(m_data.mixes, same);
    m_data.points.push_back({0.0, 0.0, ptMix});
    m_data.mixes.push_back(std::move(mix));
    if (replaced) SettleLoosePoints(m_data, m_calc);  // the replaced mix's point stays, on its own now
    return kStatusOk;
}

Status CChartDataCommands::RemoveMixLine(const std::wstring& ptFresh, const std::wstring& ptReturn) {
    if (ptFresh.empty() || ptReturn.empty()) return kStatusInvalidArg;
    const auto found = std::find_if(m_data.mixes.begin(), m_data.mixes.end(), [&](const MixProcess& mix) {
        return (mix.ptFresh == ptFresh && mix.ptReturn == ptReturn) ||
               (mix.ptFresh == ptReturn && mix.ptReturn == ptFresh);
    });
    if (found == m_data.mixes.end()) return kStatusFail;
    m_data.mixes.erase(found);
    SettleLoosePoints(m_data, m_calc);
    return kStatusOk;
}

void CChartDataCommands::RemoveAllMixLines() {
    m_data.mixes.clear();
    SettleLoosePoints(m_data, m_calc);
}

Status CChartDataCommands::SetCSSR(double minT, double maxT, double minD, double maxD) {
    if (!AllFinite({minT, maxT, minD, maxD})) return kStatusInvalidArg;
    for (double t : {minT, maxT})
        if (t < domain::kMinT || t > domain::kMaxT) return kStatusInvalidArg;
    for (double d : {minD, maxD})
        if (d < domain::kMinD || d > domain::kMaxD) return kStatusInvalidArg;
    try {
        std::unique_ptr<ICalcSession> calc;
        const Status opened = m_calc.Open(m_data.airPressure, calc);
        if (!Succeeded(opened)) return opened;
        if (minD > calc->ID_D_T_F(minT, 1.0)) return kStatusInvalidArg;
        if (maxD > calc->ID_D_T_F(maxT, 1.0)) return kStatusInvalidArg;
    } catch (const CCalcError& error) {
        return error.GetStatus();
    }
    m_data.cssrRegion = {maxT, minT, maxD, minD};
    return kStatusOk;
}

}  // namespace humichart
