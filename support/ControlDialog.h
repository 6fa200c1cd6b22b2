// A dialog made from a template that may hold embedded controls by class id:
// they are created with their initialisation data before the dialog's own
// initialisation runs, so GetDlgItem finds them by their template ids, and
// closed while the dialog is being destroyed. Modal or modeless; the object
// pointer travels in WM_INITDIALOG and lives in DWLP_USER.
#pragma once

#include <windows.h>

#include "ControlContainer.h"

class CControlDialog {
public:
    CControlDialog(const CControlDialog&) = delete;
    CControlDialog& operator=(const CControlDialog&) = delete;
    // Destroys a modeless window that is still there.
    virtual ~CControlDialog();

    // Runs the dialog modally in a message loop of its own, which offers key
    // messages to the UI-active control before the dialog's navigation sees
    // them (as containers of controls do); answers what EndDialog was given,
    // or -1 when the dialog or one of its controls could not be created (see
    // CreationStatus).
    INT_PTR DoModal(HWND parent);
    // A modeless dialog; null when it or one of its controls could not be made.
    HWND Create(HWND parent);

    HWND Hwnd() const { return hwnd_; }
    CControlContainer& Controls() { return controls_; }
    // Why the last DoModal or Create failed; S_OK when it did not.
    HRESULT CreationStatus() const { return status_; }
    // Ends a modal dialog with result, destroys a modeless one.
    void EndDialog(INT_PTR result);

protected:
    CControlDialog(HINSTANCE instance, UINT templateId, AmbientProperties ambient = {});

    HINSTANCE Instance() const { return instance_; }

    // After the embedded controls exist. TRUE lets the dialog manager set the
    // focus; FALSE when the handler has set it.
    virtual BOOL OnInitDialog() { return TRUE; }
    // One message after initialisation; answer true when handled, with result
    // what a window procedure would return for it. Unhandled messages get the
    // dialog manager's default treatment.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool PrepareTemplate();
    bool PreTranslate(MSG& message);

    HINSTANCE instance_;
    UINT templateId_;
    CControlContainer controls_;
    SplitDialogTemplate split_;
    std::vector<DlgInitRecord> init_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool showWhenReady_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
    HRESULT status_ = S_OK;
};
