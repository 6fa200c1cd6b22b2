#include "CDlgNewPoint.h"

#include "LoadDialogString.h"
#include "PointDialogsResource.h"

namespace humichart {

CDlgNewPoint::CDlgNewPoint(IChartDocument& chart)
    : CRulesDialog(IDD_POINTS),
      m_rules(chart, View(), [](int id) { return LoadDialogString(static_cast<UINT>(id)); }) {}

void CDlgNewPoint::PrepareControls() {
    // Names are as long as the user likes: no cut at the edit field's
    // default limit.
    SendDlgItemMessageW(Hwnd(), IDC_POINTS_NAME, CB_LIMITTEXT, 0, 0);
}

}  // namespace humichart
