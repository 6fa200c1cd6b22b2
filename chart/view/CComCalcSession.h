// A calculator session on a CalID object created through COM. Every call is
// forwarded; a failing HRESULT (a calculator in another apartment or process
// can fail) is thrown as CCalcError. The object is released with the session.
#pragma once

#include <windows.h>

#include <utility>

#include "ComPtr.h"
#include "Humicalc_h.h"
#include "ICalcSession.h"

namespace humichart {

class CComCalcSession final : public ICalcSession {
public:
    explicit CComCalcSession(ComPtr<ICalID> calc) : m_calc(std::move(calc)) {}

    void SetInit(double P) override;

    double ID_PQ_D(double D) override;
    double ID_D_PQ(double PQ) override;
    double ID_I_TS(double TS) override;
    double ID_I_T_F(double T, double F) override;
    double ID_I_T_D(double T, double D) override;
    double ID_I_D_F(double D, double F) override;
    double ID_D_T_TS(double T, double TS) override;
    double ID_D_T_F(double T, double F) override;
    double ID_D_T_I(double T, double I) override;
    double ID_D_F_TS(double F, double TS) override;
    double ID_D_I_F(double I, double F) override;
    double ID_F_T_TS(double T, double TS) override;
    double ID_F_T_I(double T, double I) override;
    double ID_F_D_I(double D, double I) override;
    double ID_F_T_D(double T, double D) override;
    double ID_F_D_TS(double D, double TS) override;
    double ID_TS_T_F(double T, double F) override;
    double ID_TS_I(double I) override;
    double ID_TS_T_D(double T, double D) override;
    double ID_TS_D_F(double D, double F) override;
    double ID_T_D_I(double D, double I) override;
    double ID_T_D_TS(double D, double TS) override;
    double ID_T_D_F(double D, double F) override;
    double ID_T_F_TS(double F, double TS) override;
    double ID_T_I_F(double I, double F) override;
    double ID_ROU_T_D(double T, double D) override;
    double ID_ROU_I_D(double I, double D) override;
    double ID_ROU_T_F(double T, double F) override;

private:
    ComPtr<ICalID> m_calc;
};

}  // namespace humichart
