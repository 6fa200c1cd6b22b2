// "Transfer processes" (template 112) over a chart: the window moves values
// between its controls and CNewProcessRules, and asks its two questions in
// the modal dialogs "Get point by HOM" and "Get air flow".
#pragma once

#include "CNewProcessRules.h"
#include "CProcessSubDialogs.h"
#include "CRulesDialog.h"

namespace humichart {

class CDlgNewProcess final : public CRulesDialog {
public:
    explicit CDlgNewProcess(IChartDocument& chart);

    CNewProcessRules& ProcessRules() { return m_rules; }

protected:
    IDialogRules& Rules() override { return m_rules; }
    void PrepareControls() override;

private:
    CProcessSubDialogs m_subDialogs;
    CNewProcessRules m_rules;
};

}  // namespace humichart
