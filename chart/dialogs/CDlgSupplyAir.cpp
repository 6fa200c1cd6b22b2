#include "CDlgSupplyAir.h"

#include "DesignDialogsResource.h"
#include "LoadDialogString.h"

namespace humichart {

CDlgSupplyAir::CDlgSupplyAir(IChartDocument& chart)
    : CRulesDialog(IDD_DESIGN_SUPPLY), m_rules(chart, View(), [](int id) { return LoadDialogString(static_cast<UINT>(id)); }) {}

}  // namespace humichart
