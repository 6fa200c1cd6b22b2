// A pixel position; the painter converts to its own float points.
#pragma once

namespace humichart {

struct PointD {
    double x = 0.0;
    double y = 0.0;
};

}  // namespace humichart
