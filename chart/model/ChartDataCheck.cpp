#include "ChartDataCheck.h"

#include <cmath>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "CCalcError.h"
#include "ChartDomain.h"

namespace humichart {

namespace {

using namespace domain;

// Bounds read back from the stored products are a rounding away from the
// decimal the user typed: 200 stored as 201.0 reads back as 200.00000000000003.
constexpr double kReadBackSlack = 1e-9;

bool Within(double value, double low, double high) {
    return value >= low - kReadBackSlack && value <= high + kReadBackSlack;
}

DataFault Fault(DataRule rule) {
    DataFault fault;
    fault.rule = rule;
    return fault;
}

DataFault Fault(DataRule rule, const CHumichartDataObj& data, DataList list, std::size_t index, std::wstring point = {}) {
    DataFault fault = Fault(rule);
    fault.list = list;
    fault.index = index;
    fault.point = std::move(point);
    if (list == DataList::Points) {
        fault.record = data.points[index].name;
    } else if (list == DataList::Processes) {
        const TransferProcess& p = data.processes[index];
        fault.record = p.name;
        fault.ends[0] = p.ptStart;
        fault.ends[1] = p.ptEnd;
    } else if (list == DataList::Mixes) {
        const MixProcess& m = data.mixes[index];
        fault.record = m.name;
        fault.ends[0] = m.ptFresh;
        fault.ends[1] = m.ptReturn;
        fault.ends[2] = m.ptMix;
    }
    return fault;
}

DataFault WithValues(DataFault fault, double a, double b = 0, double c = 0, double d = 0) {
    fault.values[0] = a;
    fault.values[1] = b;
    fault.values[2] = c;
    fault.values[3] = d;
    return fault;
}

// A key for an unordered pair of names.
std::wstring PairKey(const std::wstring& a, const std::wstring& b) {
    const bool ordered = a < b;
    const std::wstring& first = ordered ? a : b;
    const std::wstring& second = ordered ? b : a;
    return std::to_wstring(first.size()) + L':' + first + second;
}

std::optional<DataFault> CheckPoints(const CHumichartDataObj& data, ICalcSession& calc) {
    std::unordered_set<std::wstring> mixPoints;
    for (const MixProcess& mix : data.mixes) mixPoints.insert(mix.ptMix);
    std::unordered_set<std::wstring> names;
    for (std::size_t k = 0; k < data.points.size(); ++k) {
        const StatePoint& p = data.points[k];
        const bool mixPoint = !p.name.empty() && mixPoints.count(p.name) > 0;
        const double saturation = !mixPoint && OnChart(p.I, p.D) ? calc.ID_D_I_F(p.I, 1.0) : 0.0;
        if (const auto rule = CheckState(p.I, p.D, saturation, mixPoint))
            return WithValues(Fault(*rule, data, DataList::Points, k, p.name), p.I, p.D);
        if (!p.name.empty() && !names.insert(p.name).second)
            return Fault(DataRule::PointNameRepeated, data, DataList::Points, k, p.name);
    }
    return std::nullopt;
}

std::optional<DataFault> CheckProcesses(const CHumichartDataObj& data,
                                        const std::unordered_set<std::wstring>& pointNames) {
    std::unordered_set<std::wstring> pairs;
    for (std::size_t k = 0; k < data.processes.size(); ++k) {
        const TransferProcess& p = data.processes[k];
        for (const std::wstring* end : {&p.ptStart, &p.ptEnd})
            if (end->empty() || !pointNames.count(*end))
                return Fault(DataRule::ProcessNoPoint, data, DataList::Processes, k, *end);
        if (p.ptStart == p.ptEnd) return Fault(DataRule::ProcessSamePoint, data, DataList::Processes, k, p.ptStart);
        if (!std::isfinite(p.dAirFlow)) return Fault(DataRule::ProcessFlow, data, DataList::Processes, k);
        if (!pairs.insert(PairKey(p.ptStart, p.ptEnd)).second)
            return Fault(DataRule::ProcessRepeated, data, DataList::Processes, k);
    }
    return std::nullopt;
}

// Whether mix k reaches itself through the mixes its point feeds.
bool FeedsItself(const std::vector<std::vector<std::size_t>>& feeds, std::size_t start) {
    std::vector<char> seen(feeds.size(), 0);
    std::vector<std::size_t> open = feeds[start];
    while (!open.empty()) {
        const std::size_t k = open.back();
        open.pop_back();
        if (k == start) return true;
        if (seen[k]) continue;
        seen[k] = 1;
        open.insert(open.end(), feeds[k].begin(), feeds[k].end());
    }
    return false;
}

std::optional<DataFault> CheckMixes(const CHumichartDataObj& data, const std::unordered_set<std::wstring>& pointNames) {
    const auto& mixes = data.mixes;
    std::unordered_set<std::wstring> pairs;
    std::unordered_map<std::wstring, std::size_t> writer;  // mix point -> the mix that writes it
    for (std::size_t k = 0; k < mixes.size(); ++k) {
        const MixProcess& m = mixes[k];
        for (const std::wstring* end : {&m.ptFresh, &m.ptReturn, &m.ptMix})
            if (end->empty() || !pointNames.count(*end)) return Fault(DataRule::MixNoPoint, data, DataList::Mixes, k, *end);
        if (m.ptFresh == m.ptReturn) return Fault(DataRule::MixSamePoint, data, DataList::Mixes, k, m.ptFresh);
        if (!std::isfinite(m.dFreshAirFlow) || !std::isfinite(m.dAirFlow))
            return Fault(DataRule::MixFlow, data, DataList::Mixes, k);
        if (!pairs.insert(PairKey(m.ptFresh, m.ptReturn)).second)
            return Fault(DataRule::MixRepeated, data, DataList::Mixes, k);
        if (!writer.emplace(m.ptMix, k).second) return Fault(DataRule::MixPointShared, data, DataList::Mixes, k, m.ptMix);
    }
    if (const auto k = FirstMixFeedingItself(mixes))
        return Fault(DataRule::MixFeedsItself, data, DataList::Mixes, *k, mixes[*k].ptMix);
    return std::nullopt;
}

std::optional<DataFault> CheckCssr(const CHumichartDataObj& data, ICalcSession& calc) {
    const auto& c = data.cssrRegion;
    if (c.maxT == 0 && c.minT == 0 && c.maxD == 0 && c.minD == 0) return std::nullopt;
    const DataFault fault = WithValues(Fault(DataRule::Cssr), c.minT, c.maxT, c.minD, c.maxD);
    for (double t : {c.maxT, c.minT})
        if (!std::isfinite(t) || !Within(t, kMinT, kMaxT)) return fault;
    for (double d : {c.maxD, c.minD})
        if (!std::isfinite(d) || !Within(d, kMinD, kMaxD)) return fault;
    if (c.minD > calc.ID_D_T_F(c.minT, 1.0) || c.maxD > calc.ID_D_T_F(c.maxT, 1.0)) return fault;
    return std::nullopt;
}

std::optional<DataFault> CheckWith(const CHumichartDataObj& data, ICalcSession& calc) {
    if (auto fault = CheckChartScalars(data)) return fault;
    if (auto fault = CheckPoints(data, calc)) return fault;
    std::unordered_set<std::wstring> pointNames;
    for (const StatePoint& p : data.points)
        if (!p.name.empty()) pointNames.insert(p.name);
    if (auto fault = CheckProcesses(data, pointNames)) return fault;
    if (auto fault = CheckMixes(data, pointNames)) return fault;
    return CheckCssr(data, calc);
}

}  // namespace

std::optional<std::size_t> FirstMixFeedingItself(const std::vector<MixProcess>& mixes) {
    std::unordered_map<std::wstring, std::size_t> writer;
    for (std::size_t k = 0; k < mixes.size(); ++k)
        if (!mixes[k].ptMix.empty()) writer.emplace(mixes[k].ptMix, k);
    // Mix k feeds mix j when k's point is one of j's inputs.
    std::vector<std::vector<std::size_t>> feeds(mixes.size());
    for (std::size_t j = 0; j < mixes.size(); ++j)
        for (const std::wstring* input : {&mixes[j].ptFresh, &mixes[j].ptReturn})
            if (const auto found = writer.find(*input); found != writer.end()) feeds[found->second].push_back(j);
    for (std::size_t k = 0; k < mixes.size(); ++k)
        if (FeedsItself(feeds, k)) return k;
    return std::nullopt;
}

bool OnChart(double I, double D) {
    const double Y = I - kSlant * D;
    return std::isfinite(Y) && std::isfinite(D) && D >= kMinD && D <= kMaxD && Y >= kRangeScale * kMinT &&
           Y <= kRangeScale * kMaxT;
}

std::optional<DataRule> CheckState(double I, double D, double saturation, bool mixPoint) {
    if (!std::isfinite(I) || !std::isfinite(D)) return DataRule::PointNotFinite;
    if (!OnChart(I, D)) return DataRule::PointOutside;
    if (!mixPoint && !(D - saturation < kSaturationTolerance)) return DataRule::PointAboveSaturation;
    return std::nullopt;
}

std::optional<DataFault> CheckChartScalars(const CHumichartDataObj& data) {
    if (!(data.airPressure >= kMinPressure && data.airPressure <= kMaxPressure))
        return WithValues(Fault(DataRule::Pressure), data.airPressure);
    const auto& r = data.viewRange;
    const double minT = r.Ymin / kRangeScale, maxT = r.Ymax / kRangeScale;
    if (!(Within(minT, kMinT, kMaxT - kMinSpan) && Within(maxT, kMinT + kMinSpan, kMaxT) &&
          maxT - minT >= kMinSpan - kReadBackSlack))
        return WithValues(Fault(DataRule::TemperatureRange), minT, maxT);
    if (!(Within(r.Dmin, kMinD, kMaxD - kMinSpan) && Within(r.Dmax, kMinD + kMinSpan, kMaxD) &&
          r.Dmax - r.Dmin >= kMinSpan - kReadBackSlack))
        return WithValues(Fault(DataRule::HumidityRange), r.Dmin, r.Dmax);
    for (std::int32_t flag : {data.HasTLine, data.HasDLine, data.HasILine, data.HasFLine, data.HasProcessLineName,
                              data.HasBorder, data.HasBackground, data.HasForeground})
        if (flag != 0 && flag != 1) return WithValues(Fault(DataRule::Flag), flag);
    return std::nullopt;
}

std::optional<DataFault> CheckChartData(const CHumichartDataObj& data, ICalcBinding& calc) {
    if (auto fault = CheckChartScalars(data)) return fault;
    try {
        std::unique_ptr<ICalcSession> session;
        const Status opened = calc.Open(data.airPressure, session);
        if (!Succeeded(opened) || !session) {
            DataFault fault = Fault(DataRule::Calculator);
            fault.status = Succeeded(opened) ? kStatusFail : opened;
            return fault;
        }
        return CheckWith(data, *session);
    } catch (const CCalcError& error) {
        DataFault fault = Fault(DataRule::Calculator);
        fault.status = error.GetStatus();
        return fault;
    }
}

}  // namespace humichart
