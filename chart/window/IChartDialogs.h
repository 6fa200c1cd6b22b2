// The dialogs the chart window's context menu opens. The chart window only
// knows this interface; the control gives it the implementation that lives
// with the dialogs, and tests can give it one that records.
#pragma once

namespace humichart {

class CIDWnd;

class IChartDialogs {
public:
    virtual ~IChartDialogs() = default;

    // Runs the modal dialog of a menu command over chart (its owner and data
    // source). Answers false when the command names no dialog.
    virtual bool Open(CIDWnd& chart, unsigned command) = 0;
};

}  // namespace humichart
