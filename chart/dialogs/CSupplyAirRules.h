// "Supply air state": the rules of the dialog that works out the supply state
// of a room from its loads and a supply temperature difference and adds the
// supply point and the room process to the chart.
#pragma once

#include "CDesignRules.h"
#include "DialogControls.h"
#include "SupplyAirDesign.h"

namespace humichart {

class CSupplyAirRules final : public CDesignRules {
public:
    CSupplyAirRules(IChartDocument& chart, IDialogView& view, TextSource texts);

    static DialogControlTable Controls();

protected:
    void Fill() override;
    std::vector<int> PointLists() const override;
    bool IsInput(int id) const override;
    DesignRefusal Compute(ICalcSession& calc, DesignChange& change) override;
    void ClearResults() override;
    int FieldOf(const DesignRefusal& refusal) const override;

private:
    SupplyAirInput m_input;
};

}  // namespace humichart
