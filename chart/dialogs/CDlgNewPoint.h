// The "Points" dialog (template 111) over a chart: the window moves values
// between its controls and CPointDialogRules.
#pragma once

#include "CPointDialogRules.h"
#include "CRulesDialog.h"

namespace humichart {

class CDlgNewPoint final : public CRulesDialog {
public:
    explicit CDlgNewPoint(IChartDocument& chart);

    CPointDialogRules& PointRules() { return m_rules; }

protected:
    IDialogRules& Rules() override { return m_rules; }
    void PrepareControls() override;

private:
    CPointDialogRules m_rules;
};

}  // namespace humichart
