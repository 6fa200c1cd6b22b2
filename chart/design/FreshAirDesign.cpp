#include "FreshAirDesign.h"

#include <algorithm>
#include <cmath>

#include "ChartLine.h"

namespace humichart {

double SupplyFlowInto(const CHumichartDataObj& chart, const std::wstring& room) {
    if (room.empty()) return 0.0;
    for (const TransferProcess& process : chart.processes)
        if (process.ptEnd == room) return process.dAirFlow;
    return 0.0;
}

DesignRefusal DesignFreshAir(ICalcSession& calc, const CHumichartDataObj& chart, const FreshAirInput& input,
                             FreshAirResult& result) {
    if (input.outdoor.empty()) return Refuse(DesignProblem::NoOutdoor);
    const StatePoint* outdoor = chart.FindPoint(input.outdoor);
    if (!outdoor) return Refuse(DesignProblem::NoSuchPoint, input.outdoor);
    if (input.room.empty()) return Refuse(DesignProblem::NoRoom);
    const StatePoint* room = chart.FindPoint(input.room);
    if (!room) return Refuse(DesignProblem::NoSuchPoint, input.room);
    if (input.outdoor == input.room) return Refuse(DesignProblem::SamePoints);
    for (double value : {input.supplyFlow, input.people, input.perPerson, input.minSharePercent, input.exhaustFlow})
        if (!std::isfinite(value)) return Refuse(DesignProblem::NotANumber);
    if (!(input.supplyFlow > 0)) return Refuse(DesignProblem::SupplyFlow);
    if (input.people < 0 || input.perPerson < 0 || input.exhaustFlow < 0) return Refuse(DesignProblem::NegativeRule);
    if (input.minSharePercent < 0 || input.minSharePercent > 100) return Refuse(DesignProblem::ShareRange);
    if (input.mixPoint.empty()) return Refuse(DesignProblem::NoName);

    FreshAirResult out;
    const double V = input.supplyFlow;
    out.freshFlow = std::min(V, std::max({input.people * input.perPerson, input.minSharePercent / 100.0 * V,
                                          input.exhaustFlow}));
    if (!std::isfinite(out.freshFlow)) return Refuse(DesignProblem::NotANumber);
    // As the chart places a mix point (RecomputeMixPoints), term for term.
    const double b = std::clamp(out.freshFlow / V, 0.0, 1.0);
    out.share = b;
    const double I = b * outdoor->I + (1 - b) * room->I;
    const double D = (1 - b) * room->D + b * outdoor->D;
    if (CheckResult(calc, I, D, true)) return Refuse(DesignProblem::OutsideChart, input.mixPoint);

    out.outdoor = AirState::At(calc, outdoor->I, outdoor->D);
    out.room = AirState::At(calc, room->I, room->D);
    out.mix = AirState::At(calc, I, D);
    out.freshLoadKW = calc.ID_ROU_I_D(outdoor->I, outdoor->D) * out.freshFlow * (outdoor->I - room->I) / 3600.0;
    out.change.points.push_back({I, D, input.mixPoint});
    out.change.mixes.push_back({input.outdoor, input.room, input.mixPoint, input.mixName, out.freshFlow, V});
    result = std::move(out);
    return {};
}

}  // namespace humichart
