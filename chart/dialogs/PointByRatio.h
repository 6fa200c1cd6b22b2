// The end of a process line fixed by its heat-moisture ratio: the point on the
// line through a known point (I0, D0) with slope ratio (kJ/kg) where one more
// parameter takes a given value. The parameter is one of the seven kinds the
// "Get point by HOM" dialog lists, in its order.
#pragma once

#include "ICalcSession.h"

namespace humichart {

enum class KnownKind : int {
    DryBulb = 0,         // DB.T, degC
    RelHumidity = 1,     // R.H, percent
    Moisture = 2,        // M.C, g/kg
    Enthalpy = 3,        // I, kJ/kg
    WetBulb = 4,         // WB.T, degC
    DewPoint = 5,        // DP.T, degC
    VapourPressure = 6,  // V.P, Pa
};
inline constexpr int kKnownKinds = 7;

struct RatioPoint {
    double I = 0.0;
    double D = 0.0;
};

// The relative-humidity case walks the line in steps of 1 g/kg, halving and
// turning back when it overshoots. Where the line creeps towards the curve
// without ever meeting it the walk would go on for ever; it gives up after
// this many evaluations.
inline constexpr int kRatioSearchLimit = 10000;

// Finds the point; answers false when there is none: the ratio is flat for a
// known enthalpy, the search does not meet the curve, the result is not a
// finite number or lies beyond saturation. evaluations, when given, receives
// the number of curve evaluations the relative-humidity search made.
bool FindPointByRatio(ICalcSession& calc, double I0, double D0, double ratio, KnownKind kind, double value,
                      RatioPoint& result, int* evaluations = nullptr);

}  // namespace humichart
