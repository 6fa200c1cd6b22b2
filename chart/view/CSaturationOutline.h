// The outline of the chart area: top and left edges, the bottom edge up to
// where saturation enters, and the saturation curve up to Dmax.
#pragma once

#include "ChartScene.h"
#include "GridContext.h"

namespace humichart {

class CSaturationOutline {
public:
    static void Build(const GridContext& ctx, ChartScene& scene);
};

}  // namespace humichart
