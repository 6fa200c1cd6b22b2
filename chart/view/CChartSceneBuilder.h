// Rebuilds the chart image as plain data: background and caption, the grid
// families the display flags ask for, the outline, the chart region and the
// foreground tint. All moist-air values come from one calculator session,
// opened at the chart's pressure for this rebuild and dropped after it.
#pragma once

#include "CChartView.h"
#include "CalcStatus.h"
#include "ChartScene.h"
#include "ICalcBinding.h"

namespace humichart {

class CChartSceneBuilder {
public:
    explicit CChartSceneBuilder(ICalcBinding& calc) : m_calc(calc) {}

    // The cached image: background, caption when captionVisible, then the
    // chart. renderPending is the caller's: it is done once the image exists.
    Status BuildImage(CChartView& view, bool captionVisible, ChartScene& scene);

    // The chart without background (printing fills its own page). Updates the
    // plot rectangle and applies a pending view reset. On failure answers the
    // calculator's status and leaves scene untouched.
    Status BuildChart(CChartView& view, ChartScene& scene);

private:
    ICalcBinding& m_calc;
};

}  // namespace humichart
