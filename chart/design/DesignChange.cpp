#include "DesignChange.h"

#include <utility>

namespace humichart {

namespace {

bool SamePair(const std::wstring& a1, const std::wstring& b1, const std::wstring& a2, const std::wstring& b2) {
    return (a1 == a2 && b1 == b2) || (a1 == b2 && b1 == a2);
}

// Checks the items of change against those already in lists (the copy grows
// as items are accepted, so an item meets the change's earlier ones too).
DesignRefusal Accept(CHumichartDataObj& copy, const DesignChange& change) {
    for (const StatePoint& point : change.points) {
        if (point.name.empty()) return Refuse(DesignProblem::NoName);
        if (copy.FindPoint(point.name)) return Refuse(DesignProblem::NameUsed, point.name);
        copy.points.push_back(point);
    }
    for (const TransferProcess& process : change.processes) {
        for (const TransferProcess& other : copy.processes) {
            if (!process.name.empty() && other.name == process.name)
                return Refuse(DesignProblem::NameUsed, process.name);
            if (SamePair(process.ptStart, process.ptEnd, other.ptStart, other.ptEnd))
                return Refuse(DesignProblem::PairUsed, process.ptStart, process.ptEnd);
        }
        copy.processes.push_back(process);
    }
    for (const MixProcess& mix : change.mixes) {
        for (const MixProcess& other : copy.mixes) {
            if (!mix.name.empty() && other.name == mix.name) return Refuse(DesignProblem::NameUsed, mix.name);
            if (SamePair(mix.ptFresh, mix.ptReturn, other.ptFresh, other.ptReturn))
                return Refuse(DesignProblem::PairUsed, mix.ptFresh, mix.ptReturn);
        }
        copy.mixes.push_back(mix);
    }
    return {};
}

}  // namespace

DesignRefusal ApplyDesignChange(CHumichartDataObj& data, const DesignChange& change, ICalcBinding& calc) {
    CHumichartDataObj copy;
    copy.CopyData(data);
    DesignRefusal refusal = Accept(copy, change);
    if (refusal.Refused()) return refusal;
    if (std::optional<DataFault> fault = CheckChartData(copy, calc)) {
        refusal.problem = DesignProblem::DataCheck;
        refusal.fault = std::move(fault);
        return refusal;
    }
    data.points = std::move(copy.points);
    data.processes = std::move(copy.processes);
    data.mixes = std::move(copy.mixes);
    return {};
}

}  // namespace humichart
