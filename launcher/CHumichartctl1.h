// The window wrapper of the chart control in Humistart's main dialog. It is
// bound to the control that the dialog's template created; moving it moves the
// control through its site, so that the control's extent follows its window.
#pragma once

#include <windows.h>

#include "ControlContainer.h"

class CHumichartctl1 {
public:
    // The chart control's class id, for creating the control by code.
    static const CLSID ClassId;

    // Binds to the dialog's item id; false when the dialog has no such item.
    bool Bind(HWND dialog, int id, CControlContainer& controls);
    // Creates the control by code inside parent (rect in client pixels).
    HRESULT Create(HWND parent, const RECT& rect, int id, DWORD style, CControlContainer& controls);

    HWND Hwnd() const { return window_; }
    void MoveWindow(int x, int y, int width, int height, bool repaint);

private:
    HWND window_ = nullptr;
    CControlContainer* controls_ = nullptr;
    DWORD id_ = 0;
};
