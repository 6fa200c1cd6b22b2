// Curves of constant relative humidity below saturation, sampled by
// temperature in the cold part and by humidity ratio beyond, each ending
// where it leaves the chart area on the right or at the top.
#pragma once

#include "ChartScene.h"
#include "GridContext.h"

namespace humichart {

class CRelHumidityGrid {
public:
    static void Build(const GridContext& ctx, ChartScene& scene);
};

}  // namespace humichart
