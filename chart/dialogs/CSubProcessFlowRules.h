// "Get air flow": a known heat or moisture load of a process, from which the
// "Transfer processes" dialog sizes the air flow. Only the loads that mean
// something for the process are offered.
#pragma once

#include <string>

#include "DialogControls.h"
#include "IDialogRules.h"
#include "IDialogView.h"
#include "IProcessSubDialogs.h"

namespace humichart {

class CSubProcessFlowRules final : public IDialogRules {
public:
    // query: the process's loads and which of them mean something; heatName
    // and moistureName: the list's texts (strings 220 and 221).
    CSubProcessFlowRules(IDialogView& view, const AirFlowQuery& query, std::wstring heatName,
                         std::wstring moistureName);

    static DialogControlTable Controls();

    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    // The query with the load the user gave, once the dialog closed with OK.
    const AirFlowQuery& Answer() const { return m_query; }

private:
    bool MoistureShown() const;
    void ShowValue();
    void OnOk();

    IDialogView& m_view;
    AirFlowQuery m_query;
    std::wstring m_heatName;
    std::wstring m_moistureName;
};

}  // namespace humichart
