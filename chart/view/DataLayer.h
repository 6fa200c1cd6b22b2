// The user's data over the chart image, drawn on every paint in this order:
// border; CSSR rectangle (clipped to chartRegion); dots and names (clipped to
// dataClip); data lines (clipped to chartRegion).
#pragma once

#include <vector>

#include "PenStyle.h"
#include "RectD.h"
#include "SceneSegment.h"
#include "SceneText.h"

namespace humichart {

struct DataLayer {
    bool hasBorder = false;
    RectD border;
    PenStyle borderPen;

    bool hasCssr = false;
    RectD cssr;
    ArgbColor cssrColor = 0u;

    RectD dataClip;
    std::vector<RectD> dots;  // bounding boxes of filled circles
    ArgbColor dotColor = 0u;
    std::vector<SceneText> names;  // point names, then process and mix names

    std::vector<SceneSegment> lines;  // processes, then mixes
    PenStyle linePen;
};

}  // namespace humichart
