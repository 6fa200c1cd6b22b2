#include "CDewPointRules.h"

#include "DesignDialogsResource.h"
#include "ProcessTexts.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_DESIGN_ROOM, ControlKind::DropDownList},   {IDC_DESIGN_HEAT, ControlKind::Edit},
    {IDC_DESIGN_HEAT_KJH, ControlKind::Edit},       {IDC_DESIGN_MOIST, ControlKind::Edit},
    {IDC_DESIGN_COIL_RH, ControlKind::Edit},        {IDC_DESIGN_OUTDOOR, ControlKind::DropDownList},
    {IDC_DESIGN_FRESH_SHARE, ControlKind::Edit},    {IDC_DESIGN_MAX_DT, ControlKind::Edit},
    {IDC_DESIGN_PREFIX, ControlKind::Edit},         {IDC_DESIGN_RATIO, ControlKind::Edit},
    {IDC_DESIGN_L_T, ControlKind::Edit},            {IDC_DESIGN_L_RH, ControlKind::Edit},
    {IDC_DESIGN_L_D, ControlKind::Edit},            {IDC_DESIGN_L_I, ControlKind::Edit},
    {IDC_DESIGN_O_T, ControlKind::Edit},            {IDC_DESIGN_O_RH, ControlKind::Edit},
    {IDC_DESIGN_O_D, ControlKind::Edit},            {IDC_DESIGN_O_I, ControlKind::Edit},
    {IDC_DESIGN_C_T, ControlKind::Edit},            {IDC_DESIGN_C_RH, ControlKind::Edit},
    {IDC_DESIGN_C_D, ControlKind::Edit},            {IDC_DESIGN_C_I, ControlKind::Edit},
    {IDC_DESIGN_MASS_FLOW, ControlKind::Edit},      {IDC_DESIGN_VOLUME_FLOW, ControlKind::Edit},
    {IDC_DESIGN_COIL_LOAD, ControlKind::Edit},      {IDC_DESIGN_COIL_LOAD_KJH, ControlKind::Edit},
    {IDC_DESIGN_CONDENSATE, ControlKind::Edit},     {IDC_DESIGN_DEW_POINT, ControlKind::Edit},
    {IDC_DESIGN_BYPASS, ControlKind::Edit},         {IDC_DESIGN_REHEAT, ControlKind::Edit},
    {IDC_DESIGN_REHEAT_KJH, ControlKind::Edit},
    {IDC_DESIGN_STATUS, ControlKind::Static},       {IDOK, ControlKind::Button},
    {IDCANCEL, ControlKind::Button},
};

constexpr int kResults[] = {
    IDC_DESIGN_RATIO,     IDC_DESIGN_L_T,         IDC_DESIGN_L_RH,       IDC_DESIGN_L_D,
    IDC_DESIGN_L_I,       IDC_DESIGN_O_T,         IDC_DESIGN_O_RH,       IDC_DESIGN_O_D,
    IDC_DESIGN_O_I,       IDC_DESIGN_C_T,         IDC_DESIGN_C_RH,       IDC_DESIGN_C_D,
    IDC_DESIGN_C_I,       IDC_DESIGN_MASS_FLOW,   IDC_DESIGN_VOLUME_FLOW, IDC_DESIGN_COIL_LOAD,
    IDC_DESIGN_COIL_LOAD_KJH, IDC_DESIGN_CONDENSATE, IDC_DESIGN_DEW_POINT, IDC_DESIGN_BYPASS,
    IDC_DESIGN_REHEAT,    IDC_DESIGN_REHEAT_KJH,
};

}  // namespace

CDewPointRules::CDewPointRules(IChartDocument& chart, IDialogView& view, TextSource texts)
    : CDesignRules(chart, view, std::move(texts)) {}

DialogControlTable CDewPointRules::Controls() { return kControls; }

std::vector<int> CDewPointRules::PointLists() const { return {IDC_DESIGN_ROOM}; }

// The outdoor list starts with "(none)": the coil takes room air.
void CDewPointRules::Fill() {
    m_view.ClearList(IDC_DESIGN_OUTDOOR);
    m_view.AddItem(IDC_DESIGN_OUTDOOR, m_texts(IDS_DESIGN_NONE));
    for (const std::wstring& name : m_names) m_view.AddItem(IDC_DESIGN_OUTDOOR, name);
    m_view.SetSelection(IDC_DESIGN_OUTDOOR, 0);
    m_view.SetText(IDC_DESIGN_COIL_RH, L"90");
    m_view.SetText(IDC_DESIGN_FRESH_SHARE, L"0");
    m_view.Enable(IDC_DESIGN_FRESH_SHARE, false);
    m_view.SetText(IDC_DESIGN_MAX_DT, L"0");
}

bool CDewPointRules::IsInput(int id) const {
    switch (id) {
    case IDC_DESIGN_ROOM:
    case IDC_DESIGN_HEAT:
    case IDC_DESIGN_MOIST:
    case IDC_DESIGN_COIL_RH:
    case IDC_DESIGN_OUTDOOR:
    case IDC_DESIGN_FRESH_SHARE:
    case IDC_DESIGN_MAX_DT:
    case IDC_DESIGN_PREFIX:
        return true;
    default:
        return false;
    }
}

void CDewPointRules::OnInputChanged(int id) {
    if (id == IDC_DESIGN_OUTDOOR) m_view.Enable(IDC_DESIGN_FRESH_SHARE, m_view.Selection(IDC_DESIGN_OUTDOOR) > 0);
}

DesignRefusal CDewPointRules::Compute(ICalcSession& calc, DesignChange& change) {
    m_input = {ChosenPoint(IDC_DESIGN_ROOM),
               Number(IDC_DESIGN_HEAT),
               Number(IDC_DESIGN_MOIST),
               Number(IDC_DESIGN_COIL_RH),
               ChosenPoint(IDC_DESIGN_OUTDOOR, 1),
               Number(IDC_DESIGN_FRESH_SHARE),
               Number(IDC_DESIGN_MAX_DT),
               m_view.Text(IDC_DESIGN_PREFIX),
               {m_texts(IDS_DESIGN_NAME_COIL), m_texts(IDS_DESIGN_NAME_REHEAT), m_texts(IDS_DESIGN_NAME_SUPPLY),
                m_texts(IDS_DESIGN_NAME_MIX)}};
    m_view.SetText(IDC_DESIGN_HEAT_KJH, HeatText(3600.0 * m_input.loadKW));
    DewPointResult r;
    const DesignRefusal refusal = DesignDewPointSupply(calc, m_chart.View().Data(), m_input, r);
    if (refusal.Refused()) return refusal;
    m_view.SetText(IDC_DESIGN_RATIO, RatioValueText(r.ratio));
    const struct {
        const AirState& state;
        int T, RH, D, I;
    } states[] = {
        {r.leaving, IDC_DESIGN_L_T, IDC_DESIGN_L_RH, IDC_DESIGN_L_D, IDC_DESIGN_L_I},
        {r.supply, IDC_DESIGN_O_T, IDC_DESIGN_O_RH, IDC_DESIGN_O_D, IDC_DESIGN_O_I},
        {r.entering, IDC_DESIGN_C_T, IDC_DESIGN_C_RH, IDC_DESIGN_C_D, IDC_DESIGN_C_I},
    };
    for (const auto& s : states) {
        Show(s.T, "%.2f", s.state.T);
        Show(s.RH, "%.1f", s.state.F * 100.0);
        Show(s.D, "%.3f", s.state.D);
        Show(s.I, "%.2f", s.state.I);
    }
    Show(IDC_DESIGN_MASS_FLOW, "%.4f", r.massFlow);
    Show(IDC_DESIGN_VOLUME_FLOW, "%.2f", r.volumeFlow);
    Show(IDC_DESIGN_COIL_LOAD, "%.2f", r.coilLoadKW);
    m_view.SetText(IDC_DESIGN_COIL_LOAD_KJH, HeatText(3600.0 * r.coilLoadKW));
    Show(IDC_DESIGN_CONDENSATE, "%.3f", r.condensateKgH);
    Show(IDC_DESIGN_DEW_POINT, "%.2f", r.dewPointT);
    Show(IDC_DESIGN_BYPASS, "%.3f", r.bypassFactor);
    Show(IDC_DESIGN_REHEAT, "%.2f", r.reheatKW);
    m_view.SetText(IDC_DESIGN_REHEAT_KJH, HeatText(3600.0 * r.reheatKW));
    change = std::move(r.change);
    return {};
}

void CDewPointRules::ClearResults() {
    for (int id : kResults) m_view.SetText(id, L"");
}

int CDewPointRules::FieldOf(const DesignRefusal& refusal) const {
    switch (refusal.problem) {
    case DesignProblem::NoRoom:
        return IDC_DESIGN_ROOM;
    case DesignProblem::NoSuchPoint:
        return refusal.subject == m_input.outdoor ? IDC_DESIGN_OUTDOOR : IDC_DESIGN_ROOM;
    case DesignProblem::SamePoints:
    case DesignProblem::PairUsed:
        return IDC_DESIGN_OUTDOOR;
    case DesignProblem::NotANumber:
    case DesignProblem::NoDirection:
        return IDC_DESIGN_HEAT;
    case DesignProblem::CoilHumidity:
    case DesignProblem::NeverMeets:
    case DesignProblem::CoilWarms:
    case DesignProblem::NoDewPoint:
        return IDC_DESIGN_COIL_RH;
    case DesignProblem::ShareRange:
        return IDC_DESIGN_FRESH_SHARE;
    case DesignProblem::MaxTemperatureDifference:
    case DesignProblem::OutsideChart:
        return IDC_DESIGN_MAX_DT;
    default:
        return IDC_DESIGN_PREFIX;
    }
}

}  // namespace humichart
