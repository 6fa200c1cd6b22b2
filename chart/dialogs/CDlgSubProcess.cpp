#include "CDlgSubProcess.h"

#include "LoadDialogString.h"
#include "ProcessDialogsResource.h"

namespace humichart {

namespace {

std::vector<std::wstring> KindNames() {
    std::vector<std::wstring> names;
    for (UINT id = IDS_KNOWN_DBT; id <= IDS_KNOWN_VP; ++id) names.push_back(LoadDialogString(id));
    return names;
}

}  // namespace

CDlgSubProcess::CDlgSubProcess() : CRulesDialog(IDD_SUB_PROCESS), m_rules(View(), KindNames()) {}

void CDlgSubProcess::PrepareControls() {
    // A point name is as long as the user likes.
    SendDlgItemMessageW(Hwnd(), IDC_NEW_POINT_NAME, EM_LIMITTEXT, 0, 0);
}

}  // namespace humichart
