// Where a straight line on the chart meets a curve of constant relative
// humidity: the end of a process line from its heat-moisture ratio, a coil's
// leaving state on its loads' line, a coil's apparatus dew point.
//
// The curve is the calculator's own, I = ID_I_D_F(D, F), as the chart draws
// it and the "Transfer processes" dialog always asked it. The line is
// bracketed by samples along its part inside the chart's domain, evenly and
// wherever the curve passes a whole degree, and every crossing refined by
// bisection; a pair of crossings between two samples shows as a dip of the
// gap there, which is searched for its lowest point before it is bracketed.
#pragma once

#include <vector>

#include "ChartLine.h"
#include "ICalcSession.h"

namespace humichart {

struct LineCrossing {
    double s = 0.0;  // the line's parameter
    double I = 0.0;  // kJ/kg, on the line
    double D = 0.0;  // g/kg, on the line
};

// Below this temperature the calculator's table inversion behind ID_I_D_F
// divides by guarded table products and no longer follows the curve
// (measured at 100 %: 0.003 K off at -78 degC, some 40 K off at -81 degC),
// so the curve is searched from here up.
inline constexpr double kLowestCurveTemperature = -78.0;

// Even samples along the line, besides one per whole degree of the curve
// the line passes; the bisections add about 50 evaluations per crossing and
// each dip searched some 40.
inline constexpr int kCrossingSamples = 64;

// Every crossing of line with the curve of relative humidity F (a fraction,
// 0 <= F <= 1) inside the chart's domain, in the order of s. evaluations,
// when given, receives the number of curve evaluations made.
std::vector<LineCrossing> FindHumidityCrossings(ICalcSession& calc, const ChartLine& line, double F,
                                                int* evaluations = nullptr);

}  // namespace humichart
