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

// Finds the point; answers false when there is none: the ratio is flat for a
// known enthalpy, the line does not meet the humidity curve inside the chart's
// domain on the side it approaches the curve, the result is not a finite
// number or lies beyond saturation. evaluations, when given, receives the
// number of curve evaluations the relative-humidity case made.
bool FindPointByRatio(ICalcSession& calc, double I0, double D0, double ratio, KnownKind kind, double value,
                      RatioPoint& result, int* evaluations = nullptr);

}  // namespace humichart
