#include "CDlgNewProcess.h"

#include "LoadDialogString.h"
#include "ProcessDialogsResource.h"

namespace humichart {

CDlgNewProcess::CDlgNewProcess(IChartDocument& chart)
    : CRulesDialog(IDD_NEW_PROCESS), m_rules(chart, View(), m_subDialogs, LoadDialogString(IDS_BY_HOM)) {}

void CDlgNewProcess::PrepareControls() {
    // Process names are as long as the user likes.
    SendDlgItemMessageW(Hwnd(), IDC_PROCESS_NAME, CB_LIMITTEXT, 0, 0);
}

}  // namespace humichart
