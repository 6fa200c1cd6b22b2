// Everything the cached chart image shows, as plain data. The painter draws it
// in this order: background fill and caption (image only), the texts (titles
// and labels, unclipped), then with the clip set to the widened chart region:
// the foreground tint, humidity-ratio lines, isotherms, enthalpy lines,
// relative-humidity curves and the outline.
#pragma once

#include <array>
#include <vector>

#include "ChartOutline.h"
#include "CurveFamily.h"
#include "PenStyle.h"
#include "PointD.h"
#include "RectD.h"
#include "SceneText.h"
#include "SegmentFamily.h"

namespace humichart {

struct ChartScene {
    int clientWidth = 0;
    int clientHeight = 0;

    // Set for the cached image only; printing fills its own page.
    bool fillBackground = false;
    ArgbColor background = 0xFFFFFFFFu;
    bool hasCaption = false;
    SceneText caption;  // two lines centred in the client area

    // Geometry of this rebuild, also kept by the view for the mouse code.
    RectD plot;
    RectD visible;
    RectD clip;
    int stepD = 0;   // 1/20 g/kg
    int stepT = 0;   // 1/10 degC, and 1/20 kJ/kg for enthalpy
    int stepRH = 0;  // 1/1000

    std::vector<SceneText> texts;
    SegmentFamily humidityRatio;
    SegmentFamily isotherms;
    SegmentFamily enthalpy;
    CurveFamily relativeHumidity;
    ChartOutline outline;

    // chartRegion = outline figure intersected with regionBounds. The clip is
    // that region united with copies of itself moved by widenOffsets.
    RectD regionBounds;
    std::array<PointD, 4> widenOffsets{};

    bool hasForeground = false;
    ArgbColor foreground = 0u;
};

}  // namespace humichart
