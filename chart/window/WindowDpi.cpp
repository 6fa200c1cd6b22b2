#include "WindowDpi.h"

namespace humichart {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: linking it would keep the control from loading on systems
// that lack it.
GetDpiForWindowFn DpiForWindow() {
    static const GetDpiForWindowFn function = [] {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                            reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return function;
}

}  // namespace

int WindowDpi(HWND window) {
    if (const GetDpiForWindowFn function = DpiForWindow()) {
        const UINT dpi = function(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(window, dc);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace humichart
