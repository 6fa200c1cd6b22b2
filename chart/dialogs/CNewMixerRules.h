// "Mix processes": the rules of the dialog in which the user adds, changes and
// deletes the mixing of a fresh and a return air stream. The dialog names the
// mix point and creates it when new; the chart places it by the flows. It
// edits copies of the chart's points and mixes and writes them back on Apply.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CListEditRules.h"
#include "DataFaultText.h"
#include "DialogControls.h"
#include "IChartDocument.h"

namespace humichart {

class CNewMixerRules final : public CListEditRules {
public:
    // texts: the interface's strings (English without).
    CNewMixerRules(IChartDocument& chart, IDialogView& view, TextSource texts = {});

    static DialogControlTable Controls();

    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    const std::vector<StatePoint>& WorkingPoints() const { return workingPoints; }
    const std::vector<MixProcess>& WorkingMixes() const { return workingMixes; }

private:
    void ButtonRule() override;
    void ShowSelected() override;
    std::optional<MixProcess> ReadInputs();
    // Index of a working mix other than skip at the same position.
    static int FindSamePosition(const std::vector<MixProcess>& mixes, const MixProcess& key, int skip);
    void AddPointItem(const std::wstring& name);
    void Add() override;
    void Modify() override;
    void Delete() override;
    void Apply() override;

    IChartDocument& m_chart;

    TextSource m_texts;
    std::vector<StatePoint> workingPoints;
    // The chart name each working point came from (a renamed mix point keeps
    // its own, so that the chart's processes can follow it).
    std::vector<std::wstring> origins_;
    std::vector<MixProcess> workingMixes;
};

}  // namespace humichart
