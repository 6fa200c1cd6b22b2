// What every grid family of one rebuild shares: the view after its reset, the
// session opened for the rebuild, the range and the step codes.
#pragma once

#include "CChartView.h"
#include "ChartRange.h"
#include "ICalcSession.h"
#include "RectD.h"

namespace humichart {

struct GridContext {
    const CChartView& view;
    ICalcSession& calc;
    ChartRange range;
    RectD plot;
    RectD area;     // chart area at the current zoom
    RectD visible;
    RectD clip;
    int a = 0;      // humidity-ratio step code
    int t = 0;      // temperature (and enthalpy) step code
};

}  // namespace humichart
