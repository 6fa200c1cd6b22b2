// A straight line on the chart, the part of it the chart's domain holds
// (ChartDomain.h: -100 to 200 degC as the ordinate I - 2.5 D within 1.005
// times those, 0 to 500 g/kg), and the design tools' test of a result
// against the domain.
#pragma once

#include <optional>

#include "ChartDataCheck.h"
#include "ICalcSession.h"

namespace humichart {

// The points (I0 + s dI, D0 + s dD).
struct ChartLine {
    double I0 = 0.0, D0 = 0.0;  // kJ/kg, g/kg at s = 0
    double dI = 0.0, dD = 0.0;  // per unit of s
    double IAt(double s) const { return I0 + s * dI; }
    double DAt(double s) const { return D0 + s * dD; }
};

// The part of line inside the domain's limits of temperature and humidity
// ratio (saturation aside), as the interval [sMin, sMax] of its parameter;
// false when the line misses the domain or is no line (dI = dD = 0).
bool ClipToDomain(const ChartLine& line, double& sMin, double& sMax);

// A state against the domain as the chart-data check has it: not a number,
// off the chart, above saturation (a mix point is only held to the chart),
// or nothing.
std::optional<DataRule> CheckResult(ICalcSession& calc, double I, double D, bool mixPoint = false);

}  // namespace humichart
