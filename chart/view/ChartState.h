// A chart coordinate: enthalpy I (kJ/kg) and humidity ratio D (g/kg).
#pragma once

namespace humichart {

struct ChartState {
    double I = 0.0;
    double D = 0.0;
};

}  // namespace humichart
