// The chart's automation members, called late-bound by name through
// IDispatch as a VBA host calls them, so that Humistart depends on no vtable
// of the control. A failed call leaves the message the user is to see: the
// chart's own description where it gives one.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "ComPtr.h"

class CChartAutomation {
public:
    void Attach(IDispatch* chart) { chart_ = ComPtr<IDispatch>::Share(chart); }
    void Detach() { chart_.Reset(); }
    bool Attached() const { return static_cast<bool>(chart_); }

    // Calls method name with args in their written order; result may be null.
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> args, VARIANT* result = nullptr);
    HRESULT Get(const wchar_t* name, VARIANT* result);
    HRESULT Put(const wchar_t* name, VARIANT value);

    // A boolean property, read; false when it cannot be read.
    bool Flag(const wchar_t* name);
    // The chart's state bits of one of its commands (1: it can run, 2: it is
    // checked); 0 when the chart cannot tell.
    long CommandState(long command);

    // Why the last failed call failed, in words for the user.
    const std::wstring& Error() const { return error_; }

    static VARIANT Text(BSTR text);
    static VARIANT Long(long value);
    static VARIANT Bool(bool value);

private:
    HRESULT Invoke(const wchar_t* name, WORD flags, std::vector<VARIANT>& args, VARIANT* result);

    ComPtr<IDispatch> chart_;
    std::wstring error_;
};
