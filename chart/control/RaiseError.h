// A failure of IHumichartCtl described for its caller: the description goes
// to the thread's error information (the control answers ISupportErrorInfo
// for the interface), which late-bound callers receive as the exception's
// description (Err.Description in a script). Answers status.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "ComPtr.h"
#include "Humichart_h.h"

namespace humichart {

inline HRESULT RaiseError(HRESULT status, const std::wstring& description) {
    ComPtr<ICreateErrorInfo> create;
    if (SUCCEEDED(CreateErrorInfo(create.Put()))) {
        create->SetGUID(IID_IHumichartCtl);
        create->SetSource(const_cast<LPOLESTR>(L"Humichart.HumichartCtl"));
        create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
        ComPtr<IErrorInfo> info;
        if (SUCCEEDED(create.As(info))) SetErrorInfo(0, info.Get());
    }
    return status;
}

}  // namespace humichart
