// Curves drawn as cardinal splines through their sample points, one figure per
// curve.
#pragma once

#include <vector>

#include "PenStyle.h"
#include "PointD.h"

namespace humichart {

struct CurveFamily {
    PenStyle pen;
    float tension = 0.5f;
    std::vector<std::vector<PointD>> curves;
};

}  // namespace humichart
