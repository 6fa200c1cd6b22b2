#include "PointReferences.h"

#include <memory>
#include <unordered_set>

#include "CCalcError.h"
#include "ChartDomain.h"

namespace humichart {

void RenamePointReferences(CHumichartDataObj& data, const std::map<std::wstring, std::wstring>& names) {
    if (names.empty()) return;
    const auto rename = [&](std::wstring& name) {
        if (const auto found = names.find(name); found != names.end()) name = found->second;
    };
    for (TransferProcess& p : data.processes) {
        rename(p.ptStart);
        rename(p.ptEnd);
    }
    for (MixProcess& m : data.mixes) {
        rename(m.ptFresh);
        rename(m.ptReturn);
        rename(m.ptMix);
    }
}

RecordCount DropDanglingRecords(CHumichartDataObj& data) {
    std::unordered_set<std::wstring> held;
    for (const StatePoint& p : data.points)
        if (!p.name.empty()) held.insert(p.name);
    const auto missing = [&](const std::wstring& name) { return !held.count(name); };
    RecordCount dropped;
    dropped.processes = std::erase_if(data.processes, [&](const TransferProcess& p) {
        return missing(p.ptStart) || missing(p.ptEnd);
    });
    dropped.mixes = std::erase_if(data.mixes, [&](const MixProcess& m) {
        return missing(m.ptFresh) || missing(m.ptReturn) || missing(m.ptMix);
    });
    return dropped;
}

RecordCount RecordsNaming(const CHumichartDataObj& data, const std::wstring& point) {
    RecordCount count;
    if (point.empty()) return count;
    for (const TransferProcess& p : data.processes) count.processes += p.ptStart == point || p.ptEnd == point;
    for (const MixProcess& m : data.mixes)
        count.mixes += m.ptFresh == point || m.ptReturn == point || m.ptMix == point;
    return count;
}

std::size_t SettleLoosePoints(CHumichartDataObj& data, ICalcBinding& calc) {
    std::unordered_set<std::wstring> mixPoints;
    for (const MixProcess& m : data.mixes) mixPoints.insert(m.ptMix);
    std::size_t moved = 0;
    try {
        std::unique_ptr<ICalcSession> session;
        if (!Succeeded(calc.Open(data.airPressure, session)) || !session) return 0;
        for (StatePoint& p : data.points) {
            if (!p.name.empty() && mixPoints.count(p.name)) continue;
            const double saturation = session->ID_D_I_F(p.I, 1.0);
            if (p.D - saturation < domain::kSaturationTolerance) continue;
            p.D = saturation;
            ++moved;
        }
    } catch (const CCalcError&) {
    }
    return moved;
}

}  // namespace humichart
