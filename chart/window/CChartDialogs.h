// The chart's dialogs by menu command: "Points..." (203), "Transfer
// processes..." (204), "Mix processes..." (205), "Graph property..." (207)
// and "Data IO..." (32771). Each runs modally over the chart window.
#pragma once

#include "IChartDialogs.h"

namespace humichart {

class CChartDialogs final : public IChartDialogs {
public:
    bool Open(CIDWnd& chart, unsigned command) override;
};

}  // namespace humichart
