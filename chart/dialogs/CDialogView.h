// IDialogView over a dialog window's controls. The kind of list a control
// holds comes from its window class (combo box or list box), so one view
// serves every dialog.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

#include "IDialogRules.h"
#include "IDialogView.h"

namespace humichart {

class CDialogView final : public IDialogView {
public:
    // The dialog whose controls this view reads and writes.
    void Attach(HWND dialog) {
        m_dialog = dialog;
        m_controls.clear();
    }
    HWND Dialog() const { return m_dialog; }

    std::wstring Text(int id) override;
    void SetText(int id, const std::wstring& text) override;
    bool Checked(int id) override;
    void SetChecked(int id, bool checked) override;
    bool Enabled(int id) override;
    void Enable(int id, bool enabled) override;
    void SetReadOnly(int id, bool readOnly) override;

    void ClearList(int id) override;
    int AddItem(int id, const std::wstring& text) override;
    void InsertItem(int id, int index, const std::wstring& text) override;
    void DeleteItem(int id, int index) override;
    int ItemCount(int id) override;
    std::wstring ItemText(int id, int index) override;
    int Selection(int id) override;
    void SetSelection(int id, int index) override;

    void Focus(int id) override;
    int Ask(const std::wstring& text, const std::wstring& caption, unsigned style) override;
    void Close(int result) override;

    // Whether a notification of control id is the echo of this view's own
    // write rather than the user's action: a combo box announces a text
    // written into its edit field as if typed, which the rules must not hear.
    bool IsOwnWrite(int id, ControlEvent event) const {
        return event == ControlEvent::TextChanged && id == m_writingCombo;
    }
    // The window class of control id ("Button", "Edit", ...), looked up once.
    const std::wstring& ClassName(int id) { return Find(id).className; }
    // How often the rules moved the focus (so that initialisation knows
    // whether to leave the first focus to the dialog manager).
    int FocusMoves() const { return m_focusMoves; }

private:
    enum class ListClass { None, Combo, List };

    // A dialog's controls live as long as it does: looked up once.
    struct Control {
        HWND window = nullptr;
        ListClass list = ListClass::None;
        std::wstring className;
    };
    const Control& Find(int id);
    HWND Item(int id) { return Find(id).window; }
    ListClass ListOf(int id) { return Find(id).list; }
    // Moves the focus on when control (or its edit field) holds it, so that
    // disabling it does not leave the keyboard with nowhere to go.
    void ReleaseFocus(HWND control);

    HWND m_dialog = nullptr;
    std::unordered_map<int, Control> m_controls;
    int m_writingCombo = 0;
    int m_focusMoves = 0;
};

}  // namespace humichart
