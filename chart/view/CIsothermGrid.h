// Lines of constant dry-bulb temperature from dry air (D = 0) to saturation,
// from the top of the view downward, labelled where they meet the left edge.
#pragma once

#include "ChartScene.h"
#include "GridContext.h"

namespace humichart {

class CIsothermGrid {
public:
    static void Build(const GridContext& ctx, ChartScene& scene);
};

}  // namespace humichart
