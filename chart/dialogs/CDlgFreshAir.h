// "Fresh air" (template IDD_DESIGN_FRESH) over a chart: the window moves values
// between its controls and CFreshAirRules.
#pragma once

#include "CRulesDialog.h"
#include "CFreshAirRules.h"

namespace humichart {

class CDlgFreshAir final : public CRulesDialog {
public:
    explicit CDlgFreshAir(IChartDocument& chart);

protected:
    IDialogRules& Rules() override { return m_rules; }

private:
    CFreshAirRules m_rules;
};

}  // namespace humichart
