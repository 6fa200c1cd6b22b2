#include "CRulesDialog.h"

#include <cwchar>
#include <exception>
#include <new>

#include "CCalcError.h"
#include "DialogCalc.h"
#include "DialogTexts.h"
#include "ModuleInstance.h"

namespace humichart {

CRulesDialog::CRulesDialog(UINT templateId) : CDialogBase(ThisModuleInstance(), templateId) {}

std::optional<ControlEvent> CRulesDialog::Translate(const wchar_t* className, UINT code) {
    if (_wcsicmp(className, L"Button") == 0) {
        if (code == BN_CLICKED) return ControlEvent::Clicked;
        if (code == BN_SETFOCUS) return ControlEvent::FocusGained;
        if (code == BN_KILLFOCUS) return ControlEvent::FocusLost;
        return std::nullopt;
    }
    if (_wcsicmp(className, L"Edit") == 0) {
        switch (code) {
        case EN_CHANGE: return ControlEvent::TextChanged;
        case EN_SETFOCUS: return ControlEvent::FocusGained;
        case EN_KILLFOCUS: return ControlEvent::FocusLost;
        default: return std::nullopt;
        }
    }
    if (_wcsicmp(className, L"ComboBox") == 0) {
        switch (code) {
        case CBN_EDITCHANGE: return ControlEvent::TextChanged;
        case CBN_SELCHANGE: return ControlEvent::SelectionChanged;
        case CBN_DBLCLK: return ControlEvent::DoubleClicked;
        case CBN_SETFOCUS: return ControlEvent::FocusGained;
        case CBN_KILLFOCUS: return ControlEvent::FocusLost;
        default: return std::nullopt;
        }
    }
    if (_wcsicmp(className, L"ListBox") == 0) {
        switch (code) {
        case LBN_SELCHANGE: return ControlEvent::SelectionChanged;
        case LBN_DBLCLK: return ControlEvent::DoubleClicked;
        case LBN_SETFOCUS: return ControlEvent::FocusGained;
        case LBN_KILLFOCUS: return ControlEvent::FocusLost;
        default: return std::nullopt;
        }
    }
    return std::nullopt;
}

template <class Step>
void CRulesDialog::Guarded(Step&& step) {
    try {
        step();
    } catch (const CCalcError& error) {
        ReportCalculatorFailure(m_view, error.GetStatus());
    } catch (const std::bad_alloc&) {
        m_view.Ask(L"Not enough memory to finish this step.\n\nNothing more was changed.", kErrorReport,
                   kStyleError);
    } catch (const std::exception&) {
        m_view.Ask(L"This step could not be finished.\n\nNothing more was changed.", kErrorReport, kStyleError);
    }
}

bool CRulesDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG: {
        m_view.Attach(Hwnd());
        CentreOnOwner();
        const int focusMoves = m_view.FocusMoves();
        Guarded([&] {
            PrepareControls();
            Rules().OnInit();
        });
        // TRUE lets the dialog manager focus the first control.
        result = m_view.FocusMoves() == focusMoves ? TRUE : FALSE;
        return true;
    }
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        result = 0;
        return true;
    default:
        return false;
    }
}

void CRulesDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    std::optional<ControlEvent> event;
    if (!control) {
        // Enter, Esc and the close box arrive without a control when the
        // template has no such button; they still mean OK and Cancel.
        if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) event = ControlEvent::Clicked;
    } else {
        event = Translate(m_view.ClassName(id).c_str(), code);
    }
    if (!event || m_view.IsOwnWrite(id, *event)) return;
    Guarded([&] { Rules().OnEvent(id, *event); });
}

void CRulesDialog::CentreOnOwner() {
    HWND owner = GetWindow(Hwnd(), GW_OWNER);
    RECT area{};
    if (owner) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT dialog{};
    GetWindowRect(Hwnd(), &dialog);
    const int width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep it on the screen that holds the owner.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(owner ? owner : Hwnd(), MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        if (x + width > work.right) x = work.right - width;
        if (y + height > work.bottom) y = work.bottom - height;
        if (x < work.left) x = work.left;
        if (y < work.top) y = work.top;
    }
    SetWindowPos(Hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace humichart
