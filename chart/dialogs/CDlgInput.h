// The name editor: a small borderless edit box that the chart opens beside a
// point just placed, for its name. It closes for good on Enter or Esc (key or
// character), when the edit loses the focus, or on OK or Cancel; Esc keeps
// the text. On closing it hands the text to its owner.
#pragma once

#include <windows.h>

#include <string>

#include "DialogBase.h"

namespace humichart {

class INameEditorOwner {
public:
    virtual ~INameEditorOwner() = default;
    // The editor has closed with text (possibly empty).
    virtual void OnNameEditorClosed(const std::wstring& text) = 0;
};

class CDlgInput : public CDialogBase {
public:
    explicit CDlgInput(INameEditorOwner& owner);

    // Shows the editor at the screen position with text, creating it owned
    // by owner's top-level window if it does not exist; the edit gets the
    // focus.
    bool Open(HWND owner, POINT screen, const std::wstring& text = {});
    // Closes the editor as the user would (Enter): the owner hears the text.
    void Finish();

    HWND Edit() const { return Hwnd() ? GetDlgItem(Hwnd(), kEditId) : nullptr; }

    static constexpr int kEditId = 200;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT OnEditMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

    INameEditorOwner& m_owner;
    POINT m_position{};
    std::wstring m_text;
    bool m_closing = false;
};

}  // namespace humichart
