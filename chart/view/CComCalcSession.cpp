#include "CComCalcSession.h"

#include "CCalcError.h"

namespace humichart {

namespace {

void Check(HRESULT hr) {
    if (FAILED(hr)) throw CCalcError(static_cast<Status>(hr));
}

}  // namespace

void CComCalcSession::SetInit(double P) {
    Check(m_calc->SetInit(P));
}

double CComCalcSession::ID_PQ_D(double D) {
    double result = 0.0;
    Check(m_calc->ID_PQ_D(D, &result));
    return result;
}

double CComCalcSession::ID_D_PQ(double PQ) {
    double result = 0.0;
    Check(m_calc->ID_D_PQ(PQ, &result));
    return result;
}

double CComCalcSession::ID_I_TS(double TS) {
    double result = 0.0;
    Check(m_calc->ID_I_TS(TS, &result));
    return result;
}

double CComCalcSession::ID_I_T_F(double T, double F) {
    double result = 0.0;
    Check(m_calc->ID_I_T_F(T, F, &result));
    return result;
}

double CComCalcSession::ID_I_T_D(double T, double D) {
    double result = 0.0;
    Check(m_calc->ID_I_T_D(T, D, &result));
    return result;
}

double CComCalcSession::ID_I_D_F(double D, double F) {
    double result = 0.0;
    Check(m_calc->ID_I_D_F(D, F, &result));
    return result;
}

double CComCalcSession::ID_D_T_TS(double T, double TS) {
    double result = 0.0;
    Check(m_calc->ID_D_T_TS(T, TS, &result));
    return result;
}

double CComCalcSession::ID_D_T_F(double T, double F) {
    double result = 0.0;
    Check(m_calc->ID_D_T_F(T, F, &result));
    return result;
}

double CComCalcSession::ID_D_T_I(double T, double I) {
    double result = 0.0;
    Check(m_calc->ID_D_T_I(T, I, &result));
    return result;
}

double CComCalcSession::ID_D_F_TS(double F, double TS) {
    double result = 0.0;
    Check(m_calc->ID_D_F_TS(F, TS, &result));
    return result;
}

double CComCalcSession::ID_D_I_F(double I, double F) {
    double result = 0.0;
    Check(m_calc->ID_D_I_F(I, F, &result));
    return result;
}

double CComCalcSession::ID_F_T_TS(double T, double TS) {
    double result = 0.0;
    Check(m_calc->ID_F_T_TS(T, TS, &result));
    return result;
}

double CComCalcSession::ID_F_T_I(double T, double I) {
    double result = 0.0;
    Check(m_calc->ID_F_T_I(T, I, &result));
    return result;
}

double CComCalcSession::ID_F_D_I(double D, double I) {
    double result = 0.0;
    Check(m_calc->ID_F_D_I(D, I, &result));
    return result;
}

double CComCalcSession::ID_F_T_D(double T, double D) {
    double result = 0.0;
    Check(m_calc->ID_F_T_D(T, D, &result));
    return result;
}

double CComCalcSession::ID_F_D_TS(double D, double TS) {
    double result = 0.0;
    Check(m_calc->ID_F_D_TS(D, TS, &result));
    return result;
}

double CComCalcSession::ID_TS_T_F(double T, double F) {
    double result = 0.0;
    Check(m_calc->ID_TS_T_F(T, F, &result));
    return result;
}

double CComCalcSession::ID_TS_I(double I) {
    double result = 0.0;
    Check(m_calc->ID_TS_I(I, &result));
    return result;
}

double CComCalcSession::ID_TS_T_D(double T, double D) {
    double result = 0.0;
    Check(m_calc->ID_TS_T_D(T, D, &result));
    return result;
}

double CComCalcSession::ID_TS_D_F(double D, double F) {
    double result = 0.0;
    Check(m_calc->ID_TS_D_F(D, F, &result));
    return result;
}

double CComCalcSession::ID_T_D_I(double D, double I) {
    double result = 0.0;
    Check(m_calc->ID_T_D_I(D, I, &result));
    return result;
}

double CComCalcSession::ID_T_D_TS(double D, double TS) {
    double result = 0.0;
    Check(m_calc->ID_T_D_TS(D, TS, &result));
    return result;
}

double CComCalcSession::ID_T_D_F(double D, double F) {
    double result = 0.0;
    Check(m_calc->ID_T_D_F(D, F, &result));
    return result;
}

double CComCalcSession::ID_T_F_TS(double F, double TS) {
    double result = 0.0;
    Check(m_calc->ID_T_F_TS(F, TS, &result));
    return result;
}

double CComCalcSession::ID_T_I_F(double I, double F) {
    double result = 0.0;
    Check(m_calc->ID_T_I_F(I, F, &result));
    return result;
}

double CComCalcSession::ID_ROU_T_D(double T, double D) {
    double result = 0.0;
    Check(m_calc->ID_ROU_T_D(T, D, &result));
    return result;
}

double CComCalcSession::ID_ROU_I_D(double I, double D) {
    double result = 0.0;
    Check(m_calc->ID_ROU_I_D(I, D, &result));
    return result;
}

double CComCalcSession::ID_ROU_T_F(double T, double F) {
    double result = 0.0;
    Check(m_calc->ID_ROU_T_F(T, F, &result));
    return result;
}

}  // namespace humichart
