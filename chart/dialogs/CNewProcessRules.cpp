#include "CNewProcessRules.h"

#include <algorithm>
#include <cmath>

#include "ChartDataCheck.h"
#include "DialogCalc.h"
#include "DialogTexts.h"
#include "PointByRatio.h"
#include "ProcessDialogsResource.h"
#include "ProcessTexts.h"
#include "TypedText.h"
#include "UserDataChange.h"
#include "WorkingLists.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_PROCESS_START, ControlKind::DropDownList},
    {IDC_PROCESS_END, ControlKind::DropDownList},
    {IDC_AIR_FLOW, ControlKind::Edit},
    {IDC_PROCESS_HEAT, ControlKind::Edit},
    {IDC_PROCESS_MOIST, ControlKind::Edit},
    {IDC_PROCESS_RATIO, ControlKind::Edit},
    {IDC_PROCESS_NAME, ControlKind::SimpleCombo},
    {IDC_ITEM_ADD, ControlKind::Button},
    {IDC_ITEM_MODIFY, ControlKind::Button},
    {IDC_ITEM_DELETE, ControlKind::Button},
    {IDOK, ControlKind::Button},
    {IDCANCEL, ControlKind::Button},
    {IDC_APPLY, ControlKind::Button},
};

constexpr ListEditControls kListControls = {IDC_PROCESS_NAME, IDC_ITEM_ADD, IDC_ITEM_MODIFY, IDC_ITEM_DELETE,
                                             IDC_APPLY,        IDOK,         IDCANCEL};

constexpr wchar_t kNegativeFlow[] = L"Are you sure air flow can be less than 0?";

}  // namespace

CNewProcessRules::CNewProcessRules(IChartDocument& chart, IDialogView& view, IProcessSubDialogs& subDialogs,
                                   std::wstring byHomText)
    : CListEditRules(view, kListControls), m_chart(chart), m_subDialogs(subDialogs), m_byHomText(std::move(byHomText)) {}

DialogControlTable CNewProcessRules::Controls() { return kControls; }

void CNewProcessRules::OnInit() {
    const CHumichartDataObj& data = m_chart.View().Data();
    m_view.AddItem(IDC_PROCESS_START, m_byHomText);
    m_view.AddItem(IDC_PROCESS_END, m_byHomText);
    CopyNamedPoints(data, workingPoints, origins_);
    for (const StatePoint& point : workingPoints) {
        m_view.AddItem(IDC_PROCESS_START, point.name);
        m_view.AddItem(IDC_PROCESS_END, point.name);
    }
    for (const TransferProcess& process : data.processes) {
        workingProcesses.push_back(process);
        m_view.AddItem(IDC_PROCESS_NAME, process.name);
    }
    DisableCommands();
    m_view.SetReadOnly(IDC_PROCESS_RATIO, true);
}

void CNewProcessRules::OnEvent(int id, ControlEvent event) {
    if (RouteEvent(id, event)) return;
    switch (event) {
    case ControlEvent::SelectionChanged:
        if (id == IDC_PROCESS_START || id == IDC_PROCESS_END) {
            valuesEdited = true;
            ButtonRule();
        }
        break;
    case ControlEvent::TextChanged:
        if (id == IDC_AIR_FLOW) {
            valuesEdited = true;
            ButtonRule();
        }
        break;
    case ControlEvent::DoubleClicked:
        if (id == IDC_PROCESS_NAME) FlowFromLoad();
        break;
    default:
        break;
    }
}

void CNewProcessRules::ButtonRule() {
    const int s = m_view.Selection(IDC_PROCESS_START);
    const int e = m_view.Selection(IDC_PROCESS_END);
    m_view.SetReadOnly(IDC_PROCESS_RATIO, !(s == 0 || e == 0));
    CommandRule(s >= 0 && e >= 0 && s != e);
}

void CNewProcessRules::ShowSelected() {
    selectedIndex = m_view.Selection(IDC_PROCESS_NAME);
    TransferProcess shown;
    if (selectedIndex >= 0 && selectedIndex < static_cast<int>(workingProcesses.size()))
        shown = workingProcesses[selectedIndex];

    // Item k + 1 of the start and end lists is working point k; the stored
    // names are matched exactly, so "c" never shows (and Modify never takes)
    // a point "C". A point renamed or removed since selects nothing and
    // counts as the origin of the chart.
    const int s = FindWorkingPoint(workingPoints, shown.ptStart);
    const int e = FindWorkingPoint(workingPoints, shown.ptEnd);
    m_view.SetSelection(IDC_PROCESS_START, s >= 0 ? s + 1 : -1);
    m_view.SetSelection(IDC_PROCESS_END, e >= 0 ? e + 1 : -1);
    StatePoint start, end;
    if (s >= 0) start = workingPoints[s];
    if (e >= 0) end = workingPoints[e];

    // Our own writes announce themselves as edits; with no selection they
    // cannot count as one.
    const int kept = selectedIndex;
    selectedIndex = -1;
    m_view.SetText(IDC_AIR_FLOW, FormatNumber("%.2f", shown.dAirFlow));
    double rho = 0.0;
    if (RunCalculation(m_chart, m_view, [&](ICalcSession& calc) { rho = calc.ID_ROU_I_D(start.I, start.D); })) {
        const double moisture = rho * shown.dAirFlow / 1000.0 * (end.D - start.D);
        const double heat = rho * shown.dAirFlow * (end.I - start.I);
        m_view.SetText(IDC_PROCESS_MOIST, MoistureText(moisture));
        m_view.SetText(IDC_PROCESS_HEAT, HeatText(heat));
    } else {
        m_view.SetText(IDC_PROCESS_MOIST, L"");
        m_view.SetText(IDC_PROCESS_HEAT, L"");
    }
    m_view.SetText(IDC_PROCESS_RATIO, RatioText(start.I, start.D, end.I, end.D));
    selectedIndex = kept;
    valuesEdited = false;
    nameIsNew = false;
    nameUsable = true;
}

std::optional<CNewProcessRules::Inputs> CNewProcessRules::ReadInputs() {
    Inputs inputs;
    inputs.name = m_view.Text(IDC_PROCESS_NAME);
    int s = -1, e = -1;
    if (!ReadFlow(IDC_AIR_FLOW, L"Forget input air flow?", kNegativeFlow, inputs.flow) ||
        !ReadPointPair(IDC_PROCESS_START, L"Forget asign start point?", IDC_PROCESS_END, L"Forget asign end point?",
                       L"God save me! \n\nDo you think end point can be the same as start one?", IDC_PROCESS_END, s,
                       e))
        return std::nullopt;
    const int points = static_cast<int>(workingPoints.size());
    if (s > points || e > points) return std::nullopt;  // the lists mirror workingPoints
    if (s >= 1) inputs.start = workingPoints[s - 1].name;
    if (e >= 1) inputs.end = workingPoints[e - 1].name;
    if (s == 0 || e == 0) {
        const StatePoint known = workingPoints[(s == 0 ? e : s) - 1];
        std::wstring created;
        if (!CreatePointByRatio(known, created)) return std::nullopt;
        (s == 0 ? inputs.start : inputs.end) = created;
    }
    return inputs;
}

bool CNewProcessRules::CreatePointByRatio(const StatePoint& known, std::wstring& created) {
    const std::wstring ratioText = m_view.Text(IDC_PROCESS_RATIO);
    if (ratioText.empty()) {
        Fail(L"Forget input ratio?", IDC_PROCESS_RATIO);
        return false;
    }
    const double ratio = LeadingNumber(ratioText);
    HomPointQuery query;
    if (!m_subDialogs.GetPointByHom(query)) return false;
    if (FindWorkingPoint(workingPoints, query.newPointName) >= 0) {
        m_view.Ask(L"Point already exists!", kErrorReport, kStyleError);
        return false;
    }
    RatioPoint found;
    bool valid = false;
    if (!RunCalculation(m_chart, m_view, [&](ICalcSession& calc) {
            valid = FindPointByRatio(calc, known.I, known.D, ratio, static_cast<KnownKind>(query.knownKind),
                                     query.knownValue, found);
        }))
        return false;
    // A point off the chart (the line crosses the saturation test far
    // beyond it) is no more a state of air than one the search missed.
    if (!valid || !OnChart(found.I, found.D)) {
        m_view.Ask(L"New point is found invalid!", kErrorReport, kStyleError);
        return false;
    }
    workingPoints.push_back({found.I, found.D, query.newPointName});
    m_view.AddItem(IDC_PROCESS_START, query.newPointName);
    m_view.AddItem(IDC_PROCESS_END, query.newPointName);
    created = query.newPointName;
    return true;
}

int CNewProcessRules::FindPair(const std::wstring& a, const std::wstring& b, int skip) const {
    if (a.empty() || b.empty()) return -1;
    for (std::size_t k = 0; k < workingProcesses.size(); ++k) {
        if (static_cast<int>(k) == skip) continue;
        const TransferProcess& p = workingProcesses[k];
        if ((p.ptStart == a && p.ptEnd == b) || (p.ptStart == b && p.ptEnd == a)) return static_cast<int>(k);
    }
    return -1;
}

void CNewProcessRules::Add() {
    if (!AddAllowed()) return;
    const std::optional<Inputs> inputs = ReadInputs();
    if (!inputs) return;
    if (FindPair(inputs->start, inputs->end, -1) >= 0) {
        Fail(L"Same position found one existing process. \n\nPlease make changes.", IDC_PROCESS_START);
        return;
    }
    workingProcesses.push_back({inputs->start, inputs->end, inputs->name, inputs->flow});
    Stored(m_view.AddItem(IDC_PROCESS_NAME, inputs->name));
}

void CNewProcessRules::Modify() {
    if (!ModifyAllowed(static_cast<int>(workingProcesses.size()))) return;
    const std::optional<Inputs> inputs = ReadInputs();
    if (!inputs) return;
    if (FindPair(inputs->start, inputs->end, selectedIndex) >= 0) {
        Fail(L"Same position found one other existing process. \n\nPlease make changes.", IDC_PROCESS_START);
        return;
    }
    const int index = selectedIndex;
    workingProcesses[index] = {inputs->start, inputs->end, inputs->name, inputs->flow};
    ReplaceItem(m_view, IDC_PROCESS_NAME, index, inputs->name);
    Stored(index);
}

void CNewProcessRules::Delete() {
    // Showing the next process writes its flow with no selection; the buttons
    // then follow the one now shown.
    DeleteSelected(
        static_cast<int>(workingProcesses.size()),
        [&](int index) { workingProcesses.erase(workingProcesses.begin() + index); }, true);
}

void CNewProcessRules::FlowFromLoad() {
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(workingProcesses.size())) return;
    TransferProcess& process = workingProcesses[selectedIndex];
    const int s = FindWorkingPoint(workingPoints, process.ptStart);
    const int e = FindWorkingPoint(workingPoints, process.ptEnd);
    if (s < 0 || e < 0) return;
    const StatePoint start = workingPoints[s];
    const StatePoint end = workingPoints[e];
    double rho = 0.0;
    if (!RunCalculation(m_chart, m_view, [&](ICalcSession& calc) { rho = calc.ID_ROU_I_D(start.I, start.D); }))
        return;
    // With no flow yet, the loads of 1 m3/h give the user a scale to start from.
    const double mass = rho * (process.dAirFlow > 0 ? process.dAirFlow : 1.0);
    const double dI = end.I - start.I;
    const double dD = end.D - start.D;
    AirFlowQuery query;
    query.heatLoad = dI * mass;
    query.moistureLoad = mass / 1000.0 * dD;
    if (std::fabs(dI) > 1e-5) query.loadSet |= kHeatLoadSet;
    if (std::fabs(dD) > 1e-5) query.loadSet |= kMoistureLoadSet;
    if (query.loadSet == 0) return;
    if (!m_subDialogs.GetAirFlow(query)) return;
    const double flow = query.HeatGiven() ? query.heatLoad / rho / dI : query.moistureLoad / rho / dD * 1000.0;
    // A density of zero (a state far off the chart) sizes nothing.
    if (!std::isfinite(flow)) return;
    // A load of the other sign than the process's gives a flow that Add and
    // Modify would refuse: refused here in their words.
    if (flow < 0) {
        Fail(kNegativeFlow, IDC_AIR_FLOW);
        return;
    }
    process.dAirFlow = flow;
    ShowSelected();
    ButtonRule();
    m_view.Enable(IDC_APPLY, true);
}

void CNewProcessRules::Apply() {
    UserDataChange change(m_chart);
    CHumichartDataObj& data = m_chart.View().Data();
    origins_.resize(workingPoints.size());  // points by ratio come from no chart point
    ApplyWorkingPoints(data, workingPoints, origins_, false);
    // The chart holds the working points under their own names now: a
    // second Apply must not take a renamed point for a deleted one.
    for (std::size_t k = 0; k < origins_.size() && k < workingPoints.size(); ++k) origins_[k] = workingPoints[k].name;
    data.processes = workingProcesses;
    DropDanglingRecords(data);
    SettleLoosePoints(data, m_chart.Calc());
    m_chart.RequestRepaint();
    change.Finish();
    m_view.Enable(IDC_APPLY, false);
}

}  // namespace humichart
