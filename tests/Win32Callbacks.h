// Captureless lambdas as Win32 callbacks. A lambda converts to a pointer to a
// function of the default calling convention, which on 32-bit Windows is not
// the stdcall that WNDENUMPROC and DLGPROC are; these thunks call the lambda
// (default-constructed: it captures nothing) from a function that is.
#pragma once

#include <windows.h>

namespace humichart::test {

template <typename Lambda>
BOOL CALLBACK EnumThunk(HWND window, LPARAM param) {
    return Lambda{}(window, param);
}

template <typename Lambda>
INT_PTR CALLBACK DialogThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Lambda{}(window, message, wParam, lParam);
}

template <typename Lambda>
WNDENUMPROC AsEnumProc(Lambda) {
    return &EnumThunk<Lambda>;
}

template <typename Lambda>
DLGPROC AsDlgProc(Lambda) {
    return &DialogThunk<Lambda>;
}

}  // namespace humichart::test
