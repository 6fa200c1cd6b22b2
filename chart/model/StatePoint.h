// One state point of moist air, placed on the chart by its own coordinates.
#pragma once

#include <string>

namespace humichart {

struct StatePoint {
    double I = 0.0;      // kJ/kg dry air
    double D = 0.0;      // g/kg dry air
    std::wstring name;   // empty: a no-name point, never found by name
};

}  // namespace humichart
