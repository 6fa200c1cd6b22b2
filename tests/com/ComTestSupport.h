// What the component tests share: an apartment per test, and the calculator
// created the way the chart binds it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "ComPtr.h"
#include "Humicalc_h.h"

class ApartmentTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

// Create with context 23, run, query ICalID, drop the IUnknown.
inline ComPtr<ICalID> BindCalculator() {
    ComPtr<IUnknown> unknown;
    if (FAILED(CoCreateInstance(CLSID_CalID, nullptr, 23, IID_IUnknown, unknown.PutVoid()))) return {};
    if (FAILED(OleRun(unknown.Get()))) return {};
    ComPtr<ICalID> calc;
    unknown.As(calc);
    return calc;
}
