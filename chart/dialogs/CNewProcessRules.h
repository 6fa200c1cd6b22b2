// "Transfer processes": the rules of the dialog in which the user adds,
// changes and deletes process lines between named points, reads their heat
// and moisture loads and heat-moisture ratio, creates an end point from a
// ratio and sizes a process's air flow from a load. It edits copies of the
// chart's points and processes and writes them back on Apply.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CListEditRules.h"
#include "DialogControls.h"
#include "IChartDocument.h"
#include "IProcessSubDialogs.h"

namespace humichart {

class CNewProcessRules final : public CListEditRules {
public:
    // byHomText: the first item of the start and end lists (string 201).
    CNewProcessRules(IChartDocument& chart, IDialogView& view, IProcessSubDialogs& subDialogs,
                     std::wstring byHomText);

    static DialogControlTable Controls();

    void OnInit() override;
    void OnEvent(int id, ControlEvent event) override;

    const std::vector<StatePoint>& WorkingPoints() const { return workingPoints; }
    const std::vector<TransferProcess>& WorkingProcesses() const { return workingProcesses; }

private:
    struct Inputs {
        std::wstring start;
        std::wstring end;
        std::wstring name;
        double flow = 0.0;
    };

    void ButtonRule() override;
    void ShowSelected() override;
    std::optional<Inputs> ReadInputs();
    bool CreatePointByRatio(const StatePoint& known, std::wstring& created);
    // Index of a working process other than skip joining a and b either way.
    int FindPair(const std::wstring& a, const std::wstring& b, int skip) const;
    void Add() override;
    void Modify() override;
    void Delete() override;
    void FlowFromLoad();
    void Apply() override;

    IChartDocument& m_chart;
    IProcessSubDialogs& m_subDialogs;
    std::wstring m_byHomText;

    std::vector<StatePoint> workingPoints;
    std::vector<std::wstring> origins_;  // the chart name each working point came from
    std::vector<TransferProcess> workingProcesses;
};

}  // namespace humichart
