#include "CNewMixerRules.h"

#include "ChartDataCheck.h"
#include "DialogTexts.h"
#include "ProcessDialogsResource.h"
#include "TypedText.h"
#include "UserDataChange.h"
#include "WorkingLists.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_MIX_FRESH, ControlKind::DropDownList},
    {IDC_MIX_RETURN, ControlKind::DropDownList},
    {IDC_MIX_POINT, ControlKind::DropDownCombo},
    {IDC_FRESH_FLOW, ControlKind::Edit},
    {IDC_AIR_FLOW, ControlKind::Edit},
    {IDC_PROCESS_NAME, ControlKind::SimpleCombo},
    {IDC_ITEM_ADD, ControlKind::Button},
    {IDC_ITEM_MODIFY, ControlKind::Button},
    {IDC_ITEM_DELETE, ControlKind::Button},
    {IDOK, ControlKind::Button},
    {IDCANCEL, ControlKind::Button},
    {IDC_APPLY, ControlKind::Button},
};

// The fresh, return and mix lists hold the same items: the working points.
constexpr int kPointLists[] = {IDC_MIX_FRESH, IDC_MIX_RETURN, IDC_MIX_POINT};

constexpr ListEditControls kListControls = {IDC_PROCESS_NAME, IDC_ITEM_ADD, IDC_ITEM_MODIFY, IDC_ITEM_DELETE,
                                             IDC_APPLY,        IDOK,         IDCANCEL};

constexpr wchar_t kSamePosition[] = L"Same position found one existing process. \n\nPlease make changes.";
constexpr wchar_t kExistingMixPoint[] =
    L"New process using an existing mix point. \n\nPlease make sure the mix point is a new one.";

}  // namespace

CNewMixerRules::CNewMixerRules(IChartDocument& chart, IDialogView& view, TextSource texts)
    : CListEditRules(view, kListControls), m_chart(chart), m_texts(std::move(texts)) {}

DialogControlTable CNewMixerRules::Controls() { return kControls; }

void CNewMixerRules::OnInit() {
    for (int list : kPointLists) m_view.ClearList(list);
    m_view.ClearList(IDC_PROCESS_NAME);
    const CHumichartDataObj& data = m_chart.View().Data();
    CopyNamedPoints(data, workingPoints, origins_);
    for (const StatePoint& point : workingPoints) AddPointItem(point.name);
    for (const MixProcess& mix : data.mixes) {
        workingMixes.push_back(mix);
        m_view.AddItem(IDC_PROCESS_NAME, mix.name);
    }
    DisableCommands();
}

void CNewMixerRules::OnEvent(int id, ControlEvent event) {
    if (RouteEvent(id, event)) return;
    switch (event) {
    case ControlEvent::SelectionChanged:
        if (id == IDC_MIX_FRESH || id == IDC_MIX_RETURN || id == IDC_MIX_POINT) {
            valuesEdited = true;
            ButtonRule();
        }
        break;
    case ControlEvent::TextChanged:
        if (id == IDC_MIX_POINT) {
            if (m_view.Text(IDC_MIX_POINT).empty()) m_view.SetSelection(IDC_MIX_POINT, -1);
            valuesEdited = true;
            ButtonRule();
        } else if (id == IDC_FRESH_FLOW || id == IDC_AIR_FLOW) {
            if (selectedIndex >= 0) {
                valuesEdited = true;
                ButtonRule();
            }
        }
        break;
    default:
        break;
    }
}

void CNewMixerRules::ButtonRule() {
    const int f = m_view.Selection(IDC_MIX_FRESH);
    const int r = m_view.Selection(IDC_MIX_RETURN);
    const int m = m_view.Selection(IDC_MIX_POINT);
    const bool mixNamed = !m_view.Text(IDC_MIX_POINT).empty() || m >= 0;
    CommandRule(f >= 0 && r >= 0 && f != r && mixNamed);
}

void CNewMixerRules::ShowSelected() {
    selectedIndex = m_view.Selection(IDC_PROCESS_NAME);
    MixProcess shown;
    if (selectedIndex >= 0 && selectedIndex < static_cast<int>(workingMixes.size())) shown = workingMixes[selectedIndex];
    // Item k of the three lists is working point k, found by its exact name.
    m_view.SetSelection(IDC_MIX_FRESH, FindWorkingPoint(workingPoints, shown.ptFresh));
    m_view.SetSelection(IDC_MIX_RETURN, FindWorkingPoint(workingPoints, shown.ptReturn));
    m_view.SetSelection(IDC_MIX_POINT, FindWorkingPoint(workingPoints, shown.ptMix));
    // The flows announce themselves as edits; with no selection they do not
    // count as one.
    const int kept = selectedIndex;
    selectedIndex = -1;
    m_view.SetText(IDC_AIR_FLOW, FormatNumber("%.2f", shown.dAirFlow));
    m_view.SetText(IDC_FRESH_FLOW, FormatNumber("%.2f", shown.dFreshAirFlow));
    selectedIndex = kept;
    valuesEdited = false;
    nameIsNew = false;
    nameUsable = true;
}

std::optional<MixProcess> CNewMixerRules::ReadInputs() {
    MixProcess mix;
    mix.name = m_view.Text(IDC_PROCESS_NAME);
    if (!ReadFlow(IDC_FRESH_FLOW, L"Forget input fresh air flow?", L"Are you sure fresh air flow can less than 0?",
                  mix.dFreshAirFlow) ||
        !ReadFlow(IDC_AIR_FLOW, L"Forget input air flow?", L"Are you sure air flow can less than 0?", mix.dAirFlow))
        return std::nullopt;
    if (mix.dAirFlow < mix.dFreshAirFlow) {
        Fail(L"Are you sure fresh air flow can be larger than total air flow?", IDC_FRESH_FLOW);
        return std::nullopt;
    }
    int f = -1, r = -1;
    if (!ReadPointPair(IDC_MIX_FRESH, L"Forget asign fresh point?", IDC_MIX_RETURN, L"Forget asign return point?",
                       L"God save me! \n\nDo you think return point can be the same as fresh one?", IDC_MIX_FRESH, f,
                       r))
        return std::nullopt;
    mix.ptMix = m_view.Text(IDC_MIX_POINT);
    if (mix.ptMix.empty()) {
        Fail(L"Forget asign mix point?", IDC_MIX_POINT);
        return std::nullopt;
    }
    const int points = static_cast<int>(workingPoints.size());
    if (f >= points || r >= points) return std::nullopt;  // the lists mirror workingPoints
    mix.ptFresh = workingPoints[f].name;
    mix.ptReturn = workingPoints[r].name;
    return mix;
}

int CNewMixerRules::FindSamePosition(const std::vector<MixProcess>& mixes, const MixProcess& key, int skip) {
    if (key.ptFresh.empty() || key.ptReturn.empty() || key.ptMix.empty()) return -1;
    for (std::size_t k = 0; k < mixes.size(); ++k) {
        if (static_cast<int>(k) == skip) continue;
        const MixProcess& mix = mixes[k];
        if (mix.ptFresh.empty() || mix.ptReturn.empty() || mix.ptMix.empty()) continue;
        if ((mix.ptFresh == key.ptFresh && mix.ptReturn == key.ptReturn) ||
            (mix.ptFresh == key.ptReturn && mix.ptReturn == key.ptFresh))
            return static_cast<int>(k);
    }
    return -1;
}

void CNewMixerRules::AddPointItem(const std::wstring& name) {
    for (int list : kPointLists) m_view.AddItem(list, name);
}

void CNewMixerRules::Add() {
    if (!AddAllowed()) return;
    const std::optional<MixProcess> mix = ReadInputs();
    if (!mix) return;
    if (FindSamePosition(workingMixes, *mix, -1) >= 0) {
        Fail(kSamePosition, IDC_MIX_FRESH);
        return;
    }
    if (FindWorkingPoint(workingPoints, mix->ptMix) >= 0) {
        Fail(kExistingMixPoint, IDC_MIX_POINT);
        return;
    }
    workingMixes.push_back(*mix);
    // The chart places the new mix point at its first paint after Apply.
    workingPoints.push_back({0.0, 0.0, mix->ptMix});
    AddPointItem(mix->ptMix);
    Stored(m_view.AddItem(IDC_PROCESS_NAME, mix->name));
}

void CNewMixerRules::Modify() {
    if (!ModifyAllowed(static_cast<int>(workingMixes.size()))) return;
    std::optional<MixProcess> mix = ReadInputs();
    if (!mix) return;
    const int index = selectedIndex;
    const std::wstring old = workingMixes[index].ptMix;
    const int renamed = FindWorkingPoint(workingPoints, old);
    const bool renaming = mix->ptMix != old && renamed >= 0;
    // The mixes as they will read after the change: a renamed mix point
    // takes the mixes it feeds along, this one's inputs included.
    std::vector<MixProcess> candidate = workingMixes;
    candidate[index] = *mix;
    if (renaming)
        for (MixProcess& m : candidate) {
            if (m.ptFresh == old) m.ptFresh = mix->ptMix;
            if (m.ptReturn == old) m.ptReturn = mix->ptMix;
        }
    if (FindSamePosition(candidate, candidate[index], index) >= 0) {
        Fail(kSamePosition, IDC_MIX_FRESH);
        return;
    }
    // A mix whose point would be one of its own inputs, or an input of a
    // mix that feeds it, would never settle: refused.
    if (FirstMixFeedingItself(candidate)) {
        const std::wstring text = FillText(DialogText(IDS_MIX_FEEDS_ITSELF, m_texts), {mix->ptMix});
        Fail(text.c_str(), IDC_MIX_FRESH);
        return;
    }
    if (mix->ptMix != old) {
        // Renaming onto a name another point carries would leave two points
        // of one name: refused as on Add.
        if (FindWorkingPoint(workingPoints, mix->ptMix) >= 0) {
            Fail(kExistingMixPoint, IDC_MIX_POINT);
            return;
        }
        if (m_view.Ask(L"Rename mix point may cause the related process lost if there is one. \n\nAre you sure to "
                       L"make the change?",
                       kDeleteConfirm, kMsgYesNo | kMsgIconWarning | kMsgDefaultButton2) != kAnswerYes) {
            m_view.SetText(IDC_MIX_POINT, old);
            m_view.Focus(IDC_MIX_POINT);
            return;
        }
    }
    if (renaming) {
        // The chart's processes follow the renamed point at Apply.
        workingPoints[renamed].name = mix->ptMix;
        // Item k is working point k in all three lists.
        for (int list : kPointLists) ReplaceItem(m_view, list, renamed, mix->ptMix);
    } else if (renamed < 0) {
        workingPoints.push_back({0.0, 0.0, mix->ptMix});
        AddPointItem(mix->ptMix);
    }
    ReplaceItem(m_view, IDC_PROCESS_NAME, index, mix->name);
    workingMixes = std::move(candidate);
    Stored(index);
}

void CNewMixerRules::Delete() {
    // The mix point stays: other processes may use it.
    DeleteSelected(
        static_cast<int>(workingMixes.size()), [&](int index) { workingMixes.erase(workingMixes.begin() + index); },
        false);
}

void CNewMixerRules::Apply() {
    UserDataChange change(m_chart);
    CHumichartDataObj& data = m_chart.View().Data();
    origins_.resize(workingPoints.size());  // mix points made here come from no chart point
    ApplyWorkingPoints(data, workingPoints, origins_, false);
    // The chart holds the working points under their own names now: a
    // second Apply must not take a renamed point for a deleted one.
    for (std::size_t k = 0; k < origins_.size() && k < workingPoints.size(); ++k) origins_[k] = workingPoints[k].name;
    data.mixes = workingMixes;
    DropDanglingRecords(data);
    SettleLoosePoints(data, m_chart.Calc());
    m_chart.RequestRepaint();
    change.Finish();
    m_view.Enable(IDC_APPLY, false);
}

}  // namespace humichart
