#include "CDlgFreshAir.h"

#include "DesignDialogsResource.h"
#include "LoadDialogString.h"

namespace humichart {

CDlgFreshAir::CDlgFreshAir(IChartDocument& chart)
    : CRulesDialog(IDD_DESIGN_FRESH), m_rules(chart, View(), [](int id) { return LoadDialogString(static_cast<UINT>(id)); }) {}

}  // namespace humichart
