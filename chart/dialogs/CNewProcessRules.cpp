#include "CNewProcessRules.h"

#include <algorithm>
#include <cmath>

#include "DialogCalc.h"
#include "DialogTexts.h"
#include "PointByRatio.h"
#include "ProcessDialogsResource.h"
#include "ProcessTexts.h"
#include "TypedText.h"
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

}  // namespace

CNewProcessRules::CNewProcessRules(IChartDocument& chart, IDialogView& view, IProcessSubDialogs& subDialogs,
                                   std::wstring byHomText)
    : m_view(view), m_chart(chart), m_subDialogs(subDialogs), m_byHomText(std::move(byHomText)) {}

DialogControlTable CNewProcessRules::Controls() { return kControls; }

void CNewProcessRules::OnInit() {
    const CHumichartDataObj& data = m_chart.View().Data();
    m_view.AddItem(IDC_PROCESS_START, m_byHomText);
    m_view.AddItem(IDC_PROCESS_END, m_byHomText);
    for (const StatePoint& point : data.points) {
        if (point.name.empty()) continue;
        workingPoints.push_back(point);
        m_view.AddItem(IDC_PROCESS_START, point.name);
        m_view.AddItem(IDC_PROCESS_END, point.name);
    }
    for (const TransferProcess& process : data.processes) {
        workingProcesses.push_back(process);
        m_view.AddItem(IDC_PROCESS_NAME, process.name);
    }
    m_view.Enable(IDC_ITEM_ADD, false);
    m_view.Enable(IDC_ITEM_MODIFY, false);
    m_view.Enable(IDC_ITEM_DELETE, false);
    // As the template creates them.
    m_view.Enable(IDC_APPLY, false);
    m_view.SetReadOnly(IDC_PROCESS_RATIO, true);
}

void CNewProcessRules::OnEvent(int id, ControlEvent event) {
    switch (event) {
    case ControlEvent::SelectionChanged:
        if (id == IDC_PROCESS_START || id == IDC_PROCESS_END) {
            valuesEdited = true;
            ButtonRule();
        } else if (id == IDC_PROCESS_NAME) {
            ShowProcess();
            ButtonRule();
        }
        break;
    case ControlEvent::TextChanged:
        if (id == IDC_AIR_FLOW) {
            valuesEdited = true;
            ButtonRule();
        } else if (id == IDC_PROCESS_NAME) {
            NameRule();
            ButtonRule();
        }
        break;
    case ControlEvent::DoubleClicked:
        if (id == IDC_PROCESS_NAME) FlowFromLoad();
        break;
    case ControlEvent::Clicked:
        switch (id) {
        case IDC_ITEM_ADD: Add(); break;
        case IDC_ITEM_MODIFY: Modify(); break;
        case IDC_ITEM_DELETE: Delete(); break;
        case IDC_APPLY: Apply(); break;
        case IDOK:
            if (m_view.Enabled(IDC_APPLY)) Apply();
            m_view.Close(IDOK);
            break;
        case IDCANCEL: m_view.Close(IDCANCEL); break;
        }
        break;
    default:
        break;
    }
}

void CNewProcessRules::ButtonRule() {
    m_view.Enable(IDC_ITEM_MODIFY, false);
    m_view.Enable(IDC_ITEM_ADD, false);
    m_view.Enable(IDC_ITEM_DELETE, selectedIndex >= 0);
    const int s = m_view.Selection(IDC_PROCESS_START);
    const int e = m_view.Selection(IDC_PROCESS_END);
    m_view.SetReadOnly(IDC_PROCESS_RATIO, !(s == 0 || e == 0));
    if (s >= 0 && e >= 0 && s != e && nameUsable) {
        if (nameIsNew) m_view.Enable(IDC_ITEM_ADD, true);
        if (selectedIndex >= 0 && (valuesEdited || nameIsNew)) m_view.Enable(IDC_ITEM_MODIFY, true);
    }
}

void CNewProcessRules::NameRule() { ApplyNameRule(m_view, IDC_PROCESS_NAME, selectedIndex, nameIsNew, nameUsable); }

void CNewProcessRules::ShowProcess() {
    selectedIndex = m_view.Selection(IDC_PROCESS_NAME);
    TransferProcess shown;
    if (selectedIndex >= 0 && selectedIndex < static_cast<int>(workingProcesses.size()))
        shown = workingProcesses[selectedIndex];

    // The start and end lists hold the same items.
    const std::vector<std::wstring> items = ListItems(m_view, IDC_PROCESS_START);
    m_view.SetSelection(IDC_PROCESS_START, FindExact(items, shown.ptStart));
    m_view.SetSelection(IDC_PROCESS_END, FindExact(items, shown.ptEnd));

    // A point renamed or removed since counts as the origin of the chart.
    StatePoint start, end;
    if (const int k = FindWorkingPoint(workingPoints, shown.ptStart); k >= 0) start = workingPoints[k];
    if (const int k = FindWorkingPoint(workingPoints, shown.ptEnd); k >= 0) end = workingPoints[k];

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

void CNewProcessRules::Fail(const wchar_t* text, int focus) {
    m_view.Ask(text, kErrorReport, kStyleError);
    m_view.Focus(focus);
}

std::optional<CNewProcessRules::Inputs> CNewProcessRules::ReadInputs() {
    Inputs inputs;
    inputs.name = m_view.Text(IDC_PROCESS_NAME);
    const std::wstring flowText = m_view.Text(IDC_AIR_FLOW);
    if (flowText.empty()) {
        Fail(L"Forget input air flow?", IDC_AIR_FLOW);
        return std::nullopt;
    }
    inputs.flow = LeadingNumber(flowText);
    if (inputs.flow < 0) {
        Fail(L"Are you sure air flow can be less than 0?", IDC_AIR_FLOW);
        return std::nullopt;
    }
    const int s = m_view.Selection(IDC_PROCESS_START);
    if (s < 0) {
        Fail(L"Forget asign start point?", IDC_PROCESS_START);
        return std::nullopt;
    }
    const int e = m_view.Selection(IDC_PROCESS_END);
    if (e < 0) {
        Fail(L"Forget asign end point?", IDC_PROCESS_END);
        return std::nullopt;
    }
    if (s == e) {
        Fail(L"God save me! \n\nDo you think end point can be the same as start one?", IDC_PROCESS_END);
        return std::nullopt;
    }
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
    if (!valid) {
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
    if (!(nameIsNew && nameUsable)) {
        m_view.Enable(IDC_ITEM_ADD, false);
        return;
    }
    const std::optional<Inputs> inputs = ReadInputs();
    if (!inputs) return;
    if (FindPair(inputs->start, inputs->end, -1) >= 0) {
        Fail(L"Same position found one existing process. \n\nPlease make changes.", IDC_PROCESS_START);
        return;
    }
    workingProcesses.push_back({inputs->start, inputs->end, inputs->name, inputs->flow});
    m_view.SetSelection(IDC_PROCESS_NAME, m_view.AddItem(IDC_PROCESS_NAME, inputs->name));
    nameIsNew = false;
    valuesEdited = false;
    ShowProcess();
    ButtonRule();
    m_view.Enable(IDC_APPLY, true);
}

void CNewProcessRules::Modify() {
    if (!(nameUsable && selectedIndex >= 0 && selectedIndex < static_cast<int>(workingProcesses.size()))) {
        m_view.Enable(IDC_ITEM_MODIFY, false);
        return;
    }
    const std::optional<Inputs> inputs = ReadInputs();
    if (!inputs) return;
    if (FindPair(inputs->start, inputs->end, selectedIndex) >= 0) {
        Fail(L"Same position found one other existing process. \n\nPlease make changes.", IDC_PROCESS_START);
        return;
    }
    const int index = selectedIndex;
    workingProcesses[index] = {inputs->start, inputs->end, inputs->name, inputs->flow};
    ReplaceItem(m_view, IDC_PROCESS_NAME, index, inputs->name);
    m_view.SetSelection(IDC_PROCESS_NAME, index);
    nameIsNew = false;
    valuesEdited = false;
    ShowProcess();
    ButtonRule();
    m_view.Enable(IDC_APPLY, true);
}

void CNewProcessRules::Delete() {
    if (selectedIndex < 0 || selectedIndex >= m_view.ItemCount(IDC_PROCESS_NAME) ||
        selectedIndex >= static_cast<int>(workingProcesses.size()))
        return;
    if (m_view.Ask(L"Are you sure?", kDeleteConfirm, kStyleConfirm) != kAnswerYes) return;
    m_view.DeleteItem(IDC_PROCESS_NAME, selectedIndex);
    workingProcesses.erase(workingProcesses.begin() + selectedIndex);
    if (!workingProcesses.empty()) {
        selectedIndex = std::min(selectedIndex, static_cast<int>(workingProcesses.size()) - 1);
        m_view.SetSelection(IDC_PROCESS_NAME, selectedIndex);
        ShowProcess();
        // Showing wrote the flow with no selection; the buttons follow the
        // one now shown.
        ButtonRule();
    } else {
        selectedIndex = -1;
        m_view.Enable(IDC_ITEM_DELETE, false);
        m_view.SetText(IDC_PROCESS_NAME, L"");
    }
    m_view.Enable(IDC_APPLY, true);
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
    process.dAirFlow = flow;
    ShowProcess();
    ButtonRule();
    m_view.Enable(IDC_APPLY, true);
}

void CNewProcessRules::Apply() {
    CHumichartDataObj& data = m_chart.View().Data();
    ApplyWorkingPoints(data, workingPoints);
    data.processes = workingProcesses;
    m_chart.RequestRepaint();
    m_view.Enable(IDC_APPLY, false);
}

}  // namespace humichart
