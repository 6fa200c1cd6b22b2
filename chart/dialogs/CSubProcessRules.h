// "Get point by HOM": the name of a point to create on a process line and one
// known parameter of it, checked against the range each parameter accepts.
#pragma once

#include <string>
#include <vector>

#include "DialogControls.h"
#include "IDialogRules.h"
#include "IDialogView.h"
#include "IProcessSubDialogs.h"

namespace humichart {

class CSubProcessRules final : public IDialogRules {
public:
    // kindNames: the list's texts (strings 202 to 208), in KnownKind order.
    CSubProcessRules(IDialogView& view, std::vector<std::wstring> kindNames);

    static DialogControlTable Controls();
    // Both bounds included.
    static bool InRange(int kind, double value);

    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    // Valid once the dialog closed with OK.
    const HomPointQuery& Answer() const { return m_answer; }

private:
    void OnOk();

    IDialogView& m_view;
    std::vector<std::wstring> m_kindNames;
    HomPointQuery m_answer;
};

}  // namespace humichart
