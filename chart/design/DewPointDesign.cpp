#include "DewPointDesign.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <tuple>

#include "ChartLine.h"
#include "HumidityCrossings.h"
#include "LoadLine.h"

namespace humichart {

namespace {

// A state computed on the 100 % curve as ID_I_D_F draws it may lie a hair
// above saturation as ID_D_I_F has it. It is moved back towards a state
// below saturation, to the last point of that segment at or below the curve:
// along the loads' line, so that it still takes up both loads, or along its
// humidity ratio, so that a reheat stays at constant humidity ratio.
// Answers the share of the way it moved.
double OntoCurve(ICalcSession& calc, double& I, double& D, double towardI, double towardD) {
    auto above = [&](double t) {
        const double Dt = D + t * (towardD - D);
        return Dt > calc.ID_D_I_F(I + t * (towardI - I), 1.0);
    };
    if (!above(0.0) || above(1.0)) return 0.0;
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 100 && hi - lo > 1e-15; ++i) {
        const double m = 0.5 * (lo + hi);
        (above(m) ? lo : hi) = m;
    }
    I += hi * (towardI - I);
    D += hi * (towardD - D);
    return hi;
}

// The nearest crossing at s >= from, or none.
const LineCrossing* FirstFrom(const std::vector<LineCrossing>& crossings, double from) {
    for (const LineCrossing& crossing : crossings)
        if (crossing.s >= from) return &crossing;
    return nullptr;
}

}  // namespace

DesignRefusal DesignDewPointSupply(ICalcSession& calc, const CHumichartDataObj& chart, const DewPointInput& input,
                                   DewPointResult& result) {
    if (input.room.empty()) return Refuse(DesignProblem::NoRoom);
    const StatePoint* room = chart.FindPoint(input.room);
    if (!room) return Refuse(DesignProblem::NoSuchPoint, input.room);
    const StatePoint* outdoor = nullptr;
    if (!input.outdoor.empty()) {
        outdoor = chart.FindPoint(input.outdoor);
        if (!outdoor) return Refuse(DesignProblem::NoSuchPoint, input.outdoor);
        if (input.outdoor == input.room) return Refuse(DesignProblem::SamePoints);
    }
    for (double value : {input.loadKW, input.moistureKgH, input.rhPercent, input.freshSharePercent, input.maxDeltaT})
        if (!std::isfinite(value)) return Refuse(DesignProblem::NotANumber);
    if (input.rhPercent < 80 || input.rhPercent > 100) return Refuse(DesignProblem::CoilHumidity);
    if (outdoor && (input.freshSharePercent < 0 || input.freshSharePercent > 100))
        return Refuse(DesignProblem::ShareRange);
    if (input.maxDeltaT < 0) return Refuse(DesignProblem::MaxTemperatureDifference);
    const std::optional<LoadLine> loads = LoadLine::Through(room->I, room->D, input.loadKW, input.moistureKgH);
    if (!loads) return Refuse(DesignProblem::NoDirection);

    DewPointResult out;
    const std::wstring& p = input.prefix;
    const std::wstring nameL = p + kCoilLeavingName, nameO = p + kSupplyName, nameC = p + kCoilEnteringName;
    const double F = input.rhPercent / 100.0;
    out.ratio = loads->Ratio();
    out.room = AirState::At(calc, room->I, room->D);

    // L: the first crossing with phi_L on the supply's side of N.
    const std::vector<LineCrossing> crossings = FindHumidityCrossings(calc, loads->Line(), F);
    const LineCrossing* meets = FirstFrom(crossings, 0.0);
    if (meets && meets->s == 0.0) meets = FirstFrom(crossings, std::nextafter(0.0, 1.0));
    if (!meets) {
        wchar_t percent[32];
        std::swprintf(percent, 32, L"%g", input.rhPercent);
        return Refuse(DesignProblem::NeverMeets, percent);
    }
    double IL = meets->I, DL = meets->D;
    double sSupply = meets->s * (1.0 - OntoCurve(calc, IL, DL, room->I, room->D));
    const double TL = calc.ID_T_D_I(DL, IL);
    double IO = IL, DO = DL;
    if (input.maxDeltaT > 0 && out.room.T - TL > input.maxDeltaT) {
        const double s = loads->AtTemperature(out.room.T - input.maxDeltaT);
        if (std::isfinite(s) && s > 0 && s < meets->s) {
            out.reheated = true;
            sSupply = s;
            IO = loads->Line().IAt(s);
            DO = loads->Line().DAt(s);
            IL = calc.ID_I_D_F(DO, F);
            DL = DO;
            OntoCurve(calc, IL, DL, IO, DO);
        }
    }

    // C: what the coil takes in, placed as the chart places a mix.
    double IC = room->I, DC = room->D;
    out.mixed = outdoor && input.freshSharePercent > 0;
    if (out.mixed) {
        const double b = input.freshSharePercent / 100.0;
        IC = b * outdoor->I + (1 - b) * room->I;
        DC = (1 - b) * room->D + b * outdoor->D;
    }
    for (const auto& [I, D, name, mix] : {std::tuple{IL, DL, nameL, false}, std::tuple{IO, DO, nameO, false},
                                         std::tuple{IC, DC, out.mixed ? nameC : input.room, true}}) {
        if (CheckResult(calc, I, D, mix)) return Refuse(DesignProblem::OutsideChart, name);
    }
    out.entering = AirState::At(calc, IC, DC);
    out.leaving = AirState::At(calc, IL, DL);
    out.supply = AirState::At(calc, IO, DO);
    if (out.leaving.T > out.entering.T) return Refuse(DesignProblem::CoilWarms);

    // The apparatus dew point: the coil's line from C through L, on to
    // saturation.
    const ChartLine coil{IC, DC, IL - IC, DL - DC};
    const std::vector<LineCrossing> saturation = FindHumidityCrossings(calc, coil, 1.0);
    const LineCrossing* dew = FirstFrom(saturation, 1.0 - 1e-9);
    if (!dew) return Refuse(DesignProblem::NoDewPoint);
    out.dewPointT = calc.ID_T_D_I(dew->D, dew->I);
    out.bypassFactor = (out.leaving.T - out.dewPointT) / (out.entering.T - out.dewPointT);

    out.massFlow = LoadLine::MassFlow(sSupply);
    const double G = out.massFlow;
    out.volumeFlow = 3600.0 * G / calc.ID_ROU_I_D(IO, DO);
    out.freshFlow = out.mixed ? input.freshSharePercent / 100.0 * out.volumeFlow : 0.0;
    out.coilLoadKW = G * (IC - IL);
    out.condensateKgH = 3.6 * G * (DC - DL);
    out.reheatKW = G * (IO - IL);

    // Each process carries the flow measured at its start.
    const std::wstring& nameIn = out.mixed ? nameC : input.room;
    const std::wstring& nameOut = out.reheated ? nameO : nameL;
    DesignChange& change = out.change;
    change.points.push_back({IL, DL, nameL});
    if (out.reheated) change.points.push_back({IO, DO, nameO});
    if (out.mixed) change.points.push_back({IC, DC, nameC});
    change.processes.push_back({nameIn, nameL, p + input.names.coil, 3600.0 * G / calc.ID_ROU_I_D(IC, DC)});
    if (out.reheated)
        change.processes.push_back({nameL, nameO, p + input.names.reheat, 3600.0 * G / calc.ID_ROU_I_D(IL, DL)});
    // Room air through the coil and straight back: one line, the coil's.
    if (out.mixed || out.reheated)
        change.processes.push_back({nameOut, input.room, p + input.names.supply, out.volumeFlow});
    if (out.mixed)
        change.mixes.push_back({input.outdoor, input.room, nameC, p + input.names.mix, out.freshFlow, out.volumeFlow});
    result = std::move(out);
    return {};
}

}  // namespace humichart
