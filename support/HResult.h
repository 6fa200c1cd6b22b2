// Status-code plumbing shared by every COM class.
#pragma once

#include <windows.h>

#define RETURN_IF_FAILED(expr)              \
    do {                                    \
        const HRESULT hr_ = (expr);         \
        if (FAILED(hr_)) return hr_;        \
    } while (0)

// The status of a Win32 call that reports through GetLastError or a LSTATUS.
inline HRESULT HResultFromStatus(LONG status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }
