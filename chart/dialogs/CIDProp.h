// The graph property dialog (template 106) over a chart: the window moves
// values between its controls and CGraphPropertyRules.
#pragma once

#include "CGraphPropertyRules.h"
#include "CRulesDialog.h"

namespace humichart {

class CIDProp final : public CRulesDialog {
public:
    explicit CIDProp(IChartDocument& chart);

    CGraphPropertyRules& PropertyRules() { return m_rules; }

protected:
    IDialogRules& Rules() override { return m_rules; }

private:
    CGraphPropertyRules m_rules;
};

}  // namespace humichart
