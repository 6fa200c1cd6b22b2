#include "CFreshAirRules.h"

#include "DesignDialogsResource.h"
#include "ProcessTexts.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_DESIGN_OUTDOOR, ControlKind::DropDownList}, {IDC_DESIGN_ROOM, ControlKind::DropDownList},
    {IDC_DESIGN_SUPPLY_FLOW, ControlKind::Edit},     {IDC_DESIGN_PEOPLE, ControlKind::Edit},
    {IDC_DESIGN_PER_PERSON, ControlKind::Edit},      {IDC_DESIGN_MIN_SHARE, ControlKind::Edit},
    {IDC_DESIGN_EXHAUST, ControlKind::Edit},         {IDC_DESIGN_FRESH_FLOW, ControlKind::Edit},
    {IDC_DESIGN_FRESH_PERCENT, ControlKind::Edit},   {IDC_DESIGN_C_T, ControlKind::Edit},
    {IDC_DESIGN_C_RH, ControlKind::Edit},            {IDC_DESIGN_C_D, ControlKind::Edit},
    {IDC_DESIGN_C_I, ControlKind::Edit},             {IDC_DESIGN_FRESH_LOAD, ControlKind::Edit},
    {IDC_DESIGN_FRESH_LOAD_KJH, ControlKind::Edit},  {IDC_DESIGN_POINT_NAME, ControlKind::Edit},
    {IDC_DESIGN_PROCESS_NAME, ControlKind::Edit},    {IDC_DESIGN_STATUS, ControlKind::Static},
    {IDOK, ControlKind::Button},                     {IDCANCEL, ControlKind::Button},
};

constexpr int kResults[] = {IDC_DESIGN_FRESH_FLOW, IDC_DESIGN_FRESH_PERCENT, IDC_DESIGN_C_T,
                            IDC_DESIGN_C_RH,       IDC_DESIGN_C_D,           IDC_DESIGN_C_I,
                            IDC_DESIGN_FRESH_LOAD, IDC_DESIGN_FRESH_LOAD_KJH};

}  // namespace

CFreshAirRules::CFreshAirRules(IChartDocument& chart, IDialogView& view, TextSource texts)
    : CDesignRules(chart, view, std::move(texts)) {}

DialogControlTable CFreshAirRules::Controls() { return kControls; }

std::vector<int> CFreshAirRules::PointLists() const { return {IDC_DESIGN_OUTDOOR, IDC_DESIGN_ROOM}; }

void CFreshAirRules::Fill() {
    m_view.SetText(IDC_DESIGN_PEOPLE, L"0");
    m_view.SetText(IDC_DESIGN_PER_PERSON, L"30");
    m_view.SetText(IDC_DESIGN_MIN_SHARE, L"10");
    m_view.SetText(IDC_DESIGN_EXHAUST, L"0");
    m_view.SetText(IDC_DESIGN_POINT_NAME, L"C");
    m_view.SetText(IDC_DESIGN_PROCESS_NAME, m_texts(IDS_DESIGN_NAME_FRESH));
}

bool CFreshAirRules::IsInput(int id) const {
    switch (id) {
    case IDC_DESIGN_OUTDOOR:
    case IDC_DESIGN_ROOM:
    case IDC_DESIGN_SUPPLY_FLOW:
    case IDC_DESIGN_PEOPLE:
    case IDC_DESIGN_PER_PERSON:
    case IDC_DESIGN_MIN_SHARE:
    case IDC_DESIGN_EXHAUST:
    case IDC_DESIGN_POINT_NAME:
    case IDC_DESIGN_PROCESS_NAME:
        return true;
    default:
        return false;
    }
}

// The supply flow of a room process that ends at the room chosen.
void CFreshAirRules::OnInputChanged(int id) {
    if (id != IDC_DESIGN_ROOM) return;
    const double flow = SupplyFlowInto(m_chart.View().Data(), ChosenPoint(IDC_DESIGN_ROOM));
    if (flow > 0) Show(IDC_DESIGN_SUPPLY_FLOW, "%.2f", flow);
}

DesignRefusal CFreshAirRules::Compute(ICalcSession& calc, DesignChange& change) {
    m_input = {ChosenPoint(IDC_DESIGN_OUTDOOR),   ChosenPoint(IDC_DESIGN_ROOM),        Number(IDC_DESIGN_SUPPLY_FLOW),
               Number(IDC_DESIGN_PEOPLE),         Number(IDC_DESIGN_PER_PERSON),       Number(IDC_DESIGN_MIN_SHARE),
               Number(IDC_DESIGN_EXHAUST),        m_view.Text(IDC_DESIGN_POINT_NAME), m_view.Text(IDC_DESIGN_PROCESS_NAME)};
    FreshAirResult result;
    const DesignRefusal refusal = DesignFreshAir(calc, m_chart.View().Data(), m_input, result);
    if (refusal.Refused()) return refusal;
    Show(IDC_DESIGN_FRESH_FLOW, "%.2f", result.freshFlow);
    Show(IDC_DESIGN_FRESH_PERCENT, "%.1f", result.share * 100.0);
    Show(IDC_DESIGN_C_T, "%.2f", result.mix.T);
    Show(IDC_DESIGN_C_RH, "%.1f", result.mix.F * 100.0);
    Show(IDC_DESIGN_C_D, "%.3f", result.mix.D);
    Show(IDC_DESIGN_C_I, "%.2f", result.mix.I);
    Show(IDC_DESIGN_FRESH_LOAD, "%.2f", result.freshLoadKW);
    m_view.SetText(IDC_DESIGN_FRESH_LOAD_KJH, HeatText(3600.0 * result.freshLoadKW));
    change = std::move(result.change);
    return {};
}

void CFreshAirRules::ClearResults() {
    for (int id : kResults) m_view.SetText(id, L"");
}

int CFreshAirRules::FieldOf(const DesignRefusal& refusal) const {
    switch (refusal.problem) {
    case DesignProblem::NoOutdoor:
    case DesignProblem::SamePoints:
        return IDC_DESIGN_OUTDOOR;
    case DesignProblem::NoRoom:
        return IDC_DESIGN_ROOM;
    case DesignProblem::NoSuchPoint:
        return refusal.subject == m_input.outdoor ? IDC_DESIGN_OUTDOOR : IDC_DESIGN_ROOM;
    case DesignProblem::NotANumber:
    case DesignProblem::SupplyFlow:
        return IDC_DESIGN_SUPPLY_FLOW;
    case DesignProblem::NegativeRule:
        return IDC_DESIGN_PEOPLE;
    case DesignProblem::ShareRange:
        return IDC_DESIGN_MIN_SHARE;
    case DesignProblem::NameUsed:
        return refusal.subject == m_input.mixPoint ? IDC_DESIGN_POINT_NAME : IDC_DESIGN_PROCESS_NAME;
    case DesignProblem::PairUsed:
        return IDC_DESIGN_OUTDOOR;
    default:
        return IDC_DESIGN_POINT_NAME;
    }
}

}  // namespace humichart
