#include "CCoreCalcSession.h"

#include "Humicalc.h"

namespace humichart {

void CCoreCalcSession::SetInit(double P) { humicalc::SetInit(P); }

double CCoreCalcSession::ID_PQ_D(double D) { return humicalc::ID_PQ_D(D); }
double CCoreCalcSession::ID_D_PQ(double PQ) { return humicalc::ID_D_PQ(PQ); }
double CCoreCalcSession::ID_I_TS(double TS) { return humicalc::ID_I_TS(TS); }
double CCoreCalcSession::ID_I_T_F(double T, double F) { return humicalc::ID_I_T_F(T, F); }
double CCoreCalcSession::ID_I_T_D(double T, double D) { return humicalc::ID_I_T_D(T, D); }
double CCoreCalcSession::ID_I_D_F(double D, double F) { return humicalc::ID_I_D_F(D, F); }
double CCoreCalcSession::ID_D_T_TS(double T, double TS) { return humicalc::ID_D_T_TS(T, TS); }
double CCoreCalcSession::ID_D_T_F(double T, double F) { return humicalc::ID_D_T_F(T, F); }
double CCoreCalcSession::ID_D_T_I(double T, double I) { return humicalc::ID_D_T_I(T, I); }
double CCoreCalcSession::ID_D_F_TS(double F, double TS) { return humicalc::ID_D_F_TS(F, TS); }
double CCoreCalcSession::ID_D_I_F(double I, double F) { return humicalc::ID_D_I_F(I, F); }
double CCoreCalcSession::ID_F_T_TS(double T, double TS) { return humicalc::ID_F_T_TS(T, TS); }
double CCoreCalcSession::ID_F_T_I(double T, double I) { return humicalc::ID_F_T_I(T, I); }
double CCoreCalcSession::ID_F_D_I(double D, double I) { return humicalc::ID_F_D_I(D, I); }
double CCoreCalcSession::ID_F_T_D(double T, double D) { return humicalc::ID_F_T_D(T, D); }
double CCoreCalcSession::ID_F_D_TS(double D, double TS) { return humicalc::ID_F_D_TS(D, TS); }
double CCoreCalcSession::ID_TS_T_F(double T, double F) { return humicalc::ID_TS_T_F(T, F); }
double CCoreCalcSession::ID_TS_I(double I) { return humicalc::ID_TS_I(I); }
double CCoreCalcSession::ID_TS_T_D(double T, double D) { return humicalc::ID_TS_T_D(T, D); }
double CCoreCalcSession::ID_TS_D_F(double D, double F) { return humicalc::ID_TS_D_F(D, F); }
double CCoreCalcSession::ID_T_D_I(double D, double I) { return humicalc::ID_T_D_I(D, I); }
double CCoreCalcSession::ID_T_D_TS(double D, double TS) { return humicalc::ID_T_D_TS(D, TS); }
double CCoreCalcSession::ID_T_D_F(double D, double F) { return humicalc::ID_T_D_F(D, F); }
double CCoreCalcSession::ID_T_F_TS(double F, double TS) { return humicalc::ID_T_F_TS(F, TS); }
double CCoreCalcSession::ID_T_I_F(double I, double F) { return humicalc::ID_T_I_F(I, F); }
double CCoreCalcSession::ID_ROU_T_D(double T, double D) { return humicalc::ID_ROU_T_D(T, D); }
double CCoreCalcSession::ID_ROU_I_D(double I, double D) { return humicalc::ID_ROU_I_D(I, D); }
double CCoreCalcSession::ID_ROU_T_F(double T, double F) { return humicalc::ID_ROU_T_F(T, F); }

}  // namespace humichart
