#include "CHumichartDataObj.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <queue>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ChartDataCheck.h"
#include "ChartDomain.h"

namespace humichart {

namespace {

bool SamePair(const std::wstring& a, const std::wstring& b,
              const std::wstring& x, const std::wstring& y) {
    return (a == x && b == y) || (a == y && b == x);
}

}  // namespace

const StatePoint* CHumichartDataObj::FindPoint(const std::wstring& name) const {
    if (name.empty()) return nullptr;
    for (const StatePoint& point : points)
        if (point.name == name) return &point;
    return nullptr;
}

StatePoint* CHumichartDataObj::FindPoint(const std::wstring& name) {
    return const_cast<StatePoint*>(std::as_const(*this).FindPoint(name));
}

const TransferProcess* CHumichartDataObj::FindProcess(const std::wstring& a,
                                                      const std::wstring& b) const {
    if (a.empty() || b.empty()) return nullptr;
    for (const TransferProcess& process : processes)
        if (SamePair(process.ptStart, process.ptEnd, a, b)) return &process;
    return nullptr;
}

TransferProcess* CHumichartDataObj::FindProcess(const std::wstring& a, const std::wstring& b) {
    return const_cast<TransferProcess*>(std::as_const(*this).FindProcess(a, b));
}

const MixProcess* CHumichartDataObj::FindMix(const MixProcess& key) const {
    if (key.ptFresh.empty() || key.ptReturn.empty() || key.ptMix.empty()) return nullptr;
    for (const MixProcess& mix : mixes) {
        // The key is complete, so a matching pair already excludes empty
        // fresh/return names; an empty mix name has to be ruled out apart.
        if (mix.ptMix.empty()) continue;
        if (SamePair(mix.ptFresh, mix.ptReturn, key.ptFresh, key.ptReturn)) return &mix;
    }
    return nullptr;
}

MixProcess* CHumichartDataObj::FindMix(const MixProcess& key) {
    return const_cast<MixProcess*>(std::as_const(*this).FindMix(key));
}

void CHumichartDataObj::RestoreDefaults() {
    HasTLine = 1;
    HasDLine = 1;
    HasILine = 1;
    HasFLine = 1;
    HasProcessLineName = 0;
    HasBorder = 0;
    HasBackground = 1;
    HasForeground = 1;
    airPressure = 101325.0;
    viewRange = ViewRange{};
}

void CHumichartDataObj::ClearData() {
    points.clear();
    processes.clear();
    mixes.clear();
    cssrRegion = CssrRegion{};
}

void CHumichartDataObj::CopyData(const CHumichartDataObj& source) {
    if (&source == this) return;
    HasTLine = source.HasTLine;
    HasDLine = source.HasDLine;
    HasILine = source.HasILine;
    HasFLine = source.HasFLine;
    HasProcessLineName = source.HasProcessLineName;
    HasBorder = source.HasBorder;
    HasBackground = source.HasBackground;
    HasForeground = source.HasForeground;
    airPressure = source.airPressure;
    cssrRegion = source.cssrRegion;
    viewRange = source.viewRange;
    points = source.points;
    processes = source.processes;
    mixes = source.mixes;
}

void CHumichartDataObj::RecomputeMixPoints() {
    // The first point of each name, as FindPoint finds it.
    std::unordered_map<std::wstring, StatePoint*> byName;
    for (StatePoint& point : points)
        if (!point.name.empty()) byName.emplace(point.name, &point);
    const auto find = [&](const std::wstring& name) -> StatePoint* {
        const auto found = byName.find(name);
        return found == byName.end() ? nullptr : found->second;
    };

    // The mixes that can be placed, and which of them writes each point.
    std::vector<std::size_t> placeable;
    std::unordered_map<std::wstring, std::size_t> writer;
    for (std::size_t k = 0; k < mixes.size(); ++k) {
        const MixProcess& mix = mixes[k];
        if (mix.ptFresh.empty() || mix.ptReturn.empty() || mix.ptMix.empty()) continue;
        if (!find(mix.ptFresh) || !find(mix.ptReturn) || !find(mix.ptMix)) continue;
        placeable.push_back(k);
        writer.emplace(mix.ptMix, k);
    }

    // A mix waits for the mixes that write its inputs; among those ready,
    // the first in the list goes first.
    std::unordered_map<std::size_t, int> waiting;
    std::unordered_map<std::size_t, std::vector<std::size_t>> feeds;
    for (std::size_t k : placeable) {
        waiting[k] = 0;
        for (const std::wstring* input : {&mixes[k].ptFresh, &mixes[k].ptReturn})
            if (const auto found = writer.find(*input); found != writer.end()) {
                feeds[found->second].push_back(k);
                ++waiting[k];
            }
    }
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t k : placeable)
        if (waiting[k] == 0) ready.push(k);
    std::vector<char> placed(mixes.size(), 0);
    const auto place = [&](std::size_t k) {
        const MixProcess& mix = mixes[k];
        const StatePoint* fresh = find(mix.ptFresh);
        const StatePoint* ret = find(mix.ptReturn);
        StatePoint* mixed = find(mix.ptMix);
        double b = 0.5;
        if (mix.dAirFlow > 0.0) {
            b = mix.dFreshAirFlow / mix.dAirFlow;
            if (b < 0.0) b = 0.0;
            if (b > 1.0) b = 1.0;
            // A fresh flow that is not a number (or infinite over infinite)
            // would write NaN into the point; mix half and half instead.
            if (std::isnan(b)) b = 0.5;
        }
        const double I = b * fresh->I + (1.0 - b) * ret->I;
        const double D = (1.0 - b) * ret->D + b * fresh->D;
        mixed->I = I;
        mixed->D = D;
        placed[k] = 1;
    };
    while (!ready.empty()) {
        const std::size_t k = ready.top();
        ready.pop();
        place(k);
        for (std::size_t next : feeds[k])
            if (--waiting[next] == 0) ready.push(next);
    }
    // Mixes that feed one another in a circle (data the chart refuses to
    // take in) are placed once each, in list order, so that a paint ends.
    for (std::size_t k : placeable)
        if (!placed[k]) place(k);
}

CHumichartDataObj::ViewRange CHumichartDataObj::OrderedRange(double minT, double maxT, double minD, double maxD) {
    double dLo = std::min(minD, maxD);
    double dHi = std::max(minD, maxD);
    double tLo = std::min(minT, maxT);
    double tHi = std::max(minT, maxT);

    if (dLo < 0.0) dLo = 0.0;
    else if (dLo > 500.0) dLo = 490.0;
    if (dHi < 0.0) dHi = 10.0;
    if (dHi > 500.0) dHi = 500.0;
    if (tLo < -100.0) tLo = -100.0;
    else if (tLo > 200.0) tLo = 190.0;
    if (tHi < -100.0) tHi = -90.0;
    if (tHi > 200.0) tHi = 200.0;
    return {domain::kRangeScale * tLo, domain::kRangeScale * tHi, dLo, dHi};
}

Status CHumichartDataObj::LoadSlot(std::uint32_t slot, ICalcBinding& calc, std::optional<DataFault>* fault) {
    if (!slotStore_) return kStatusFail;
    CHumichartDataObj stored;
    if (!slotStore_->Load(slot, stored)) return kStatusFail;
    std::optional<DataFault> found = CheckChartData(stored, calc);
    if (found) {
        if (fault) *fault = std::move(found);
        return kStatusFail;
    }
    CopyData(stored);
    return kStatusOk;
}

Status CHumichartDataObj::SaveSlot(std::uint32_t slot) {
    return slotStore_ && slotStore_->Save(slot, *this) ? kStatusOk : kStatusFail;
}

}  // namespace humichart
