#include "CDialogView.h"

#include <cwchar>

namespace humichart {

const CDialogView::Control& CDialogView::Find(int id) {
    auto found = m_controls.find(id);
    if (found != m_controls.end()) return found->second;
    Control control;
    control.window = GetDlgItem(m_dialog, id);
    wchar_t name[32] = {};
    if (control.window && GetClassNameW(control.window, name, 32)) {
        control.className = name;
        if (_wcsicmp(name, L"ComboBox") == 0) control.list = ListClass::Combo;
        if (_wcsicmp(name, L"ListBox") == 0) control.list = ListClass::List;
    }
    // Ids the dialog does not have are not remembered: they answer nothing.
    if (!control.window) {
        static const Control none;
        return none;
    }
    return m_controls.emplace(id, control).first->second;
}

std::wstring CDialogView::Text(int id) {
    HWND control = Item(id);
    if (!control) return {};
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void CDialogView::SetText(int id, const std::wstring& text) {
    HWND control = Item(id);
    if (!control) return;
    const bool combo = ListOf(id) == ListClass::Combo;
    const int previous = m_writingCombo;
    if (combo) m_writingCombo = id;
    SetWindowTextW(control, text.c_str());
    m_writingCombo = previous;
}

bool CDialogView::Checked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CDialogView::SetChecked(int id, bool checked) {
    if (HWND control = Item(id)) SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CDialogView::Enabled(int id) {
    HWND control = Item(id);
    return control && IsWindowEnabled(control);
}

void CDialogView::Enable(int id, bool enabled) {
    HWND control = Item(id);
    if (!control) return;
    if (!enabled) ReleaseFocus(control);
    EnableWindow(control, enabled ? TRUE : FALSE);
}

void CDialogView::ReleaseFocus(HWND control) {
    HWND focus = GetFocus();
    if (!focus || (focus != control && !IsChild(control, focus))) return;
    // The next control in tab order that is not a push button: a button
    // would take Enter for itself, where the user expects the default one.
    HWND next = control;
    for (int steps = 0; steps < 256; ++steps) {
        next = GetNextDlgTabItem(m_dialog, next, FALSE);
        if (!next || next == control) break;
        wchar_t name[16] = {};
        GetClassNameW(next, name, 16);
        const LONG type = GetWindowLongW(next, GWL_STYLE) & BS_TYPEMASK;
        const bool pushButton = _wcsicmp(name, L"Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
        if (!pushButton) {
            SendMessageW(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return;
        }
    }
    SendMessageW(m_dialog, WM_NEXTDLGCTL, 0, FALSE);
}

void CDialogView::SetReadOnly(int id, bool readOnly) {
    if (HWND control = Item(id)) SendMessageW(control, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void CDialogView::ClearList(int id) {
    HWND control = Item(id);
    switch (ListOf(id)) {
    case ListClass::Combo: SendMessageW(control, CB_RESETCONTENT, 0, 0); break;
    case ListClass::List: SendMessageW(control, LB_RESETCONTENT, 0, 0); break;
    case ListClass::None: break;
    }
}

int CDialogView::AddItem(int id, const std::wstring& text) {
    HWND control = Item(id);
    const auto param = reinterpret_cast<LPARAM>(text.c_str());
    LRESULT index = -1;
    switch (ListOf(id)) {
    case ListClass::Combo: index = SendMessageW(control, CB_ADDSTRING, 0, param); break;
    case ListClass::List: index = SendMessageW(control, LB_ADDSTRING, 0, param); break;
    case ListClass::None: break;
    }
    return index < 0 ? -1 : static_cast<int>(index);
}

void CDialogView::InsertItem(int id, int index, const std::wstring& text) {
    HWND control = Item(id);
    const auto param = reinterpret_cast<LPARAM>(text.c_str());
    switch (ListOf(id)) {
    case ListClass::Combo: SendMessageW(control, CB_INSERTSTRING, index, param); break;
    case ListClass::List: SendMessageW(control, LB_INSERTSTRING, index, param); break;
    case ListClass::None: break;
    }
}

void CDialogView::DeleteItem(int id, int index) {
    HWND control = Item(id);
    switch (ListOf(id)) {
    case ListClass::Combo: SendMessageW(control, CB_DELETESTRING, index, 0); break;
    case ListClass::List: SendMessageW(control, LB_DELETESTRING, index, 0); break;
    case ListClass::None: break;
    }
}

int CDialogView::ItemCount(int id) {
    HWND control = Item(id);
    LRESULT count = 0;
    switch (ListOf(id)) {
    case ListClass::Combo: count = SendMessageW(control, CB_GETCOUNT, 0, 0); break;
    case ListClass::List: count = SendMessageW(control, LB_GETCOUNT, 0, 0); break;
    case ListClass::None: break;
    }
    return count < 0 ? 0 : static_cast<int>(count);
}

std::wstring CDialogView::ItemText(int id, int index) {
    HWND control = Item(id);
    const ListClass list = ListOf(id);
    if (list == ListClass::None) return {};
    const bool combo = list == ListClass::Combo;
    const LRESULT length = SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

int CDialogView::Selection(int id) {
    HWND control = Item(id);
    LRESULT index = -1;
    switch (ListOf(id)) {
    case ListClass::Combo: index = SendMessageW(control, CB_GETCURSEL, 0, 0); break;
    case ListClass::List: index = SendMessageW(control, LB_GETCURSEL, 0, 0); break;
    case ListClass::None: break;
    }
    return index < 0 ? -1 : static_cast<int>(index);
}

void CDialogView::SetSelection(int id, int index) {
    HWND control = Item(id);
    switch (ListOf(id)) {
    case ListClass::Combo: {
        // Selecting writes the item's text into the edit field.
        const int previous = m_writingCombo;
        m_writingCombo = id;
        SendMessageW(control, CB_SETCURSEL, index, 0);
        m_writingCombo = previous;
        break;
    }
    case ListClass::List: SendMessageW(control, LB_SETCURSEL, index, 0); break;
    case ListClass::None: break;
    }
}

void CDialogView::Focus(int id) {
    HWND control = Item(id);
    if (!control) return;
    ++m_focusMoves;
    // Through the dialog manager, so that the default button follows and an
    // edit's text is selected, as when the user tabs there.
    SendMessageW(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

int CDialogView::Ask(const std::wstring& text, const std::wstring& caption, unsigned style) {
    return MessageBoxW(m_dialog, text.c_str(), caption.c_str(), style);
}

void CDialogView::Close(int result) { EndDialog(m_dialog, result); }

}  // namespace humichart
