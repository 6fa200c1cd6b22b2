// The moist-air operation set of Humicalc.
//
// Every operation reads the process-wide atmospheric pressure set by SetInit
// (101325 Pa after the first build) and never fails: out-of-range input is
// absorbed by clamps to saturation, the divisor guard, quadratic extrapolation
// of the tables and the sentinel humidity ratio kSentinelD.  None answers NaN:
// a NaN argument reads as 0, and where infinities or overflow meet as
// inf - inf, 0 * inf or inf / inf the answer is their limit (SatTables.h).
// Units: T and TS in degC, D in g/kg dry air, I in kJ/kg dry air, F a fraction
// (1 = saturated), P and PQ in Pa, ROU in kg/m3.
#pragma once

namespace humicalc {

// Humidity ratio answered where the vapour pressure would reach or exceed the
// atmospheric pressure.
inline constexpr double kSentinelD = 1000000.0;

// Sets the atmospheric pressure; rebuilds the saturation-enthalpy column unless
// the pressure is within 1e-4 Pa of the one in force.  NaN sets 0 Pa and an
// infinite pressure the largest finite one of its sign.
void SetInit(double P);

double ID_PQ_D(double D);
double ID_D_PQ(double PQ);
double ID_I_TS(double TS);
double ID_I_T_F(double T, double F);
double ID_I_T_D(double T, double D);
double ID_I_D_F(double D, double F);
double ID_D_T_TS(double T, double TS);
double ID_D_T_F(double T, double F);
double ID_D_T_I(double T, double I);
double ID_D_F_TS(double F, double TS);
double ID_D_I_F(double I, double F);
double ID_F_T_TS(double T, double TS);
double ID_F_T_I(double T, double I);
double ID_F_D_I(double D, double I);
double ID_F_T_D(double T, double D);
double ID_F_D_TS(double D, double TS);
double ID_TS_T_F(double T, double F);
double ID_TS_I(double I);
double ID_TS_T_D(double T, double D);
double ID_TS_D_F(double D, double F);
double ID_T_D_I(double D, double I);
double ID_T_D_TS(double D, double TS);
double ID_T_D_F(double D, double F);
double ID_T_F_TS(double F, double TS);
double ID_T_I_F(double I, double F);
double ID_ROU_T_D(double T, double D);
double ID_ROU_I_D(double I, double D);
double ID_ROU_T_F(double T, double F);

}  // namespace humicalc
