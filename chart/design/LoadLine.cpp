#include "LoadLine.h"

#include <limits>

namespace humichart {

std::optional<LoadLine> LoadLine::Through(double I, double D, double Q, double W) {
    if (Q == 0.0 && W == 0.0) return std::nullopt;
    return LoadLine({I, D, -3.6 * Q, -W}, Q, W);
}

double LoadLine::Ratio() const {
    if (m_W == 0.0) return m_Q > 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
    return 3600.0 * m_Q / m_W;
}

double LoadLine::AtTemperature(double T) const {
    const ChartLine& l = m_line;
    // I - 2.5 D - T (1.005 + 0.00184 D) = 0 along the line.
    const double at0 = l.I0 - 2.5 * l.D0 - T * (1.005 + 0.00184 * l.D0);
    const double perS = l.dI - 2.5 * l.dD - T * 0.00184 * l.dD;
    const double s = -at0 / perS;
    // At D = -1.005 / 0.00184 the relation's divisor vanishes and beyond it
    // changes sign: a "temperature" there belongs to no air at all. A line
    // along an isotherm reaches every other temperature only there (within
    // rounding).
    if (!(1.005 + 0.00184 * l.DAt(s) > 1e-6)) return std::numeric_limits<double>::quiet_NaN();
    return s;
}

}  // namespace humichart
