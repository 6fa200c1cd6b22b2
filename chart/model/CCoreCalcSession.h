// A calculator session answered by the moist-air core linked into the same
// program, for native builds and tests. It shares the core's process-wide
// pressure exactly as COM calculator objects do.
#pragma once

#include "ICalcSession.h"

namespace humichart {

class CCoreCalcSession final : public ICalcSession {
public:
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
};

}  // namespace humichart
