// The 28 computing operations, each built from the relations, the table reads
// and the two solvers only.
#include "Humicalc.h"

#include "Relations.h"
#include "Solvers.h"

namespace humicalc {

void SetInit(double P) { BuildSatEnthalpy(P); }

// Each operation as defined, for arguments that are numbers: what the
// operations below answer unless it is NaN.  They call one another here.
namespace defined {
namespace {

// Direct.
double ID_PQ_D(double D) { return VapourPressure(D); }
double ID_D_PQ(double PQ) { return HumidityFromPressure(PQ); }
double ID_D_T_F(double T, double F) { return HumidityFromTF(T, F); }
// A sentinel humidity ratio enters the enthalpy as it is.
double ID_I_T_F(double T, double F) { return Enthalpy(T, HumidityFromTF(T, F)); }
double ID_ROU_T_D(double T, double D) { return Density(T, D); }

// Wet-bulb family: TS is the saturation temperature on the state's enthalpy line.
double ID_I_TS(double TS) { return is(TS); }
double ID_TS_I(double I) { return ts(I); }
double ID_TS_T_F(double T, double F) { return ts(ID_I_T_F(T, F)); }

double ID_TS_T_D(double T, double D) {
    const double c = ts(Enthalpy(T, D));
    return c > T ? T : c;
}

double ID_D_T_TS(double T, double TS) {
    const double tsClamped = TS > T ? T : TS;
    return HumidityFromTI(T, is(tsClamped));
}

double ID_F_T_TS(double T, double TS) { return RelHumidity(T, ID_D_T_TS(T, TS)); }

double ID_T_D_TS(double D, double TS) {
    const double t = TemperatureFromDI(D, is(TS));
    return TS > t ? TS : t;
}

double ID_F_D_TS(double D, double TS) { return RelHumidity(ID_T_D_TS(D, TS), D); }

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
    const double I = Enthalpy(T, D);
    if (TsCertainlyAtMost(I, T)) return RelHumidityGuarded(T, D);
    return RelHumidityGuarded(T, ts(I) > T ? HumidityFromTI(T, is(T)) : D);
}

double ID_T_D_I(double D, double I) { return TemperatureFromDIClamped(D, I); }

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

double ID_ROU_I_D(double I, double D) { return Density(ID_T_D_I(D, I), D); }

}  // namespace
}  // namespace defined

namespace {

double Number(double x) { return x == x ? x : 0.0; }

// Where the operation as defined has no number to give: a NaN argument reads
// as 0, as the chart reads typed text that is not a number, and where that
// still gives none, the operation is evaluated again with the limits taken.
// Every operation answers NaN for a NaN argument, except ID_D_PQ, whose NaN
// never compares below P and has always answered the sentinel; so arguments
// are looked at only here, off the way of every answer that is a number.
template <auto op, class... Args>
[[gnu::cold, gnu::noinline]] double Unnumbered(Args... args) {
    const double value = op(Number(args)...);
    if (value == value) return value;
    const Limits limits;
    return op(Number(args)...);
}

template <auto op, class... Args>
[[gnu::always_inline]] inline double Answer(Args... args) {
    const double value = op(args...);
    return value == value ? value : Unnumbered<op>(args...);
}

}  // namespace

#define ANSWER1(f) \
    [[gnu::flatten]] double f(double a) { return Answer<defined::f>(a); }
#define ANSWER2(f) \
    [[gnu::flatten]] double f(double a, double b) { return Answer<defined::f>(a, b); }

ANSWER1(ID_PQ_D)
ANSWER1(ID_D_PQ)
ANSWER1(ID_I_TS)
ANSWER2(ID_I_T_F)
ANSWER2(ID_I_T_D)
ANSWER2(ID_I_D_F)
ANSWER2(ID_D_T_TS)
ANSWER2(ID_D_T_F)
ANSWER2(ID_D_T_I)
ANSWER2(ID_D_F_TS)
ANSWER2(ID_D_I_F)
ANSWER2(ID_F_T_TS)
ANSWER2(ID_F_T_I)
ANSWER2(ID_F_D_I)
ANSWER2(ID_F_T_D)
ANSWER2(ID_F_D_TS)
ANSWER2(ID_TS_T_F)
ANSWER1(ID_TS_I)
ANSWER2(ID_TS_T_D)
ANSWER2(ID_TS_D_F)
ANSWER2(ID_T_D_I)
ANSWER2(ID_T_D_TS)
ANSWER2(ID_T_D_F)
ANSWER2(ID_T_F_TS)
ANSWER2(ID_T_I_F)
ANSWER2(ID_ROU_T_D)
ANSWER2(ID_ROU_I_D)
ANSWER2(ID_ROU_T_F)

#undef ANSWER1
#undef ANSWER2

}  // namespace humicalc
