// "Get point by HOM" (template 116): the window moves values between its
// controls and CSubProcessRules.
#pragma once

#include "CRulesDialog.h"
#include "CSubProcessRules.h"

namespace humichart {

class CDlgSubProcess final : public CRulesDialog {
public:
    CDlgSubProcess();

    CSubProcessRules& SubProcessRules() { return m_rules; }

protected:
    IDialogRules& Rules() override { return m_rules; }
    void PrepareControls() override;

private:
    CSubProcessRules m_rules;
};

}  // namespace humichart
