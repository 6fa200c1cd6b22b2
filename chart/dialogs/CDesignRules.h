// What the three design tools' dialogs share: the chart's named points in
// their point lists, results worked out again at every change of an input
// and shown before anything is stored (or the reason there are none, on the
// status line), and OK, which works them out once more and adds them to the
// chart as one change, or says why not and stays open.
#pragma once

#include <string>
#include <vector>

#include "DesignChange.h"
#include "DesignTexts.h"
#include "IChartDocument.h"
#include "IDialogRules.h"
#include "IDialogView.h"

namespace humichart {

class CDesignRules : public IDialogRules {
public:
    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    // The change OK added last; empty before.
    const DesignChange& Added() const { return m_added; }

protected:
    CDesignRules(IChartDocument& chart, IDialogView& view, TextSource texts);

    // Fills the tool's own controls; the point lists are filled already.
    virtual void Fill() = 0;
    // The point lists (drop-down lists of the chart's named points).
    virtual std::vector<int> PointLists() const = 0;
    // Whether a change of control id changes the inputs.
    virtual bool IsInput(int id) const = 0;
    // Reads the inputs and computes; on success shows the results and gives
    // the change OK would add.
    virtual DesignRefusal Compute(ICalcSession& calc, DesignChange& change) = 0;
    virtual void ClearResults() = 0;
    // The input to fix for a refusal.
    virtual int FieldOf(const DesignRefusal& refusal) const = 0;
    // An input's change beyond recomputing (a default, an enabled field).
    virtual void OnInputChanged(int) {}

    // The name chosen in a point list, "" when none: item k of a list is the
    // chart's k-th named point (after the lists' own first items).
    std::wstring ChosenPoint(int list, int firstItems = 0);
    // The leading number of a field's text; 0 when empty.
    double Number(int id);
    void Show(int id, const char* format, double value);
    // The field's text emptied.
    void Clear(std::initializer_list<int> ids);

    IChartDocument& m_chart;
    IDialogView& m_view;
    TextSource m_texts;
    std::vector<std::wstring> m_names;  // the chart's named points, in order

private:
    void Recompute();
    void Ok();

    DesignChange m_added;
    bool m_filled = false;  // the controls' first texts are no user's change
};

// A heat-moisture ratio as "Transfer processes" writes one: exponential
// above 100000 in magnitude, "+Infinite" or "-Infinite" for no moisture.
std::wstring RatioValueText(double ratio);

}  // namespace humichart
