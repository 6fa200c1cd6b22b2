#include "CDlgSupplyAir.h"

#include "DesignDialogsResource.h"
#include "LoadDialogString.h"

namespace humichart {

CDlgSupplyAir::CDlgSupplyAir(IChartDocument& chart)
    : CRulesDialog(IDD_DESIGN_SUPPLY), m_rules(chart, View(), [](unsigned id) { return LoadDialogString(id); }) {}

}  // namespace humichart
