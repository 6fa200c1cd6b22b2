#include "CDlgDewPoint.h"

#include "DesignDialogsResource.h"
#include "LoadDialogString.h"

namespace humichart {

CDlgDewPoint::CDlgDewPoint(IChartDocument& chart)
    : CRulesDialog(IDD_DESIGN_DEWPOINT), m_rules(chart, View(), [](unsigned id) { return LoadDialogString(id); }) {}

}  // namespace humichart
