// A chart for dialog tests without a window: its data and view, a
// calculator on the core (counting, and able to fail like a COM one), and
// its repaint requests and the user's changes it was told of counted.
#pragma once

#include "CChartView.h"
#include "CHumichartDataObj.h"
#include "CountingCalcBinding.h"
#include "IChartDocument.h"

namespace humichart::test {

class FakeChart final : public IChartDocument {
public:
    CChartView& View() override { return view; }
    ICalcBinding& Calc() override { return calc; }
    void RequestRepaint() override { ++repaints; }
    void RequestRender() override {
        view.renderPending = 1;
        ++renders;
        ++repaints;
    }
    void DataChangedByUser() override { ++userChanges; }

    CHumichartDataObj data;
    CChartView view{data};
    CountingCalcBinding calc;
    int repaints = 0;
    int renders = 0;
    int userChanges = 0;
};

}  // namespace humichart::test
