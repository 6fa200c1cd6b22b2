// The view range as the user sees it: temperatures in degC, humidity ratios
// in g/kg.
#pragma once

namespace humichart {

struct ChartRange {
    double minT = 0.0;
    double maxT = 0.0;
    double minD = 0.0;
    double maxD = 0.0;
};

}  // namespace humichart
