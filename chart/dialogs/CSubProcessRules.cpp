#include "CSubProcessRules.h"

#include "DialogTexts.h"
#include "ProcessDialogsResource.h"
#include "TypedText.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_NEW_POINT_NAME, ControlKind::Edit},
    {IDC_KNOWN_KIND, ControlKind::DropDownList},
    {IDC_KNOWN_VALUE, ControlKind::Edit},
    {IDOK, ControlKind::Button},
    {IDCANCEL, ControlKind::Button},
};

struct Range {
    double low;
    double high;
};
// In KnownKind order: DB.T, R.H, M.C, I, WB.T, DP.T, V.P.
constexpr Range kRanges[] = {{-30, 100}, {0, 100}, {0, 100}, {-50, 1000}, {-30, 100}, {-30, 100}, {0, 1013250}};

}  // namespace

CSubProcessRules::CSubProcessRules(IDialogView& view, std::vector<std::wstring> kindNames)
    : m_view(view), m_kindNames(std::move(kindNames)) {}

DialogControlTable CSubProcessRules::Controls() { return kControls; }

bool CSubProcessRules::InRange(int kind, double value) {
    if (kind < 0 || kind >= static_cast<int>(std::size(kRanges))) return false;
    return value >= kRanges[kind].low && value <= kRanges[kind].high;
}

void CSubProcessRules::OnInit() {
    m_view.ClearList(IDC_KNOWN_KIND);
    for (const std::wstring& name : m_kindNames) m_view.AddItem(IDC_KNOWN_KIND, name);
    m_view.SetSelection(IDC_KNOWN_KIND, 0);
}

void CSubProcessRules::OnEvent(int id, ControlEvent event) {
    if (event != ControlEvent::Clicked) return;
    if (id == IDOK) OnOk();
    else if (id == IDCANCEL) m_view.Close(IDCANCEL);
}

void CSubProcessRules::OnOk() {
    const std::wstring name = m_view.Text(IDC_NEW_POINT_NAME);
    if (name.empty()) {
        m_view.Ask(L"Need name!", kErrorReport, kStyleError);
        m_view.Focus(IDC_NEW_POINT_NAME);
        return;
    }
    m_answer.newPointName = name;
    m_answer.knownKind = m_view.Selection(IDC_KNOWN_KIND);
    const std::wstring value = m_view.Text(IDC_KNOWN_VALUE);
    if (value.empty()) {
        m_view.Ask(L"Invalid value input!", kErrorReport, kStyleError);
        m_view.Focus(IDC_KNOWN_VALUE);
        return;
    }
    m_answer.knownValue = LeadingNumber(value);
    if (!InRange(m_answer.knownKind, m_answer.knownValue)) {
        m_view.Ask(L"Value out of range!", kErrorReport, kStyleError);
        m_view.Focus(IDC_KNOWN_VALUE);
        return;
    }
    m_view.Close(IDOK);
}

}  // namespace humichart
