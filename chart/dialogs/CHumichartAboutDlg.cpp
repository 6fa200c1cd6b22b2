#include "CHumichartAboutDlg.h"

#include "ChartMenuResource.h"
#include "ModuleInstance.h"

namespace humichart {

CHumichartAboutDlg::CHumichartAboutDlg() : CDialogBase(ThisModuleInstance(), IDD_HUMICHART_ABOUT) {}

bool CHumichartAboutDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        Close(LOWORD(wParam));
        result = 0;
        return true;
    }
    return false;
}

}  // namespace humichart
