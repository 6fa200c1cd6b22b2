// The straight lines of one grid family, stroked together once the chart's
// clip is set; major lines with the major pen, the others with the minor pen.
#pragma once

#include <vector>

#include "PenStyle.h"
#include "SceneSegment.h"

namespace humichart {

struct SegmentFamily {
    PenStyle majorPen;
    PenStyle minorPen;
    std::vector<SceneSegment> segments;
};

}  // namespace humichart
