// "Dew-point supply" (template IDD_DESIGN_DEWPOINT) over a chart: the window moves values
// between its controls and CDewPointRules.
#pragma once

#include "CRulesDialog.h"
#include "CDewPointRules.h"

namespace humichart {

class CDlgDewPoint final : public CRulesDialog {
public:
    explicit CDlgDewPoint(IChartDocument& chart);

protected:
    IDialogRules& Rules() override { return m_rules; }

private:
    CDewPointRules m_rules;
};

}  // namespace humichart
