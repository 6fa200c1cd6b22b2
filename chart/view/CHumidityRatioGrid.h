// Vertical lines of constant humidity ratio, from the top of the chart area
// down to saturation, labelled above the chart on every other step.
#pragma once

#include "ChartScene.h"
#include "GridContext.h"

namespace humichart {

class CHumidityRatioGrid {
public:
    static void Build(const GridContext& ctx, ChartScene& scene);
};

}  // namespace humichart
