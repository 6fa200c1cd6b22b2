// "Fresh air": the rules of the dialog that works out a room's fresh air by
// its three rules and adds the mix of outdoor and room air to the chart.
#pragma once

#include "CDesignRules.h"
#include "DialogControls.h"
#include "FreshAirDesign.h"

namespace humichart {

class CFreshAirRules final : public CDesignRules {
public:
    CFreshAirRules(IChartDocument& chart, IDialogView& view, TextSource texts);

    static DialogControlTable Controls();

protected:
    void Fill() override;
    std::vector<int> PointLists() const override;
    bool IsInput(int id) const override;
    void OnInputChanged(int id) override;
    DesignRefusal Compute(ICalcSession& calc, DesignChange& change) override;
    void ClearResults() override;
    int FieldOf(const DesignRefusal& refusal) const override;

private:
    FreshAirInput m_input;
};

}  // namespace humichart
