#include "CSupplyAirRules.h"

#include "DesignDialogsResource.h"
#include "ProcessTexts.h"

namespace humichart {

namespace {

constexpr DialogControl kControls[] = {
    {IDC_DESIGN_ROOM, ControlKind::DropDownList},   {IDC_DESIGN_HEAT, ControlKind::Edit},
    {IDC_DESIGN_HEAT_KJH, ControlKind::Edit},       {IDC_DESIGN_MOIST, ControlKind::Edit},
    {IDC_DESIGN_DELTA_T, ControlKind::Edit},        {IDC_DESIGN_RATIO, ControlKind::Edit},
    {IDC_DESIGN_O_T, ControlKind::Edit},            {IDC_DESIGN_O_RH, ControlKind::Edit},
    {IDC_DESIGN_O_D, ControlKind::Edit},            {IDC_DESIGN_O_I, ControlKind::Edit},
    {IDC_DESIGN_MASS_FLOW, ControlKind::Edit},      {IDC_DESIGN_VOLUME_FLOW, ControlKind::Edit},
    {IDC_DESIGN_POINT_NAME, ControlKind::Edit},     {IDC_DESIGN_PROCESS_NAME, ControlKind::Edit},
    {IDC_DESIGN_STATUS, ControlKind::Static},       {IDOK, ControlKind::Button},
    {IDCANCEL, ControlKind::Button},
};

constexpr int kResults[] = {IDC_DESIGN_RATIO,     IDC_DESIGN_O_T,        IDC_DESIGN_O_RH, IDC_DESIGN_O_D,
                            IDC_DESIGN_O_I,       IDC_DESIGN_MASS_FLOW,  IDC_DESIGN_VOLUME_FLOW};

}  // namespace

CSupplyAirRules::CSupplyAirRules(IChartDocument& chart, IDialogView& view, TextSource texts)
    : CDesignRules(chart, view, std::move(texts)) {}

DialogControlTable CSupplyAirRules::Controls() { return kControls; }

std::vector<int> CSupplyAirRules::PointLists() const { return {IDC_DESIGN_ROOM}; }

void CSupplyAirRules::Fill() {
    m_view.SetText(IDC_DESIGN_DELTA_T, L"8");
    m_view.SetText(IDC_DESIGN_POINT_NAME, L"O");
    m_view.SetText(IDC_DESIGN_PROCESS_NAME, m_texts(IDS_DESIGN_NAME_SUPPLY));
}

bool CSupplyAirRules::IsInput(int id) const {
    switch (id) {
    case IDC_DESIGN_ROOM:
    case IDC_DESIGN_HEAT:
    case IDC_DESIGN_MOIST:
    case IDC_DESIGN_DELTA_T:
    case IDC_DESIGN_POINT_NAME:
    case IDC_DESIGN_PROCESS_NAME:
        return true;
    default:
        return false;
    }
}

DesignRefusal CSupplyAirRules::Compute(ICalcSession& calc, DesignChange& change) {
    m_input = {ChosenPoint(IDC_DESIGN_ROOM), Number(IDC_DESIGN_HEAT), Number(IDC_DESIGN_MOIST),
               Number(IDC_DESIGN_DELTA_T), m_view.Text(IDC_DESIGN_POINT_NAME), m_view.Text(IDC_DESIGN_PROCESS_NAME)};
    m_view.SetText(IDC_DESIGN_HEAT_KJH, HeatText(3600.0 * m_input.loadKW));
    SupplyAirResult result;
    const DesignRefusal refusal = DesignSupplyAir(calc, m_chart.View().Data(), m_input, result);
    if (refusal.Refused()) return refusal;
    m_view.SetText(IDC_DESIGN_RATIO, RatioValueText(result.ratio));
    Show(IDC_DESIGN_O_T, "%.2f", result.supply.T);
    Show(IDC_DESIGN_O_RH, "%.1f", result.supply.F * 100.0);
    Show(IDC_DESIGN_O_D, "%.3f", result.supply.D);
    Show(IDC_DESIGN_O_I, "%.2f", result.supply.I);
    Show(IDC_DESIGN_MASS_FLOW, "%.4f", result.massFlow);
    Show(IDC_DESIGN_VOLUME_FLOW, "%.2f", result.volumeFlow);
    change = std::move(result.change);
    return {};
}

void CSupplyAirRules::ClearResults() {
    for (int id : kResults) m_view.SetText(id, L"");
}

int CSupplyAirRules::FieldOf(const DesignRefusal& refusal) const {
    switch (refusal.problem) {
    case DesignProblem::NoRoom:
    case DesignProblem::NoSuchPoint:
        return IDC_DESIGN_ROOM;
    case DesignProblem::NotANumber:
    case DesignProblem::NoDirection:
        return IDC_DESIGN_HEAT;
    case DesignProblem::TemperatureDifference:
    case DesignProblem::SupplySaturated:
    case DesignProblem::OutsideChart:
        return IDC_DESIGN_DELTA_T;
    case DesignProblem::NameUsed:
        return refusal.subject == m_input.supplyName ? IDC_DESIGN_POINT_NAME : IDC_DESIGN_PROCESS_NAME;
    default:
        return IDC_DESIGN_POINT_NAME;
    }
}

}  // namespace humichart
