// What the container and launcher tests share: an OLE apartment per test,
// a message pump with a deadline, and the dialogs under test made modeless.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <functional>

#include "ControlDialog.h"
#include "TestControl.h"

class OleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
        ControlLog() = TestControlLog{};
        SetTestControlMiscStatus(0);
    }
    void TearDown() override { OleUninitialize(); }
};

// Dispatches messages until done() holds or the deadline passes; answers done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Lets everything already queued run.
inline void PumpPending() {
    PumpUntil([] { return false; }, 100);
}

// A container dialog of the test resources, as a plain instance.
class TestDialog : public CControlDialog {
public:
    explicit TestDialog(UINT templateId, AmbientProperties ambient = {})
        : CControlDialog(GetModuleHandleW(nullptr), templateId, std::move(ambient)) {}
};

inline RECT ChildRect(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }
inline void PrintTo(const RECT& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
