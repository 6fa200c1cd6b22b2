// The rules of the "Points" dialog: a working copy of the chart's named
// points, a state point entered from any two of seven parameters, all seven
// shown for the selected point, and Add, Modify, Delete and Apply merging the
// copy back into the chart.
#pragma once

#include <vector>

#include "CListEditRules.h"
#include "DataFaultText.h"
#include "DialogControls.h"
#include "IChartDocument.h"
#include "StatePoint.h"

namespace humichart {

class CPointDialogRules final : public CListEditRules {
public:
    // Texts of the dialog's messages.
    static constexpr wchar_t kForgetInput[] = L"Forget input value?";
    static constexpr wchar_t kOutOfRange[] =
        L"One or more input value(s) is not valid or the point is out of our range!";
    static constexpr wchar_t kAboveSaturation[] =
        L"This point is out of the posible range! \n\nLet me correct it for you?";
    static constexpr wchar_t kAreYouSure[] = L"Are you sure?";

    // What each known parameter fixes.
    enum class Kind { T, D, F, I };
    // One of the seven parameters: its check box, its edit box, its bit in
    // knownMask and what its typed value fixes.
    struct Parameter {
        int check;
        int edit;
        int bit;
        Kind kind;
    };
    // In the order the dialog lists them: DB.T, M.C, DP.T, V.P, R.H, WB.T, I.
    static const Parameter kParameters[7];

    // texts: the interface's strings (English without).
    CPointDialogRules(IChartDocument& chart, IDialogView& view, TextSource texts = {});

    static DialogControlTable Controls();

    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    // The commands, as the buttons run them.
    void Add() override;
    void Modify() override;
    void Delete() override;
    void Apply() override;

    const std::vector<StatePoint>& WorkingPoints() const { return workingPoints; }

    // The dialog's state, readable by tests.
    int knownCount = 0;
    int knownMask = 0;
    using CListEditRules::nameIsNew;
    using CListEditRules::nameUsable;
    using CListEditRules::selectedIndex;
    using CListEditRules::valuesEdited;

private:
    void OnCheckClicked(int check);
    void CheckBoxRule();
    void ButtonRule() override;
    void ShowSelected() override;
    // The point the inputs describe; false (after telling the user where it
    // applies) when they describe none that may be stored.
    bool DerivePoint(StatePoint& point);
    // Whether check box id is checked and can be changed by the user.
    bool On(int check);

    IChartDocument& m_chart;
    TextSource m_texts;
    std::vector<StatePoint> workingPoints;
    // The chart name each working point came from; empty for one added here.
    std::vector<std::wstring> origins_;
};

}  // namespace humichart
