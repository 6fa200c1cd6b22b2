#include "CDlgFreshAir.h"

#include "DesignDialogsResource.h"
#include "LoadDialogString.h"

namespace humichart {

CDlgFreshAir::CDlgFreshAir(IChartDocument& chart)
    : CRulesDialog(IDD_DESIGN_FRESH), m_rules(chart, View(), [](unsigned id) { return LoadDialogString(id); }) {}

}  // namespace humichart
