#include "CChartAutomation.h"

#include <algorithm>
#include <cstdio>

#include "HumistartResource.h"
#include "ResourceString.h"
#include "UniqueBstr.h"

namespace {

// What a failure without a description of its own says.
std::wstring Describe(HRESULT status) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring described(text ? text : L"", length);
    if (text) LocalFree(text);
    while (!described.empty() && (described.back() == L'\n' || described.back() == L'\r' || described.back() == L' '))
        described.pop_back();
    if (!described.empty()) return described;
    std::wstring message = humichart::LoadResourceString(IDS_CHART_FAILED);
    wchar_t code[16];
    std::swprintf(code, 16, L"%08lX", static_cast<unsigned long>(status));
    const size_t at = message.find(L"%08X");
    if (at != std::wstring::npos) message.replace(at, 4, code);
    return message;
}

}  // namespace

VARIANT CChartAutomation::Text(BSTR text) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = text;
    return value;
}

VARIANT CChartAutomation::Long(long value) {
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_I4;
    result.lVal = value;
    return result;
}

VARIANT CChartAutomation::Bool(bool value) {
    VARIANT result;
    VariantInit(&result);
    result.vt = VT_BOOL;
    result.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return result;
}

HRESULT CChartAutomation::Invoke(const wchar_t* name, WORD flags, std::vector<VARIANT>& args, VARIANT* result) {
    error_.clear();
    HRESULT status = E_UNEXPECTED;
    if (chart_) {
        DISPID id = DISPID_UNKNOWN;
        auto* names = const_cast<LPOLESTR>(name);
        status = chart_->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
        if (SUCCEEDED(status)) {
            // Dispatch arguments go last first.
            std::reverse(args.begin(), args.end());
            DISPID putId = DISPID_PROPERTYPUT;
            DISPPARAMS params{args.data(), flags == DISPATCH_PROPERTYPUT ? &putId : nullptr,
                              static_cast<UINT>(args.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
            EXCEPINFO exception{};
            UINT argumentError = 0;
            // A description left over from an earlier failure must not be
            // taken for this call's.
            SetErrorInfo(0, nullptr);
            status =
                chart_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, &exception, &argumentError);
            if (status == DISP_E_EXCEPTION) {
                if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
                UniqueBstr description, source, help;
                description.Reset(exception.bstrDescription);
                source.Reset(exception.bstrSource);
                help.Reset(exception.bstrHelpFile);
                error_ = description.View();
                status = exception.scode ? exception.scode : E_FAIL;
            } else if (FAILED(status)) {
                ComPtr<IErrorInfo> info;
                UniqueBstr description;
                if (GetErrorInfo(0, info.Put()) == S_OK && info && SUCCEEDED(info->GetDescription(description.Put())))
                    error_ = description.View();
            }
        }
    }
    if (FAILED(status) && error_.empty()) error_ = Describe(status);
    return status;
}

HRESULT CChartAutomation::Call(const wchar_t* name, std::vector<VARIANT> args, VARIANT* result) {
    return Invoke(name, DISPATCH_METHOD, args, result);
}

HRESULT CChartAutomation::Get(const wchar_t* name, VARIANT* result) {
    std::vector<VARIANT> none;
    return Invoke(name, DISPATCH_PROPERTYGET, none, result);
}

HRESULT CChartAutomation::Put(const wchar_t* name, VARIANT value) {
    std::vector<VARIANT> args{value};
    return Invoke(name, DISPATCH_PROPERTYPUT, args, nullptr);
}

bool CChartAutomation::Flag(const wchar_t* name) {
    VARIANT value;
    VariantInit(&value);
    const bool set = SUCCEEDED(Get(name, &value)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BOOL)) &&
                     value.boolVal != VARIANT_FALSE;
    VariantClear(&value);
    return set;
}

long CChartAutomation::CommandState(long command) {
    VARIANT value;
    VariantInit(&value);
    long state = 0;
    if (SUCCEEDED(Call(L"CommandState", {Long(command)}, &value)) &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_I4)))
        state = value.lVal;
    VariantClear(&value);
    return state;
}
