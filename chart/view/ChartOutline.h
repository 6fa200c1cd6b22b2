// The closed outline of the chart area: the polyline P0 (saturation at Dmax,
// cut to the area), P1 top right, P2 top left, P3 bottom left, P4 (where
// saturation enters), then a cardinal spline through the saturation samples,
// closed back to P0. Also the shape of the chart region.
#pragma once

#include <vector>

#include "PenStyle.h"
#include "PointD.h"

namespace humichart {

struct ChartOutline {
    std::vector<PointD> corners;     // P0, P1, P2, P3, P4
    std::vector<PointD> saturation;  // spline samples from P4 upward
    float tension = 0.5f;
    PenStyle pen;
};

}  // namespace humichart
