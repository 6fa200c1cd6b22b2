// Shared by the process dialogs' rule tests: the English texts of their
// lists, and the two questions of "Transfer processes" answered from a script.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "IProcessSubDialogs.h"

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
    bool GetAirFlow(AirFlowQuery& query) override {
        ++flowAsked;
        flowAsk = query;
        if (!load) return false;
        query.loadKind = loadKind;
        (query.HeatGiven() ? query.heatLoad : query.moistureLoad) = *load;
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
};

}  // namespace humichart::test
