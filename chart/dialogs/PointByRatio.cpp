#include "PointByRatio.h"

#include <cmath>
#include <vector>

#include "ChartDomain.h"
#include "DialogCalc.h"
#include "HumidityCrossings.h"

namespace humichart {

static_assert(domain::kSaturationTolerance == kSaturationTolerance, "one tolerance for a point on the curve");

namespace {

// The line's crossing with the curve of constant relative humidity F. Of the
// crossings the one kept is the first met going from the known point the way
// a step of 0.0001 g/kg brings the line nearer the curve: the crossing the
// dialog has always answered, where it found one.
bool CrossRelativeHumidity(ICalcSession& calc, double I0, double D0, double e, double F, RatioPoint& result,
                           int& evaluations) {
    const std::vector<LineCrossing> crossings = FindHumidityCrossings(calc, {I0, D0, e, 1.0}, F, &evaluations);
    double ahead = 0.0;  // dry air: the one crossing, D = 0, whichever way
    if (F > 0.0) {
        const double gap0 = std::fabs(calc.ID_I_D_F(D0, F) - I0);
        const double gap = std::fabs(calc.ID_I_D_F(D0 + 0.0001, F) - (I0 + e * 0.0001));
        evaluations += 2;
        ahead = gap0 > gap ? 1.0 : -1.0;
    }
    const LineCrossing* first = nullptr;
    for (const LineCrossing& crossing : crossings) {
        if (ahead * crossing.s < 0) continue;
        if (!first || std::fabs(crossing.s) < std::fabs(first->s)) first = &crossing;
    }
    if (!first) return false;
    result = {first->I, first->D};
    return true;
}

}  // namespace

bool FindPointByRatio(ICalcSession& calc, double I0, double D0, double ratio, KnownKind kind, double value,
                      RatioPoint& result, int* evaluations) {
    const double e = ratio / 1000.0;  // kJ/kg per g/kg
    RatioPoint found;
    int evaluated = 0;
    switch (kind) {
    case KnownKind::DryBulb: {
        const double T = value;
        found.D = (I0 - e * D0 - 1.005 * T) / (0.00184 * T + 2.5 - e);
        found.I = calc.ID_I_T_D(T, found.D);
        break;
    }
    case KnownKind::RelHumidity: {
        const bool met = CrossRelativeHumidity(calc, I0, D0, e, value * 0.01, found, evaluated);
        if (evaluations) *evaluations = evaluated;
        if (!met) return false;
        break;
    }
    case KnownKind::Moisture:
        found.D = value;
        found.I = I0 + e * (found.D - D0);
        break;
    case KnownKind::Enthalpy:
    case KnownKind::WetBulb:
        found.I = kind == KnownKind::Enthalpy ? value : calc.ID_I_TS(value);
        if (std::fabs(e) < 1e-6) return false;
        found.D = D0 + (found.I - I0) / e;
        break;
    case KnownKind::DewPoint:
        found.D = calc.ID_D_T_F(value, 1.0);
        found.I = I0 + e * (found.D - D0);
        break;
    case KnownKind::VapourPressure:
        found.D = calc.ID_D_PQ(value);
        found.I = I0 + e * (found.D - D0);
        break;
    default:
        return false;
    }
    // A flat ratio against a dry-bulb line of the same slope, or huge typed
    // values, give no number at all: no point rather than a point nowhere.
    if (!std::isfinite(found.I) || !std::isfinite(found.D)) return false;
    // A point on the 100 % curve as ID_I_D_F draws it may lie a hair above
    // saturation as ID_D_I_F has it. Within the Points dialog's tolerance it
    // is put on the curve at its enthalpy, as that dialog corrects a point;
    // beyond it there is no such state.
    const double saturated = calc.ID_D_I_F(found.I, 1.0);
    if (found.D - saturated >= kSaturationTolerance) return false;
    if (found.D > saturated) found.D = saturated;
    result = found;
    return true;
}

}  // namespace humichart
