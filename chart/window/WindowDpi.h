// The pixels per inch a window is drawn at, as its process sees them.
#pragma once

#include <windows.h>

namespace humichart {

// GetDpiForWindow where user32 has it (Windows 10 1607 and later, recent
// Wine): the window's monitor for a program that handles scaling per
// monitor, the system's for one that handles it once, 96 for one that leaves
// it to Windows. Elsewhere the LOGPIXELSY of the window's DC, which older
// systems answer the same way. 96 when neither answers.
int WindowDpi(HWND window);

// The notifications of a change, named here because older headers hide them:
// to a top-level window (with the rectangle Windows suggests in lParam) and,
// after it, to each of its children.
inline constexpr UINT kWmDpiChanged = 0x02E0;
inline constexpr UINT kWmDpiChangedAfterParent = 0x02E3;

}  // namespace humichart
