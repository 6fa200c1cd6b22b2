// The chart's dialogs by menu command: "Points..." (203), "Transfer
// processes..." (204), "Mix processes..." (205), "Graph property..." (207),
// "Data IO..." (32771) and the design tools of "Tools": "Supply air
// state..." (32781), "Fresh air..." (32782), "Dew-point supply..." (32786).
// Each runs modally over the chart window.
#pragma once

#include "IChartDialogs.h"

namespace humichart {

class CChartDialogs final : public IChartDialogs {
public:
    bool Open(CIDWnd& chart, unsigned command) override;
};

}  // namespace humichart
