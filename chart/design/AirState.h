// A state of the air as the design tools show it, every parameter from the
// calculator at the chart's pressure.
#pragma once

#include "ICalcSession.h"

namespace humichart {

struct AirState {
    double I = 0.0;  // kJ/kg
    double D = 0.0;  // g/kg
    double T = 0.0;  // degC, dry bulb
    double F = 0.0;  // relative humidity, a fraction

    static AirState At(ICalcSession& calc, double I, double D) {
        return {I, D, calc.ID_T_D_I(D, I), calc.ID_F_D_I(D, I)};
    }
};

}  // namespace humichart
