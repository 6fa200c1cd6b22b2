// Lines of constant enthalpy from dry air to saturation (falling to the right),
// labelled at their upper ends on every other step.
#pragma once

#include "ChartScene.h"
#include "GridContext.h"

namespace humichart {

class CEnthalpyGrid {
public:
    static void Build(const GridContext& ctx, ChartScene& scene);
};

}  // namespace humichart
