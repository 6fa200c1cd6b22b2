#include "WindowBase.h"

CWindowBase::~CWindowBase() {
    if (hwnd_) {
        HWND window = hwnd_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(window);
    }
}

HWND CWindowBase::Create(HINSTANCE instance, const wchar_t* className, HWND parent,
                         const wchar_t* title, DWORD style, DWORD exStyle, const RECT& rect,
                         HMENU menuOrId) {
    if (hwnd_) return nullptr;
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (!GetClassInfoExW(instance, className, &known)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    }
    return CreateWindowExW(exStyle, className, title, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                           instance, this);
}

bool CWindowBase::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK CWindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindowBase* self;
    if (message == WM_NCCREATE) {
        self = static_cast<CWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);

    LRESULT result = 0;
    // Nothing unwinds into the window manager: a handler that throws (out of
    // memory, say) leaves the message to the default treatment.
    bool handled = false;
    try {
        handled = self->HandleMessage(message, wParam, lParam, result);
    } catch (...) {
        handled = false;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return handled ? result : DefWindowProcW(window, message, wParam, lParam);
}
