// Status-code plumbing shared by every COM class.
#pragma once

#include <windows.h>

#include <new>
#include <stdexcept>

#define RETURN_IF_FAILED(expr)              \
    do {                                    \
        const HRESULT hr_ = (expr);         \
        if (FAILED(hr_)) return hr_;        \
    } while (0)

// The status of a Win32 call that reports through GetLastError or a LSTATUS.
inline HRESULT HResultFromStatus(LONG status) { return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status); }

// Runs body, which answers an HRESULT, and turns a C++ exception into a
// status: nothing may unwind through an export, a COM method or a window
// procedure into the platform's C code. Running out of memory (or asking for
// more than any container can hold) is E_OUTOFMEMORY; anything else,
// E_UNEXPECTED.
template <class Body>
HRESULT NoThrow(Body&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const std::length_error&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
