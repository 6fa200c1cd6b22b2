// The closed-form moist-air relations R1..R9 at the pressure in force.  Each is
// written term by term in the order of its defining formula, so that native and
// Windows builds give the same bits.
//
// Where a formula meets inf - inf, 0 * inf or inf / inf it comes out NaN, and
// while the limits are taken (SatTables.h) the relation answers instead what
// the functions in `limits` below say.  Their rules: a zero factor wins over
// an infinite one (no vapour carries no vapour term); a ratio of infinities
// takes its limit; of two infinities the one of higher order wins, an
// enthalpy over a temperature or a humidity ratio (the saturation enthalpy
// grows as the square of its temperature), a product T D over T, an
// infinite argument over an overflow.
#pragma once

#include <cmath>
#include <limits>

#include "Humicalc.h"
#include "SatTables.h"

namespace humicalc {

inline constexpr double kMolarRatio = 621.98;   // g/kg per unit vapour-pressure ratio
inline constexpr double kCpAir = 1.005;         // kJ/(kg K)
inline constexpr double kLatent = 2.5;          // kJ/g at 0 degC
inline constexpr double kCpVapour = 0.00184;    // kJ/(g K)

// Each takes the NaN its relation came out with and answers it unchanged
// unless the limits are taken.  Out of line, so that the relations stay as
// lean as they were.
namespace limits {

inline constexpr double kInf = std::numeric_limits<double>::infinity();

inline double Sign(double x) { return std::copysign(1.0, x); }

// R1 is NaN only for an infinite D, where PQ tends to P, or for P = 0 at
// D = -621.98, where PQ is 0 = P throughout.
[[gnu::cold, gnu::noinline]] inline double VapourPressure(double nan) {
    return TakingLimits() ? CorePressure() : nan;
}

// R2 is NaN only as PQ runs to -inf, where D tends to -621.98.
[[gnu::cold, gnu::noinline]] inline double HumidityFromPressure(double nan) {
    return TakingLimits() ? -kMolarRatio : nan;
}

// R3 is NaN for F = 0 at an infinite saturation pressure, which carries no
// vapour (pq = 0), or as pq runs to -inf, where D tends to -621.98.
[[gnu::cold, gnu::noinline]] inline double HumidityFromTF(double nan, double P, double pq) {
    if (!TakingLimits()) return nan;
    if (pq == pq) return -kMolarRatio;
    pq = 0;
    return P - pq <= 0 ? kSentinelD : kMolarRatio * pq / GuardDivisor(P - pq);
}

// R4, (0.00184 T + 2.5) D + 1.005 T, where its terms meet as 0 * inf or
// inf - inf.
[[gnu::cold, gnu::noinline]] inline double Enthalpy(double nan, double T, double D) {
    if (!TakingLimits()) return nan;
    const double vapour = (kCpVapour * T + kLatent) * D;
    if (vapour != vapour) return kCpAir * T;
    if (std::isinf(D)) return vapour;  // it grows as T D
    // Here T is infinite or so large that 1.005 T overflowed: the enthalpy
    // as T (0.00184 D + 1.005) + 2.5 D, whose first term outgrows the second.
    const double slope = kCpVapour * D + kCpAir;
    if (slope == 0) return kLatent * D;
    const double I = T * slope + kLatent * D;
    return I == I ? I : T * slope;
}

// R5 and R6, (I - m y) / g(k y + n) with y = D or T: y infinite under a
// finite I tends to -m / k; an infinite I outgrows y, infinite or
// overflowed, as the saturation enthalpy outgrows its temperature.
[[gnu::cold, gnu::noinline]] inline double LinearRatio(double nan, double I, double y, double m, double k, double n) {
    if (!TakingLimits()) return nan;
    if (!std::isinf(I)) return -m / k;
    return std::copysign(kInf, I) * Sign(GuardDivisor(k * y + n));
}

// R7 is NaN for 0 / 0 at -273.15 degC, which is 0 on either side, or for
// an infinite vapour pressure (its pole at D = -621.98, or an overflow) over
// an infinite temperature, where it wins as it does over any finite one.
[[gnu::cold, gnu::noinline]] inline double Density(double nan, double pressures, double T) {
    if (!TakingLimits()) return nan;
    return std::isinf(pressures) ? std::copysign(kInf, pressures) * Sign(T + 273.15) : 0.0;
}

// R8: the vapour pressure is NaN where R1's is; an infinite saturation
// pressure over an overflowed vapour pressure gives 0.
[[gnu::cold, gnu::noinline]] inline double RelHumidityGuarded(double nan, double pq, double ps) {
    if (!TakingLimits()) return nan;
    if (pq != pq) pq = CorePressure();
    const double F = pq / GuardDivisor(ps);
    return F == F ? F : 0.0;
}

// R9: R1's vapour pressure over the saturation pressure, or 0 where both are
// infinite.
[[gnu::cold, gnu::noinline]] inline double RelHumidity(double nan, double PQ, double ps) {
    if (!TakingLimits()) return nan;
    const double F = PQ / ps;
    return F == F ? F : 0.0;
}

}  // namespace limits

// R1: vapour pressure from humidity ratio.
inline double VapourPressure(double D) {
    const double PQ = CorePressure() * D / (D + kMolarRatio);
    return PQ == PQ ? PQ : limits::VapourPressure(PQ);
}

// R2: humidity ratio from vapour pressure.
inline double HumidityFromPressure(double PQ) {
    const double P = CorePressure();
    if (!(PQ < P)) return kSentinelD;
    const double D = kMolarRatio * PQ / (P - PQ);
    return D == D ? D : limits::HumidityFromPressure(D);
}

// R3: humidity ratio from T and F; F above 1 counts as saturation.
inline double HumidityFromTF(double T, double F) {
    const double P = CorePressure();
    const double pq = ps(T) * (F > 1 ? 1.0 : F);
    if (P - pq <= 0) return kSentinelD;
    const double D = kMolarRatio * pq / GuardDivisor(P - pq);
    return D == D ? D : limits::HumidityFromTF(D, P, pq);
}

// R4: enthalpy from T and D.
inline double Enthalpy(double T, double D) {
    const double I = (kCpVapour * T + kLatent) * D + kCpAir * T;
    return I == I ? I : limits::Enthalpy(I, T, D);
}

// R5: temperature from D and I.
inline double TemperatureFromDI(double D, double I) {
    const double t = (I - kLatent * D) / GuardDivisor(kCpVapour * D + kCpAir);
    return t == t ? t : limits::LinearRatio(t, I, D, kLatent, kCpVapour, kCpAir);
}

// R5 clamped to saturation: never below the wet-bulb temperature of I.
inline double TemperatureFromDIClamped(double D, double I) {
    const double t = TemperatureFromDI(D, I);
    if (TsCertainlyAtMost(I, t)) return t;
    const double c = ts(I);
    return c > t ? c : t;
}

// R6: humidity ratio from T and I.
inline double HumidityFromTI(double T, double I) {
    const double D = (I - kCpAir * T) / GuardDivisor(kCpVapour * T + kLatent);
    return D == D ? D : limits::LinearRatio(D, I, T, kCpAir, kCpVapour, kLatent);
}

// R7: density from T and D.
inline double Density(double T, double D) {
    const double pressures = 0.003484 * CorePressure() - 0.00134 * VapourPressure(D);
    const double ROU = pressures / (T + 273.15);
    return ROU == ROU ? ROU : limits::Density(ROU, pressures, T);
}

// R8: relative humidity from T and D, both divisors guarded.
inline double RelHumidityGuarded(double T, double D) {
    const double pq = CorePressure() * D / GuardDivisor(D + kMolarRatio);
    const double saturation = ps(T);
    const double F = pq / GuardDivisor(saturation);
    return F == F ? F : limits::RelHumidityGuarded(F, pq, saturation);
}

// R9: relative humidity from T and D, one guard on the whole divisor.
inline double RelHumidity(double T, double D) {
    const double saturation = ps(T);
    const double F = CorePressure() * D / GuardDivisor((D + kMolarRatio) * saturation);
    return F == F ? F : limits::RelHumidity(F, VapourPressure(D), saturation);
}

}  // namespace humicalc
