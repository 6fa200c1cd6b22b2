// "Supply air state" (template IDD_DESIGN_SUPPLY) over a chart: the window moves values
// between its controls and CSupplyAirRules.
#pragma once

#include "CRulesDialog.h"
#include "CSupplyAirRules.h"

namespace humichart {

class CDlgSupplyAir final : public CRulesDialog {
public:
    explicit CDlgSupplyAir(IChartDocument& chart);

protected:
    IDialogRules& Rules() override { return m_rules; }

private:
    CSupplyAirRules m_rules;
};

}  // namespace humichart
