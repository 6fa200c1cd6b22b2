#include "CDlgParamQuery.h"

#include "CCalcError.h"
#include "ChartMenuResource.h"
#include "ModuleInstance.h"
#include "PointStatusFields.h"

namespace humichart {

CDlgParamQuery::CDlgParamQuery(ICalcBinding& calc)
    : CDialogBase(ThisModuleInstance(), IDD_PARAMQUERY), m_calc(calc) {}

void CDlgParamQuery::show(double I, double D, double pressure) {
    if (!Hwnd()) return;
    PointStatusFields fields;
    bool shown = false;
    std::unique_ptr<ICalcSession> session;
    if (Succeeded(m_calc.Open(pressure, session))) {
        try {
            shown = ComputePointStatus(*session, I, D, pressure, fields);
        } catch (const CCalcError&) {
            shown = false;
        }
    }
    if (!shown) {
        clear();
        return;
    }
    for (const PointStatusField& field : fields) Write(field.id - kPointStatusIds[0], field.text);
}

void CDlgParamQuery::clear() {
    if (!Hwnd()) return;
    for (int index = 0; index < 8; ++index) Write(index, {});
}

void CDlgParamQuery::Write(int index, const std::wstring& text) {
    if (m_shown[index] == text) return;
    m_shown[index] = text;
    // Replacing the whole selection lays the line out once and invalidates
    // the edit once; WM_SETTEXT under Wine costs about twice that (undo
    // buffer, scroll state, redraw) for the same pixels.
    SendMessageW(m_edits[index], EM_SETSEL, 0, -1);
    SendMessageW(m_edits[index], EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool CDlgParamQuery::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_INITDIALOG) {
        m_shown = {};  // a new window starts empty
        for (int index = 0; index < 8; ++index) m_edits[index] = GetDlgItem(Hwnd(), kPointStatusIds[index]);
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        // Closed for good: the chart opens a new one next time.
        DestroyWindow(Hwnd());
        result = 0;
        return true;
    }
    return false;
}

}  // namespace humichart
