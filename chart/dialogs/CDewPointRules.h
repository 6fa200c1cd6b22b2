// "Dew-point supply": the rules of the dialog that works out a room's coil,
// its leaving state, reheat and supply, and adds them to the chart.
#pragma once

#include "CDesignRules.h"
#include "DewPointDesign.h"
#include "DialogControls.h"

namespace humichart {

class CDewPointRules final : public CDesignRules {
public:
    CDewPointRules(IChartDocument& chart, IDialogView& view, TextSource texts);

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
    DewPointInput m_input;
};

}  // namespace humichart
