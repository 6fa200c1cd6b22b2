#include "CDlgNewMixer.h"

#include "LoadDialogString.h"
#include "ProcessDialogsResource.h"

namespace humichart {

CDlgNewMixer::CDlgNewMixer(IChartDocument& chart)
    : CRulesDialog(IDD_NEW_MIXER),
      m_rules(chart, View(), [](int id) { return LoadDialogString(static_cast<UINT>(id)); }) {}

void CDlgNewMixer::PrepareControls() {
    // Process and mix-point names are as long as the user likes.
    SendDlgItemMessageW(Hwnd(), IDC_PROCESS_NAME, CB_LIMITTEXT, 0, 0);
    SendDlgItemMessageW(Hwnd(), IDC_MIX_POINT, CB_LIMITTEXT, 0, 0);
}

}  // namespace humichart
