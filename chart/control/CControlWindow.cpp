#include "CControlWindow.h"

#include "ModuleInstance.h"

namespace humichart {

HWND CControlWindow::Create(HWND parent, const RECT& rect) {
    return CWindowBase::Create(ThisModuleInstance(), L"HumichartCtlWindow", parent, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, rect);
}

void CControlWindow::Destroy() {
    if (Hwnd()) DestroyWindow(Hwnd());
}

bool CControlWindow::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CREATE:
        m_owner.OnControlWindowCreated(Hwnd());
        result = 0;
        return true;
    case WM_SIZE:
        m_owner.OnControlWindowSized(LOWORD(lParam), HIWORD(lParam));
        result = 0;
        return true;
    case WM_SETFOCUS:
        // The chart window takes the keys; a container that tabs to the
        // control gives the focus to this window.
        if (HWND chart = GetWindow(Hwnd(), GW_CHILD)) SetFocus(chart);
        result = 0;
        return true;
    case WM_ERASEBKGND:
        // The chart window covers the whole client area.
        result = 1;
        return true;
    case WM_DESTROY:
        m_owner.OnControlWindowDestroying();
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace humichart
