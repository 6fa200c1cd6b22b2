// The user's data over the chart image, rebuilt on every paint: mix points
// placed first, then border, CSSR rectangle, points with their names, and
// process and mix lines. Uses the plot rectangle and view of the last chart
// rebuild.
#pragma once

#include "CChartView.h"
#include "CalcStatus.h"
#include "DataLayer.h"
#include "ICalcBinding.h"

namespace humichart {

class CDataLayerBuilder {
public:
    explicit CDataLayerBuilder(ICalcBinding& calc) : m_calc(calc) {}

    // Moves mix points (the data changes); on a calculator failure answers its
    // status and leaves layer untouched.
    Status Build(CChartView& view, DataLayer& layer);

private:
    ICalcBinding& m_calc;
};

}  // namespace humichart
