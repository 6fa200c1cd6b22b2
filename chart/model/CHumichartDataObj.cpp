#include "CHumichartDataObj.h"

#include <cmath>
#include <utility>

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
    for (const MixProcess& mix : mixes) {
        if (mix.ptFresh.empty() || mix.ptReturn.empty() || mix.ptMix.empty()) continue;
        const StatePoint* fresh = FindPoint(mix.ptFresh);
        const StatePoint* ret = FindPoint(mix.ptReturn);
        StatePoint* mixed = FindPoint(mix.ptMix);
        if (!fresh || !ret || !mixed) continue;

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
    }
}

Status CHumichartDataObj::LoadSlot(std::uint32_t slot) {
    return slotStore_ && slotStore_->Load(slot, *this) ? kStatusOk : kStatusFail;
}

Status CHumichartDataObj::SaveSlot(std::uint32_t slot) {
    return slotStore_ && slotStore_->Save(slot, *this) ? kStatusOk : kStatusFail;
}

}  // namespace humichart
