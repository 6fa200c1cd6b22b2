#include "CSubProcessFlowRules.h"

#include "DialogTexts.h"
#include "ProcessDialogsResource.h"
#include "ProcessTexts.h"
#include "TypedText.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_KNOWN_KIND, ControlKind::DropDownList},
    {IDC_KNOWN_VALUE, ControlKind::Edit},
    {IDOK, ControlKind::Button},
    {IDCANCEL, ControlKind::Button},
};

}  // namespace

CSubProcessFlowRules::CSubProcessFlowRules(IDialogView& view, const AirFlowQuery& query, std::wstring heatName,
                                           std::wstring moistureName)
    : m_view(view), m_query(query), m_heatName(std::move(heatName)), m_moistureName(std::move(moistureName)) {}

DialogControlTable CSubProcessFlowRules::Controls() { return kControls; }

void CSubProcessFlowRules::OnInit() {
    m_view.ClearList(IDC_KNOWN_KIND);
    if (m_query.loadSet & kHeatLoadSet) m_view.AddItem(IDC_KNOWN_KIND, m_heatName);
    if (m_query.loadSet & kMoistureLoadSet) m_view.AddItem(IDC_KNOWN_KIND, m_moistureName);
    m_view.SetSelection(IDC_KNOWN_KIND, 0);
    ShowValue();
}

void CSubProcessFlowRules::OnEvent(int id, ControlEvent event) {
    if (id == IDC_KNOWN_KIND && event == ControlEvent::SelectionChanged) {
        m_query.loadKind = m_view.Selection(IDC_KNOWN_KIND);
        ShowValue();
    } else if (event == ControlEvent::Clicked && id == IDOK) {
        OnOk();
    } else if (event == ControlEvent::Clicked && id == IDCANCEL) {
        m_view.Close(IDCANCEL);
    }
}

bool CSubProcessFlowRules::MoistureShown() const {
    return !m_query.HeatGiven() && (m_query.loadKind == 1 || (m_query.loadSet & kMoistureLoadSet) != 0);
}

void CSubProcessFlowRules::ShowValue() {
    if (m_query.HeatGiven()) m_view.SetText(IDC_KNOWN_VALUE, HeatText(m_query.heatLoad));
    else if (MoistureShown()) m_view.SetText(IDC_KNOWN_VALUE, MoistureText(m_query.moistureLoad));
}

void CSubProcessFlowRules::OnOk() {
    const std::wstring text = m_view.Text(IDC_KNOWN_VALUE);
    bool valid = !text.empty();
    if (valid) {
        // A positive value for a negative load is refused; a negative value
        // for a positive load is taken as typed.
        const double x = LeadingNumber(text);
        if (m_query.HeatGiven()) {
            if (x > 0 && m_query.heatLoad < 0) valid = false;
            else m_query.heatLoad = x;
        } else if (MoistureShown()) {
            if (x > 0 && m_query.moistureLoad < 0) valid = false;
            else m_query.moistureLoad = x;
        }
    }
    if (!valid) {
        m_view.Ask(L"Invalid value input!", kErrorReport, kStyleError);
        ShowValue();
        m_view.Focus(IDC_KNOWN_VALUE);
        return;
    }
    m_view.Close(IDOK);
}

}  // namespace humichart
