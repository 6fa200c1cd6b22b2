#include "ControlDialog.h"

#include <cstring>

CControlDialog::CControlDialog(HINSTANCE instance, UINT templateId, AmbientProperties ambient)
    : instance_(instance), templateId_(templateId), controls_(std::move(ambient)) {}

CControlDialog::~CControlDialog() {
    if (hwnd_ && !modal_) DestroyWindow(hwnd_);
}

bool CControlDialog::PrepareTemplate() {
    const LPCWSTR name = MAKEINTRESOURCEW(templateId_);
    HRSRC found = FindResourceW(instance_, name, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? LoadResource(instance_, found) : nullptr;  // module memory: nothing to free
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes) {
        status_ = HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
        return false;
    }
    auto split = SplitOleControls(bytes, SizeofResource(instance_, found));
    if (!split) {
        status_ = HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
        return false;
    }
    split_ = std::move(*split);
    // A dialog whose controls cannot be made must never appear, not even for
    // a moment: it is made hidden and shown once its controls exist.
    showWhenReady_ = !split_.controls.empty() && (split_.style & WS_VISIBLE);
    if (showWhenReady_) {
        const DWORD hidden = split_.style & ~static_cast<DWORD>(WS_VISIBLE);
        std::memcpy(split_.dialogTemplate.data() + split_.styleOffset, &hidden, sizeof hidden);
    }
    auto init = split_.controls.empty() ? std::vector<DlgInitRecord>{} : LoadDlgInit(instance_, name);
    if (!init) {
        status_ = E_INVALIDARG;  // as for a record that cannot be decoded
        return false;
    }
    init_ = std::move(*init);
    return true;
}

INT_PTR CControlDialog::DoModal(HWND parent) {
    status_ = S_OK;
    if (!PrepareTemplate()) return -1;
    modal_ = true;
    ended_ = false;
    result_ = 0;
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    HWND window = CreateDialogIndirectParamW(
        instance_, reinterpret_cast<LPCDLGTEMPLATEW>(split_.dialogTemplate.data()), owner, DialogProc,
        reinterpret_cast<LPARAM>(this));
    if (!window && SUCCEEDED(status_)) status_ = HRESULT_FROM_WIN32(GetLastError());
    if (FAILED(status_)) {
        if (window && IsWindow(window)) DestroyWindow(window);
        return -1;
    }
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    if (!ended_ && hwnd_ && !IsWindowVisible(window)) ShowWindow(window, SW_SHOWNORMAL);
    MSG message{};
    while (!ended_ && hwnd_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
            break;
        }
        if (got == -1) break;
        if (!PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner is enabled before the dialog goes, so that it becomes active.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (hwnd_) DestroyWindow(hwnd_);
    return result_;
}

bool CControlDialog::PreTranslate(MSG& message) {
    if (controls_.TranslateAccelerator(message)) return true;
    return hwnd_ && IsDialogMessageW(hwnd_, &message);
}

HWND CControlDialog::Create(HWND parent) {
    status_ = S_OK;
    if (!PrepareTemplate()) return nullptr;
    modal_ = false;
    HWND created = CreateDialogIndirectParamW(
        instance_, reinterpret_cast<LPCDLGTEMPLATEW>(split_.dialogTemplate.data()), parent, DialogProc,
        reinterpret_cast<LPARAM>(this));
    if (!created && SUCCEEDED(status_)) status_ = HRESULT_FROM_WIN32(GetLastError());
    if (FAILED(status_)) {
        if (created && IsWindow(created)) DestroyWindow(created);
        return nullptr;
    }
    return created;
}

void CControlDialog::EndDialog(INT_PTR result) {
    if (!hwnd_) return;
    if (modal_) {
        result_ = result;
        ended_ = true;
        // Wakes the loop should nothing else be pending.
        PostMessageW(hwnd_, WM_NULL, 0, 0);
    } else {
        DestroyWindow(hwnd_);
    }
}

bool CControlDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    // Enter, Esc and the close box end a dialog unless the dialog says otherwise.
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(LOWORD(wParam));
        result = 0;
        return true;
    }
    return false;
}

INT_PTR CALLBACK CControlDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CControlDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->hwnd_ = window;
    }
    auto* self = reinterpret_cast<CControlDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR CControlDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = hwnd_;
    if (message == WM_INITDIALOG) {
        status_ = controls_.CreateControls(window, split_, init_);
        if (FAILED(status_)) {
            // The dialog never shows: a modal one ends before it is made
            // visible, a modeless one is destroyed by Create.
            controls_.CloseAll();
            return FALSE;
        }
        const BOOL result = OnInitDialog();
        if (showWhenReady_ && hwnd_) ShowWindow(window, SW_SHOWNORMAL);
        return result;
    }
    LRESULT result = 0;
    const bool handled = HandleMessage(message, wParam, lParam, result);
    if (message == WM_DESTROY) controls_.CloseAll();  // the control windows still exist here
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        hwnd_ = nullptr;
    }
    if (!handled) return FALSE;
    switch (message) {
    // These answer through the procedure's own return value.
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return static_cast<INT_PTR>(result);
    default:
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
}
