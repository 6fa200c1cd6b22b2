// A straight grid or data line. Major grid lines are the labelled ones.
#pragma once

#include "PointD.h"

namespace humichart {

struct SceneSegment {
    PointD from;
    PointD to;
    bool major = false;
};

}  // namespace humichart
