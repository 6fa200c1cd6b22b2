// Shared by the process dialogs' rule tests: the English texts of their
// lists, and the two questions of "Transfer processes" answered from a script.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CSubProcessFlowRules.h"
#include "FakeDialogView.h"
#include "IProcessSubDialogs.h"
#include "ProcessDialogsResource.h"
#include "TypedText.h"

namespace humichart::test {

inline const std::wstring kByHom = L"<By HOM>";

inline std::vector<std::wstring> KindNames() {
    return {L"DB.T(Deg.C)", L"R.H(%)", L"M.C(g/kg)", L"I(kJ/kg)", L"WB.T(Deg.C)", L"DP.T(Deg.C)", L"V.P(Pa)"};
}

class ScriptedSubDialogs final : public IProcessSubDialogs {
public:
    bool GetPointByHom(HomPointQuery& query) override {
        ++homAsked;
        if (!hom) return false;
        query = *hom;
        return true;
    }
    // "Get air flow" is its own rules over a stand-in view, so that what it
    // refuses never reaches the caller; a user refused gives up (Cancel).
    bool GetAirFlow(AirFlowQuery& query) override {
        ++flowAsked;
        flowAsk = query;
        if (!load) return false;
        FakeDialogView view{CSubProcessFlowRules::Controls()};
        CSubProcessFlowRules rules{view, query, L"heat", L"moisture"};
        view.Open(rules);
        if (loadKind != 0) view.Choose(IDC_KNOWN_KIND, loadKind);
        view.Type(IDC_KNOWN_VALUE, FormatNumber("%.17g", *load));
        view.Click(IDOK);
        for (const auto& question : view.questions) flowQuestions.push_back(question.text);
        if (!view.closed) return false;
        query = rules.Answer();
        return true;
    }

    // Answers; nullopt: the user cancels.
    std::optional<HomPointQuery> hom;
    std::optional<double> load;
    int loadKind = 0;
    // What was asked.
    int homAsked = 0;
    int flowAsked = 0;
    AirFlowQuery flowAsk;
    std::vector<std::wstring> flowQuestions;  // asked by "Get air flow"
};

}  // namespace humichart::test
