// "Get air flow" (template 120): the window moves values between its
// controls and CSubProcessFlowRules.
#pragma once

#include "CRulesDialog.h"
#include "CSubProcessFlowRules.h"

namespace humichart {

class CDlgSubProcessFlow final : public CRulesDialog {
public:
    explicit CDlgSubProcessFlow(const AirFlowQuery& query);

    CSubProcessFlowRules& FlowRules() { return m_rules; }

protected:
    IDialogRules& Rules() override { return m_rules; }

private:
    CSubProcessFlowRules m_rules;
};

}  // namespace humichart
