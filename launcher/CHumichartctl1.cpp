#include "CHumichartctl1.h"

// {CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}
const CLSID CHumichartctl1::ClassId = {0xCB3BFDC9, 0x32B5, 0x4E4F, {0x9A, 0x2D, 0x21, 0x61, 0x47, 0x11, 0xE4, 0x4C}};

bool CHumichartctl1::Bind(HWND dialog, int id, CControlContainer& controls) {
    window_ = GetDlgItem(dialog, id);
    controls_ = &controls;
    id_ = static_cast<DWORD>(id);
    return window_ != nullptr;
}

HRESULT CHumichartctl1::Create(HWND parent, const RECT& rect, int id, DWORD style, CControlContainer& controls) {
    const HRESULT hr = controls.CreateControl(parent, ClassId, static_cast<DWORD>(id), style, rect);
    if (SUCCEEDED(hr)) Bind(parent, id, controls);
    return hr;
}

void CHumichartctl1::MoveWindow(int x, int y, int width, int height, bool repaint) {
    // The site is looked up each time: it goes when the dialog closes its controls.
    if (CControlSite* site = controls_ ? controls_->Find(id_) : nullptr) {
        site->Move(RECT{x, y, x + width, y + height}, repaint);
    } else if (window_) {
        ::MoveWindow(window_, x, y, width, height, repaint);
    }
}
