// The 28 computing operations, each built from the relations, the table reads
// and the two solvers only.
#include "Humicalc.h"

#include "Relations.h"
#include "Solvers.h"

namespace humicalc {

void SetInit(double P) { BuildSatEnthalpy(P); }

// Direct.
double ID_PQ_D(double D) { return VapourPressure(D); }
double ID_D_PQ(double PQ) { return HumidityFromPressure(PQ); }
double ID_D_T_F(double T, double F) { return HumidityFromTF(T, F); }
// A sentinel humidity ratio enters the enthalpy as it is.
double ID_I_T_F(double T, double F) { return HumidityFromTF(T, F) * (kCpVapour * T + kLatent) + kCpAir * T; }
double ID_ROU_T_D(double T, double D) { return Density(T, D); }

// Wet-bulb family: TS is the saturation temperature on the state's enthalpy line.
double ID_I_TS(double TS) { return is(TS); }
double ID_TS_I(double I) { return ts(I); }
double ID_TS_T_F(double T, double F) { return ts(ID_I_T_F(T, F)); }

double ID_TS_T_D(double T, double D) {
    const double c = ts(kCpAir * T + (kCpVapour * T + kLatent) * D);
    return c > T ? T : c;
}

double ID_D_T_TS(double T, double TS) {
    const double tsClamped = TS > T ? T : TS;
    return (is(tsClamped) - kCpAir * T) / GuardDivisor(kCpVapour * T + kLatent);
}

double ID_F_T_TS(double T, double TS) { return RelHumidity(T, ID_D_T_TS(T, TS)); }

double ID_T_D_TS(double D, double TS) {
    const double t = (is(TS) - kLatent * D) / GuardDivisor(kCpVapour * D + kCpAir);
    return TS > t ? TS : t;
}

double ID_F_D_TS(double D, double TS) {
    const double T = ID_T_D_TS(D, TS);
    return CorePressure() * D / GuardDivisor(ps(T) * (D + kMolarRatio));
}

// Clamp to saturation: a pair beyond the saturation curve at T is moved onto it.
// Most air is well inside the curve, and TsCertainlyAtMost says so without the
// read of the enthalpy column; what it leaves open is decided by the read.
double ID_I_T_D(double T, double D) {
    const double I = Enthalpy(T, D);
    if (TsCertainlyAtMost(I, T)) return I;
    return ts(I) > T ? is(T) : I;
}

double ID_D_T_I(double T, double I) {
    if (TsCertainlyAtMost(I, T)) return HumidityFromTI(T, I);
    return HumidityFromTI(T, ts(I) > T ? is(T) : I);
}

double ID_F_T_I(double T, double I) { return RelHumidityGuarded(T, ID_D_T_I(T, I)); }

double ID_F_T_D(double T, double D) {
    const double c = kCpVapour * T + kLatent;
    const double I = c * D + kCpAir * T;
    if (TsCertainlyAtMost(I, T)) return RelHumidityGuarded(T, D);
    const double d = ts(I) > T ? (is(T) - kCpAir * T) / GuardDivisor(c) : D;
    return RelHumidityGuarded(T, d);
}

double ID_T_D_I(double D, double I) {
    const double t = TemperatureFromDI(D, I);
    if (TsCertainlyAtMost(I, t)) return t;
    const double c = ts(I);
    return c > t ? c : t;
}

double ID_F_D_I(double D, double I) {
    const double t = TemperatureFromDI(D, I);
    if (TsCertainlyAtMost(I, t)) return RelHumidityGuarded(t, D);
    const double c = ts(I);
    if (c > t) return RelHumidityGuarded(c, HumidityFromTI(c, I));
    return RelHumidityGuarded(t, D);
}

// Dew-point start with correction.
double ID_T_D_F(double D, double F) { return DewPointCorrected(D, F); }
double ID_I_D_F(double D, double F) { return Enthalpy(ID_T_D_F(D, F), D); }
double ID_TS_D_F(double D, double F) { return ts(ID_I_D_F(D, F)); }

// Enthalpy balance.
double ID_T_F_TS(double F, double TS) {
    return RelaxEnthalpyBalance(is(TS), F, TS, BalanceResult::Temperature, false);
}
double ID_D_F_TS(double F, double TS) {
    return RelaxEnthalpyBalance(is(TS), F, TS, BalanceResult::Humidity, true);
}
double ID_T_I_F(double I, double F) {
    return RelaxEnthalpyBalance(I, F, ts(I), BalanceResult::Temperature, false);
}
double ID_D_I_F(double I, double F) {
    return RelaxEnthalpyBalance(I, F, ts(I), BalanceResult::Humidity, true);
}

// Density family.
double ID_ROU_T_F(double T, double F) { return Density(T, HumidityFromTF(T, F)); }

double ID_ROU_I_D(double I, double D) {
    const double PQ = VapourPressure(D);
    const double T = ID_T_D_I(D, I);
    return (0.003484 * CorePressure() - 0.00134 * PQ) / (T + 273.15);
}

}  // namespace humicalc
