// What a state on the chart may be: a dry bulb from -100 to 200 degC (the
// chart's ordinate I - 2.5 D within 1.005 times those, as the view range keeps
// its temperatures), a humidity ratio from 0 to 500 g/kg, and no more than a
// hair above saturation. Mix points are placed by the chart between their two
// streams and are not held to the saturation test. The design tools compute
// only within this domain and refuse a result outside it.
#pragma once

#include "ICalcSession.h"

namespace humichart {

inline constexpr double kDomainMinT = -100.0;   // degC
inline constexpr double kDomainMaxT = 200.0;    // degC
inline constexpr double kDomainMinD = 0.0;      // g/kg
inline constexpr double kDomainMaxD = 500.0;    // g/kg
// A point this far (g/kg) or more above saturation at its enthalpy is beyond
// the curve; one closer counts as on it. The "Points" dialog's tolerance.
inline constexpr double kDomainSaturationTolerance = 0.0011;

// The straight line of points (I0 + s dI, D0 + s dD) on the chart.
struct ChartLine {
    double I0 = 0.0, D0 = 0.0;  // kJ/kg, g/kg at s = 0
    double dI = 0.0, dD = 0.0;  // per unit of s
    double IAt(double s) const { return I0 + s * dI; }
    double DAt(double s) const { return D0 + s * dD; }
};

enum class DomainAnswer { Inside, Outside, BeyondSaturation };

// Whether (I, D) lies in the domain; mixPoint: exempt from the saturation
// test. A value that is not a finite number lies outside.
DomainAnswer CheckDomain(ICalcSession& calc, double I, double D, bool mixPoint = false);

// The part of line inside the domain's limits of temperature and humidity
// ratio (saturation aside), as the interval [sMin, sMax] of its parameter;
// false when the line misses the domain or is no line (dI = dD = 0).
bool ClipToDomain(const ChartLine& line, double& sMin, double& sMax);

}  // namespace humichart
