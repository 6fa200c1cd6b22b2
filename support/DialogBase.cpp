#include "DialogBase.h"

namespace {

// Messages whose answer a dialog procedure returns itself instead of through
// DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}


}  // namespace

CDialogBase::~CDialogBase() {
    if (hwnd_ && !modal_) {
        // The handler must not reach a half-destroyed object: detach first.
        HWND window = hwnd_;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        hwnd_ = nullptr;
        DestroyWindow(window);
    }
}

HWND CDialogBase::Create(HWND parent, LPARAM initParam) {
    if (hwnd_) return nullptr;
    modal_ = false;
    initParam_ = initParam;
    return CreateDialogParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialogBase::DoModal(HWND parent, LPARAM initParam) {
    if (hwnd_) return -1;
    modal_ = true;
    initParam_ = initParam;
    return DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CDialogBase::Close(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_)
        EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

bool CDialogBase::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK CDialogBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialogBase* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialogBase*>(lParam);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        lParam = self->initParam_;
    } else {
        self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) return FALSE;

    LRESULT result = 0;
    // Nothing unwinds into the dialog manager (see CWindowBase::WindowProc).
    bool handled = false;
    try {
        handled = self->HandleMessage(message, wParam, lParam, result);
    } catch (...) {
        handled = false;
    }

    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
        return FALSE;
    }
    if (!handled) return message == WM_INITDIALOG ? TRUE : FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}
