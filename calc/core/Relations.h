// The closed-form moist-air relations R1..R9 at the pressure in force.  Each is
// written term by term in the order of its defining formula, so that native and
// Windows builds give the same bits.
#pragma once

#include "Humicalc.h"
#include "SatTables.h"

namespace humicalc {

inline constexpr double kMolarRatio = 621.98;   // g/kg per unit vapour-pressure ratio
inline constexpr double kCpAir = 1.005;         // kJ/(kg K)
inline constexpr double kLatent = 2.5;          // kJ/g at 0 degC
inline constexpr double kCpVapour = 0.00184;    // kJ/(g K)

// R1: vapour pressure from humidity ratio.
inline double VapourPressure(double D) { return CorePressure() * D / (D + kMolarRatio); }

// R2: humidity ratio from vapour pressure.
inline double HumidityFromPressure(double PQ) {
    const double P = CorePressure();
    return PQ < P ? kMolarRatio * PQ / (P - PQ) : kSentinelD;
}

// R3: humidity ratio from T and F; F above 1 counts as saturation.
inline double HumidityFromTF(double T, double F) {
    const double P = CorePressure();
    const double pq = ps(T) * (F > 1 ? 1.0 : F);
    if (P - pq <= 0) return kSentinelD;
    return kMolarRatio * pq / GuardDivisor(P - pq);
}

// R4: enthalpy from T and D.
inline double Enthalpy(double T, double D) { return (kCpVapour * T + kLatent) * D + kCpAir * T; }

// R5: temperature from D and I.
inline double TemperatureFromDI(double D, double I) { return (I - kLatent * D) / GuardDivisor(kCpVapour * D + kCpAir); }

// R6: humidity ratio from T and I.
inline double HumidityFromTI(double T, double I) { return (I - kCpAir * T) / GuardDivisor(kCpVapour * T + kLatent); }

// R7: density from T and D.
inline double Density(double T, double D) {
    return (0.003484 * CorePressure() - 0.00134 * VapourPressure(D)) / (T + 273.15);
}

// R8: relative humidity from T and D, both divisors guarded.
inline double RelHumidityGuarded(double T, double D) {
    const double pq = CorePressure() * D / GuardDivisor(D + kMolarRatio);
    return pq / GuardDivisor(ps(T));
}

// R9: relative humidity from T and D, one guard on the whole divisor.
inline double RelHumidity(double T, double D) {
    return CorePressure() * D / GuardDivisor((D + kMolarRatio) * ps(T));
}

}  // namespace humicalc
