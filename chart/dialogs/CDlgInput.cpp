#include "CDlgInput.h"

#include <commctrl.h>

#include "ChartMenuResource.h"
#include "ModuleInstance.h"

namespace humichart {

namespace {

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsEnterOrEscape(WPARAM key) { return key == VK_RETURN || key == VK_ESCAPE; }

}  // namespace

CDlgInput::CDlgInput(INameEditorOwner& owner) : CDialogBase(ThisModuleInstance(), IDD_INPUT), m_owner(owner) {}

bool CDlgInput::Open(HWND owner, POINT screen, const std::wstring& text) {
    m_position = screen;
    m_text = text;
    m_closing = false;
    if (!Hwnd() && !Create(owner)) return false;
    SetDlgItemTextW(Hwnd(), kEditId, m_text.c_str());
    SetWindowPos(Hwnd(), HWND_TOP, m_position.x, m_position.y, 0, 0, SWP_NOSIZE);
    ShowWindow(Edit(), SW_SHOW);
    ShowWindow(Hwnd(), SW_SHOW);
    SetFocus(Edit());
    return true;
}

void CDlgInput::Finish() {
    if (!Hwnd() || m_closing) return;
    // Destroying the window takes the focus from the edit, which would close
    // the editor a second time.
    m_closing = true;
    // Out of memory on the way (reading the text, naming the point) still
    // closes the editor and tells the owner, with no name, so that the chart
    // takes clicks again; nothing unwinds into the window manager.
    std::wstring text;
    try {
        text = WindowText(Edit());
    } catch (...) {
        text.clear();
    }
    RemoveWindowSubclass(Edit(), EditProc, 0);
    DestroyWindow(Hwnd());
    m_text.clear();
    try {
        m_owner.OnNameEditorClosed(text);
    } catch (...) {
        try {
            if (!text.empty()) m_owner.OnNameEditorClosed({});
        } catch (...) {
        }
    }
}

LRESULT CALLBACK CDlgInput::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<CDlgInput*>(self)->OnEditMessage(edit, message, wParam, lParam);
    } catch (...) {
        return DefSubclassProc(edit, message, wParam, lParam);
    }
}

LRESULT CDlgInput::OnEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Esc belong to the editor, not to a dialog around it.
        if (lParam && IsEnterOrEscape(reinterpret_cast<const MSG*>(lParam)->wParam))
            return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
        break;
    case WM_KEYDOWN:
    case WM_CHAR:
        if (IsEnterOrEscape(wParam)) {
            Finish();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

bool CDlgInput::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowSubclass(Edit(), EditProc, 0, reinterpret_cast<DWORD_PTR>(this));
        // Open sets the text, the position and the focus.
        result = FALSE;
        return true;
    case WM_COMMAND:
        if ((LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_KILLFOCUS) || LOWORD(wParam) == IDOK ||
            LOWORD(wParam) == IDCANCEL) {
            Finish();
            result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

}  // namespace humichart
