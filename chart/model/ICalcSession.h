// One calculator object as the chart uses it: created, set to the chart's
// pressure, asked one or more questions, released. The operations are those
// of ICalID, with the result returned instead of written through a pointer.
//
// The calculator itself never fails; an implementation whose transport can
// fail (COM) throws CCalcError with the call's status.
#pragma once

namespace humichart {

class ICalcSession {
public:
    virtual ~ICalcSession() = default;

    virtual void SetInit(double P) = 0;

    virtual double ID_PQ_D(double D) = 0;
    virtual double ID_D_PQ(double PQ) = 0;
    virtual double ID_I_TS(double TS) = 0;
    virtual double ID_I_T_F(double T, double F) = 0;
    virtual double ID_I_T_D(double T, double D) = 0;
    virtual double ID_I_D_F(double D, double F) = 0;
    virtual double ID_D_T_TS(double T, double TS) = 0;
    virtual double ID_D_T_F(double T, double F) = 0;
    virtual double ID_D_T_I(double T, double I) = 0;
    virtual double ID_D_F_TS(double F, double TS) = 0;
    virtual double ID_D_I_F(double I, double F) = 0;
    virtual double ID_F_T_TS(double T, double TS) = 0;
    virtual double ID_F_T_I(double T, double I) = 0;
    virtual double ID_F_D_I(double D, double I) = 0;
    virtual double ID_F_T_D(double T, double D) = 0;
    virtual double ID_F_D_TS(double D, double TS) = 0;
    virtual double ID_TS_T_F(double T, double F) = 0;
    virtual double ID_TS_I(double I) = 0;
    virtual double ID_TS_T_D(double T, double D) = 0;
    virtual double ID_TS_D_F(double D, double F) = 0;
    virtual double ID_T_D_I(double D, double I) = 0;
    virtual double ID_T_D_TS(double D, double TS) = 0;
    virtual double ID_T_D_F(double D, double F) = 0;
    virtual double ID_T_F_TS(double F, double TS) = 0;
    virtual double ID_T_I_F(double I, double F) = 0;
    virtual double ID_ROU_T_D(double T, double D) = 0;
    virtual double ID_ROU_I_D(double I, double D) = 0;
    virtual double ID_ROU_T_F(double T, double F) = 0;
};

}  // namespace humichart
