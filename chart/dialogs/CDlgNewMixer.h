// "Mix processes" (template 113) over a chart: the window moves values
// between its controls and CNewMixerRules.
#pragma once

#include "CNewMixerRules.h"
#include "CRulesDialog.h"

namespace humichart {

class CDlgNewMixer final : public CRulesDialog {
public:
    explicit CDlgNewMixer(IChartDocument& chart);

    CNewMixerRules& MixerRules() { return m_rules; }

protected:
    IDialogRules& Rules() override { return m_rules; }
    void PrepareControls() override;

private:
    CNewMixerRules m_rules;
};

}  // namespace humichart
