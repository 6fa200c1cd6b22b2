#include "PointByRatio.h"

#include <cmath>

#include "DialogCalc.h"

namespace humichart {

namespace {

// The line's crossing with the curve of constant relative humidity F, by
// walking along D from D0.
bool SearchRelativeHumidity(ICalcSession& calc, double I0, double D0, double e, double F, RatioPoint& result,
                            int& evaluations) {
    const double gap0 = std::fabs(calc.ID_I_D_F(D0, F) - I0);
    double D = D0 + 0.0001;
    double I = I0 + e * 0.0001;
    double gap = std::fabs(calc.ID_I_D_F(D, F) - I);
    // Walk the way the first small step brought the line closer to the curve.
    double t = gap0 > gap ? 1.0 : -1.0;
    double u = t;
    while (gap > 0.0001) {
        if (evaluations >= kRatioSearchLimit) return false;
        ++evaluations;
        D = D0 + t;
        I = I0 + e * t;
        const double w = std::fabs(calc.ID_I_D_F(D, F) - I);
        if (w < gap) {
            t += u;
        } else {
            u = -u / 2;
            if (std::fabs(u) < 1e-6) return false;
            t += u;
        }
        gap = w;
    }
    result = {I, D};
    return true;
}

}  // namespace

bool FindPointByRatio(ICalcSession& calc, double I0, double D0, double ratio, KnownKind kind, double value,
                      RatioPoint& result, int* evaluations) {
    const double e = ratio / 1000.0;  // kJ/kg per g/kg
    RatioPoint found;
    int walked = 0;
    switch (kind) {
    case KnownKind::DryBulb: {
        const double T = value;
        found.D = (I0 - e * D0 - 1.005 * T) / (0.00184 * T + 2.5 - e);
        found.I = calc.ID_I_T_D(T, found.D);
        break;
    }
    case KnownKind::RelHumidity: {
        const bool met = SearchRelativeHumidity(calc, I0, D0, e, value * 0.01, found, walked);
        if (evaluations) *evaluations = walked;
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
    // The search stops within 0.0001 kJ/kg of the line's crossing, on either
    // side: a point on the 100 % curve may land a hair above it. Within the
    // Points dialog's tolerance it is put on the curve at its enthalpy, as
    // that dialog corrects a point; beyond it there is no such state.
    const double saturated = calc.ID_D_I_F(found.I, 1.0);
    if (found.D - saturated >= kSaturationTolerance) return false;
    if (found.D > saturated) found.D = saturated;
    result = found;
    return true;
}

}  // namespace humichart
