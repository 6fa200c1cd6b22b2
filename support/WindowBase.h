// A plain window of a class registered by the program, whose messages arrive
// at one virtual handler. The object pointer travels in WM_NCCREATE and is
// kept in GWLP_USERDATA, so no code thunks are needed.
#pragma once

#include <windows.h>

class CWindowBase {
public:
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;
    // Destroys the window when it is still there.
    virtual ~CWindowBase();

    // Registers className in instance on first use (arrow cursor, no
    // background brush: the handler paints) and creates the window.
    HWND Create(HINSTANCE instance, const wchar_t* className, HWND parent, const wchar_t* title,
                DWORD style, DWORD exStyle, const RECT& rect, HMENU menuOrId = nullptr);

    HWND Hwnd() const { return hwnd_; }

protected:
    CWindowBase() = default;

    // One message; answer true when handled, with result what the window
    // procedure returns. Unhandled messages go to DefWindowProc.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After WM_NCDESTROY; Hwnd() is already null.
    virtual void OnFinalMessage() {}

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};
