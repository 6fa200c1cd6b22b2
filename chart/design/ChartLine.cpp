#include "ChartLine.h"

#include <cmath>
#include <limits>
#include <utility>

#include "ChartDomain.h"

namespace humichart {

namespace {

// Narrows [lo, hi] to the s where lowest <= a + s b <= highest; false when
// nothing is left.
bool Narrow(double a, double b, double lowest, double highest, double& lo, double& hi) {
    if (b == 0.0) return a >= lowest && a <= highest;
    double s1 = (lowest - a) / b, s2 = (highest - a) / b;
    if (s1 > s2) std::swap(s1, s2);
    if (s1 > lo) lo = s1;
    if (s2 < hi) hi = s2;
    return lo <= hi;
}

}  // namespace

bool ClipToDomain(const ChartLine& line, double& sMin, double& sMax) {
    using namespace domain;
    if (!std::isfinite(line.I0) || !std::isfinite(line.D0) || !std::isfinite(line.dI) || !std::isfinite(line.dD))
        return false;
    if (line.dI == 0.0 && line.dD == 0.0) return false;
    double lo = -std::numeric_limits<double>::infinity(), hi = std::numeric_limits<double>::infinity();
    if (!Narrow(line.D0, line.dD, kMinD, kMaxD, lo, hi)) return false;
    if (!Narrow(line.I0 - kSlant * line.D0, line.dI - kSlant * line.dD, kRangeScale * kMinT, kRangeScale * kMaxT, lo,
                hi))
        return false;
    sMin = lo;
    sMax = hi;
    return true;
}

std::optional<DataRule> CheckResult(ICalcSession& calc, double I, double D, bool mixPoint) {
    const double saturation = !mixPoint && OnChart(I, D) ? calc.ID_D_I_F(I, 1.0) : 0.0;
    return CheckState(I, D, saturation, mixPoint);
}

}  // namespace humichart
