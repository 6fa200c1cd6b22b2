// What a dialog's rules see of a chart: its data and view (standard C++), the
// calculator binding its computations open sessions from, and its repaint
// requests. The chart window is one; a test's chart of its own is another.
#pragma once

#include "CChartView.h"
#include "ICalcBinding.h"

namespace humichart {

class IChartDocument {
public:
    virtual ~IChartDocument() = default;

    // View().Data() is the chart's data set.
    virtual CChartView& View() = 0;
    virtual ICalcBinding& Calc() = 0;
    // Repaints the whole chart without erasing.
    virtual void RequestRepaint() = 0;
    // The same, rebuilding the chart image first (renderPending).
    virtual void RequestRender() = 0;
    // The user has just changed the chart's data (a dialog's OK or Apply
    // that changed something): the chart tells its host. Never called for a
    // change the host makes itself.
    virtual void DataChangedByUser() = 0;
};

}  // namespace humichart
