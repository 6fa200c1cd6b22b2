#include "CPointDialogRules.h"

#include <cmath>
#include <optional>

#include "DialogCalc.h"
#include "DialogTexts.h"
#include "PointDialogsResource.h"
#include "TypedText.h"
#include "UserDataChange.h"
#include "WorkingLists.h"

namespace humichart {

namespace {

constexpr int kName = IDC_POINTS_NAME;
constexpr int kAdd = IDC_POINTS_ADD;
constexpr int kModify = IDC_POINTS_MODIFY;
constexpr int kDelete = IDC_POINTS_DELETE;
constexpr int kApply = IDC_POINTS_APPLY;

constexpr ListEditControls kListControls = {kName, kAdd, kModify, kDelete, kApply, 1, 2};

constexpr DialogControl kControls[] = {
    {IDC_POINTS_CHECK_DBT, ControlKind::CheckBox}, {IDC_POINTS_EDIT_DBT, ControlKind::Edit},
    {IDC_POINTS_CHECK_MC, ControlKind::CheckBox},  {IDC_POINTS_EDIT_MC, ControlKind::Edit},
    {IDC_POINTS_CHECK_DPT, ControlKind::CheckBox}, {IDC_POINTS_EDIT_DPT, ControlKind::Edit},
    {IDC_POINTS_CHECK_VP, ControlKind::CheckBox},  {IDC_POINTS_EDIT_VP, ControlKind::Edit},
    {IDC_POINTS_CHECK_RH, ControlKind::CheckBox},  {IDC_POINTS_EDIT_RH, ControlKind::Edit},
    {IDC_POINTS_CHECK_WBT, ControlKind::CheckBox}, {IDC_POINTS_EDIT_WBT, ControlKind::Edit},
    {IDC_POINTS_CHECK_I, ControlKind::CheckBox},   {IDC_POINTS_EDIT_I, ControlKind::Edit},
    {kName, ControlKind::SimpleCombo},
    {kAdd, ControlKind::Button},
    {kModify, ControlKind::Button},
    {kDelete, ControlKind::Button},
    {1, ControlKind::Button},
    {2, ControlKind::Button},
    {kApply, ControlKind::Button},
};

// The groups whose members fix the same quantity: checking one member
// unchecks and disables the others.
struct Exclusion {
    int check;
    int bit;
    int others[2];
};
constexpr Exclusion kExclusions[] = {
    {IDC_POINTS_CHECK_MC, 2, {IDC_POINTS_CHECK_DPT, IDC_POINTS_CHECK_VP}},
    {IDC_POINTS_CHECK_DPT, 4, {IDC_POINTS_CHECK_MC, IDC_POINTS_CHECK_VP}},
    {IDC_POINTS_CHECK_VP, 8, {IDC_POINTS_CHECK_DPT, IDC_POINTS_CHECK_MC}},
    {IDC_POINTS_CHECK_I, 64, {IDC_POINTS_CHECK_WBT, 0}},
    {IDC_POINTS_CHECK_WBT, 32, {IDC_POINTS_CHECK_I, 0}},
    {IDC_POINTS_CHECK_DBT, 1, {0, 0}},
    {IDC_POINTS_CHECK_RH, 16, {0, 0}},
};

int EditOf(int check) {
    for (const auto& parameter : CPointDialogRules::kParameters)
        if (parameter.check == check) return parameter.edit;
    return 0;
}

}  // namespace

const CPointDialogRules::Parameter CPointDialogRules::kParameters[7] = {
    {IDC_POINTS_CHECK_DBT, IDC_POINTS_EDIT_DBT, 1, Kind::T},
    {IDC_POINTS_CHECK_MC, IDC_POINTS_EDIT_MC, 2, Kind::D},
    {IDC_POINTS_CHECK_DPT, IDC_POINTS_EDIT_DPT, 4, Kind::D},
    {IDC_POINTS_CHECK_VP, IDC_POINTS_EDIT_VP, 8, Kind::D},
    {IDC_POINTS_CHECK_RH, IDC_POINTS_EDIT_RH, 16, Kind::F},
    {IDC_POINTS_CHECK_WBT, IDC_POINTS_EDIT_WBT, 32, Kind::I},
    {IDC_POINTS_CHECK_I, IDC_POINTS_EDIT_I, 64, Kind::I},
};

CPointDialogRules::CPointDialogRules(IChartDocument& chart, IDialogView& view, TextSource texts)
    : CListEditRules(view, kListControls), m_chart(chart), m_texts(std::move(texts)) {}

DialogControlTable CPointDialogRules::Controls() { return kControls; }

void CPointDialogRules::OnInit() {
    m_view.ClearList(kName);
    CopyNamedPoints(m_chart.View().Data(), workingPoints, origins_);
    for (const StatePoint& point : workingPoints) m_view.AddItem(kName, point.name);
    for (const Parameter& parameter : kParameters) {
        m_view.SetChecked(parameter.check, false);
        m_view.Enable(parameter.check, true);
        m_view.SetReadOnly(parameter.edit, true);
    }
    DisableCommands();
}

void CPointDialogRules::OnEvent(int id, ControlEvent event) {
    if (RouteEvent(id, event)) return;
    if (event == ControlEvent::Clicked) {
        if (EditOf(id)) OnCheckClicked(id);
        return;
    }
    if (event == ControlEvent::TextChanged) {
        for (const Parameter& parameter : kParameters) {
            if (parameter.edit != id) continue;
            if (selectedIndex >= 0) {
                valuesEdited = 1;
                ButtonRule();
            }
            return;
        }
    }
}

void CPointDialogRules::OnCheckClicked(int check) {
    if (m_view.Checked(check)) {
        if (knownCount < 2) ++knownCount;
    } else {
        if (knownCount > 0) --knownCount;
    }
    CheckBoxRule();
}

bool CPointDialogRules::On(int check) { return m_view.Enabled(check) && m_view.Checked(check); }

void CPointDialogRules::CheckBoxRule() {
    knownMask = 0;
    for (const Parameter& parameter : kParameters) {
        if (m_view.Enabled(parameter.check)) continue;
        m_view.Enable(parameter.check, true);
        m_view.SetChecked(parameter.check, false);
        m_view.SetReadOnly(parameter.edit, true);
    }
    for (const Exclusion& exclusion : kExclusions) {
        if (!On(exclusion.check)) continue;
        knownMask |= exclusion.bit;
        m_view.SetReadOnly(EditOf(exclusion.check), false);
        for (int other : exclusion.others) {
            if (!other) continue;
            m_view.SetChecked(other, false);
            m_view.Enable(other, false);
            m_view.SetReadOnly(EditOf(other), true);
        }
    }
    for (const Parameter& parameter : kParameters) {
        if (!m_view.Enabled(parameter.check) || m_view.Checked(parameter.check)) continue;
        if (knownCount == 2) m_view.Enable(parameter.check, false);
        m_view.SetReadOnly(parameter.edit, true);
    }
    ButtonRule();
}

void CPointDialogRules::ButtonRule() {
    CommandRule(knownCount == 2);
}

void CPointDialogRules::ShowSelected() {
    selectedIndex = m_view.Selection(kName);
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(workingPoints.size())) return;
    const StatePoint point = workingPoints[static_cast<std::size_t>(selectedIndex)];

    double T = 0, dewPoint = 0, TS = 0, F = 0, PQ = 0;
    const bool computed = RunCalculation(m_chart, m_view, [&](ICalcSession& calc) {
        T = calc.ID_T_D_I(point.D, point.I);
        dewPoint = calc.ID_T_D_F(point.D, 1.0);
        TS = calc.ID_TS_I(point.I);
        F = calc.ID_F_D_I(point.D, point.I);
        PQ = calc.ID_PQ_D(point.D);
    });
    if (!computed) return;

    // Our own writes must not count as the user's edits.
    const int selected = selectedIndex;
    selectedIndex = -1;
    m_view.SetText(IDC_POINTS_EDIT_I, FormatNumber("%.2f", point.I));
    m_view.SetText(IDC_POINTS_EDIT_MC, FormatNumber("%.3f", point.D));
    m_view.SetText(IDC_POINTS_EDIT_DBT, FormatNumber("%.2f", T));
    m_view.SetText(IDC_POINTS_EDIT_DPT, FormatNumber("%.2f", dewPoint));
    m_view.SetText(IDC_POINTS_EDIT_WBT, FormatNumber("%.2f", TS));
    m_view.SetText(IDC_POINTS_EDIT_RH, FormatNumber("%.1f", F * 100.0));
    m_view.SetText(IDC_POINTS_EDIT_VP, FormatNumber("%.1f", PQ));
    selectedIndex = selected;
    valuesEdited = false;
    nameIsNew = false;
    nameUsable = true;
    CheckBoxRule();
}

bool CPointDialogRules::DerivePoint(StatePoint& point) {
    const std::wstring name = m_view.Text(kName);
    if (name.empty()) {
        m_view.Focus(kName);
        return false;
    }
    bool accepted = false;
    double I = 0.0, D = 0.0;
    const bool ran = RunCalculation(m_chart, m_view, [&](ICalcSession& calc) {
        std::optional<double> T, Dk, F, Ik;
        int focusTarget = 0;
        for (const Parameter& parameter : kParameters) {
            if (!(knownMask & parameter.bit)) continue;
            const std::wstring text = m_view.Text(parameter.edit);
            if (text.empty()) {
                m_view.Ask(kForgetInput, kErrorReport, kStyleError);
                m_view.Focus(parameter.edit);
                return;
            }
            const double value = LeadingNumber(text);
            if (!focusTarget) focusTarget = parameter.edit;
            switch (parameter.check) {
            case IDC_POINTS_CHECK_DBT: T = value; break;
            case IDC_POINTS_CHECK_MC: Dk = value; break;
            case IDC_POINTS_CHECK_DPT: Dk = calc.ID_D_T_F(value, 1.0); break;
            case IDC_POINTS_CHECK_VP: Dk = calc.ID_D_PQ(value); break;
            case IDC_POINTS_CHECK_RH: F = value / 100.0; break;
            case IDC_POINTS_CHECK_WBT: Ik = calc.ID_I_TS(value); break;
            case IDC_POINTS_CHECK_I: Ik = value; break;
            }
        }
        if (T && Dk) {
            D = *Dk;
            I = calc.ID_I_T_D(*T, *Dk);
        } else if (T && F) {
            D = calc.ID_D_T_F(*T, *F);
            I = calc.ID_I_T_F(*T, *F);
        } else if (T && Ik) {
            D = calc.ID_D_T_I(*T, *Ik);
            I = *Ik;
        } else if (Dk && F) {
            D = *Dk;
            I = calc.ID_I_D_F(*Dk, *F);
        } else if (Dk && Ik) {
            D = *Dk;
            I = *Ik;
        } else if (F && Ik) {
            D = calc.ID_D_I_F(*Ik, *F);
            I = *Ik;
        } else {
            return;  // not two known kinds: nothing to derive
        }

        bool failed = false;
        const auto& range = m_chart.View().Data().viewRange;
        const double Y = I - 2.5 * D;
        // A state the calculator could not place (not a finite number) is
        // out of every range too.
        if (!std::isfinite(Y) || !std::isfinite(D) || Y > range.Ymax || Y < range.Ymin || D < range.Dmin ||
            D > range.Dmax) {
            m_view.Ask(kOutOfRange, kErrorReport, kStyleError);
            m_view.Focus(focusTarget);
            failed = true;
        }
        const double saturated = calc.ID_D_I_F(I, 1.0);
        if (D - saturated >= kSaturationTolerance) {
            if (m_view.Ask(kAboveSaturation, kErrorReport, kStyleQuestion) == kAnswerYes) {
                D = saturated;
            } else {
                m_view.Focus(focusTarget);
                failed = true;
            }
        }
        accepted = !failed;
    });
    if (!ran || !accepted) return false;
    point.name = name;
    point.I = I;
    point.D = D;
    return true;
}

void CPointDialogRules::Add() {
    if (!(AddAllowed() && knownCount == 2)) {
        m_view.Enable(kAdd, false);
        return;
    }
    StatePoint point;
    if (!DerivePoint(point)) return;
    workingPoints.push_back(point);
    origins_.emplace_back();
    const int index = m_view.AddItem(kName, point.name);
    m_view.SetSelection(kName, index);
    selectedIndex = index;
    nameIsNew = false;
    valuesEdited = false;
    ShowSelected();
    m_view.Enable(kApply, true);
}

void CPointDialogRules::Modify() {
    if (!(knownCount == 2 && nameUsable && selectedIndex >= 0)) {
        m_view.Enable(kModify, false);
        return;
    }
    StatePoint point;
    if (!DerivePoint(point)) return;
    const int index = selectedIndex;
    if (index >= static_cast<int>(workingPoints.size())) return;
    workingPoints[static_cast<std::size_t>(index)] = point;
    m_view.InsertItem(kName, index, point.name);
    m_view.DeleteItem(kName, index + 1);
    m_view.SetSelection(kName, index);
    nameIsNew = false;
    valuesEdited = false;
    ShowSelected();
    m_view.Enable(kApply, true);
}

void CPointDialogRules::Delete() {
    // The chart's processes and mixes that name the point go with it: the
    // question says which, when there are any.
    std::wstring question = kAreYouSure;
    if (selectedIndex >= 0 && selectedIndex < static_cast<int>(origins_.size())) {
        const RecordCount records = RecordsNaming(m_chart.View().Data(), origins_[selectedIndex]);
        if (records.Any())
            question += L"\n\n" + FillText(DialogText(IDS_POINTS_DELETE_RECORDS, m_texts),
                                            {workingPoints[selectedIndex].name, std::to_wstring(records.processes),
                                             std::to_wstring(records.mixes)});
    }
    DeleteSelected(
        static_cast<int>(workingPoints.size()),
        [&](int index) {
            workingPoints.erase(workingPoints.begin() + index);
            origins_.erase(origins_.begin() + index);
        },
        false, question);
}

void CPointDialogRules::Apply() {
    UserDataChange change(m_chart);
    // Unnamed chart points are not the dialog's business; the processes and
    // mixes of a renamed point follow it, those of a deleted one go.
    ApplyWorkingPoints(m_chart.View().Data(), workingPoints, origins_, true);
    // The chart holds the working points under their own names now: a
    // second Apply must not take a renamed point for a deleted one.
    for (std::size_t k = 0; k < origins_.size() && k < workingPoints.size(); ++k) origins_[k] = workingPoints[k].name;
    SettleLoosePoints(m_chart.View().Data(), m_chart.Calc());
    m_chart.RequestRepaint();
    change.Finish();
    m_view.Enable(kApply, false);
}

}  // namespace humichart
