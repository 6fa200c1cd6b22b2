#include "ChartDomain.h"

#include <cmath>
#include <limits>

namespace humichart {

namespace {

constexpr double kMinOrdinate = 1.005 * kDomainMinT;
constexpr double kMaxOrdinate = 1.005 * kDomainMaxT;

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

DomainAnswer CheckDomain(ICalcSession& calc, double I, double D, bool mixPoint) {
    if (!std::isfinite(I) || !std::isfinite(D)) return DomainAnswer::Outside;
    const double ordinate = I - 2.5 * D;
    if (D < kDomainMinD || D > kDomainMaxD || ordinate < kMinOrdinate || ordinate > kMaxOrdinate)
        return DomainAnswer::Outside;
    if (!mixPoint && D - calc.ID_D_I_F(I, 1.0) >= kDomainSaturationTolerance) return DomainAnswer::BeyondSaturation;
    return DomainAnswer::Inside;
}

bool ClipToDomain(const ChartLine& line, double& sMin, double& sMax) {
    if (!std::isfinite(line.I0) || !std::isfinite(line.D0) || !std::isfinite(line.dI) || !std::isfinite(line.dD))
        return false;
    if (line.dI == 0.0 && line.dD == 0.0) return false;
    double lo = -std::numeric_limits<double>::infinity(), hi = std::numeric_limits<double>::infinity();
    if (!Narrow(line.D0, line.dD, kDomainMinD, kDomainMaxD, lo, hi)) return false;
    if (!Narrow(line.I0 - 2.5 * line.D0, line.dI - 2.5 * line.dD, kMinOrdinate, kMaxOrdinate, lo, hi)) return false;
    sMin = lo;
    sMax = hi;
    return true;
}

}  // namespace humichart
