#include "CDlgDewPoint.h"

#include "DesignDialogsResource.h"
#include "LoadDialogString.h"

namespace humichart {

CDlgDewPoint::CDlgDewPoint(IChartDocument& chart)
    : CRulesDialog(IDD_DESIGN_DEWPOINT), m_rules(chart, View(), [](int id) { return LoadDialogString(static_cast<UINT>(id)); }) {}

}  // namespace humichart
