// A dialog created from a template, modal or modeless, whose messages arrive
// at one virtual handler. The object pointer travels in WM_INITDIALOG and is
// kept in DWLP_USER, so no code thunks are needed.
#pragma once

#include <windows.h>

class CDialogBase {
public:
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;
    // Destroys a modeless window that is still there.
    virtual ~CDialogBase();

    // Modeless (or child) dialog; null on failure (see GetLastError).
    HWND Create(HWND parent, LPARAM initParam = 0);
    // Runs the dialog's own message loop; answers what EndDialog was given,
    // or -1 when the dialog could not be created.
    INT_PTR DoModal(HWND parent, LPARAM initParam = 0);

    HWND Hwnd() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ != nullptr; }
    // Ends a modal dialog, destroys a modeless one.
    void Close(INT_PTR result);

protected:
    CDialogBase(HINSTANCE instance, UINT templateId) : instance_(instance), templateId_(templateId) {}

    // One message. Answer true when handled, with result the value the message
    // expects: for WM_INITDIALOG, FALSE when the handler has set the focus
    // itself; for ordinary messages, what a window procedure would return.
    // Unhandled messages get the dialog manager's default treatment.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After WM_NCDESTROY; Hwnd() is already null.
    virtual void OnFinalMessage() {}

    // The initParam given to Create or DoModal, for WM_INITDIALOG handlers.
    LPARAM InitParam() const { return initParam_; }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    LPARAM initParam_ = 0;
};
