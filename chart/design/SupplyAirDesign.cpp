#include "SupplyAirDesign.h"

#include <cmath>

#include "ChartLine.h"
#include "LoadLine.h"

namespace humichart {

DesignRefusal DesignSupplyAir(ICalcSession& calc, const CHumichartDataObj& chart, const SupplyAirInput& input,
                              SupplyAirResult& result) {
    if (input.room.empty()) return Refuse(DesignProblem::NoRoom);
    const StatePoint* room = chart.FindPoint(input.room);
    if (!room) return Refuse(DesignProblem::NoSuchPoint, input.room);
    if (!std::isfinite(input.loadKW) || !std::isfinite(input.moistureKgH) || !std::isfinite(input.deltaT))
        return Refuse(DesignProblem::NotANumber);
    if (!(input.deltaT > 0)) return Refuse(DesignProblem::TemperatureDifference);
    if (input.supplyName.empty()) return Refuse(DesignProblem::NoName);
    const std::optional<LoadLine> loads = LoadLine::Through(room->I, room->D, input.loadKW, input.moistureKgH);
    if (!loads) return Refuse(DesignProblem::NoDirection);

    SupplyAirResult out;
    out.ratio = loads->Ratio();
    out.room = AirState::At(calc, room->I, room->D);
    // The two temperatures lie on either side of N along the line (its dry
    // bulb changes one way all along it): the one at s > 0 takes up the loads.
    double s = NAN;
    for (double T : {out.room.T - input.deltaT, out.room.T + input.deltaT}) {
        const double at = loads->AtTemperature(T);
        if (std::isfinite(at) && at > 0 && !(at >= s)) s = at;
    }
    if (!std::isfinite(s)) return Refuse(DesignProblem::NoDirection);
    const double I = loads->Line().IAt(s), D = loads->Line().DAt(s);
    if (CheckResult(calc, I, D, true)) return Refuse(DesignProblem::OutsideChart, input.supplyName);
    if (D >= calc.ID_D_I_F(I, 1.0)) return Refuse(DesignProblem::SupplySaturated);

    out.supply = AirState::At(calc, I, D);
    out.massFlow = LoadLine::MassFlow(s);
    out.volumeFlow = 3600.0 * out.massFlow / calc.ID_ROU_I_D(I, D);
    out.change.points.push_back({I, D, input.supplyName});
    out.change.processes.push_back({input.supplyName, input.room, input.processName, out.volumeFlow});
    result = std::move(out);
    return {};
}

}  // namespace humichart
