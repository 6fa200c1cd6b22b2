#include "CNamedDispatch.h"

#include <cwctype>
#include <new>

#include "HResult.h"
#include "UniqueBstr.h"

namespace humichart {

namespace {

bool SameName(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b)
        if (std::towlower(*a) != std::towlower(*b)) return false;
    return *a == *b;
}

bool IsOmitted(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

}  // namespace

DispatchArgs::~DispatchArgs() {
    for (VARIANT& v : positional_) VariantClear(&v);
    VariantClear(&put_);
}

HRESULT DispatchArgs::Read(const DISPPARAMS* params, WORD flags) {
    if (!params) return S_OK;
    UINT named = params->cNamedArgs;
    UINT first = 0;  // rgvarg index of the first positional argument (they are stored last to first)
    if (named > 0) {
        if (named != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || !(flags & DISPATCH_PROPERTYPUT))
            return DISP_E_NONAMEDARGS;
        VariantInit(&put_);
        RETURN_IF_FAILED(VariantCopyInd(&put_, &params->rgvarg[0]));
        hasPut_ = true;
        first = 1;
    }
    for (UINT i = params->cArgs; i > first; --i) {
        VARIANT v;
        VariantInit(&v);
        RETURN_IF_FAILED(VariantCopyInd(&v, &params->rgvarg[i - 1]));
        positional_.push_back(v);
    }
    return S_OK;
}

const VARIANT* DispatchArgs::At(std::size_t index) const {
    if (index >= positional_.size() || IsOmitted(positional_[index])) return nullptr;
    return &positional_[index];
}

STDMETHODIMP CNamedDispatch::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CNamedDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP CNamedDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return S_OK;
    HRESULT hr = S_OK;
    ids[0] = DISPID_UNKNOWN;
    for (const DispatchMember& m : members_)
        if (names[0] && SameName(names[0], m.name)) ids[0] = m.id;
    if (ids[0] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {  // no named arguments
        ids[i] = DISPID_UNKNOWN;
        hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP CNamedDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                    EXCEPINFO* exception, UINT* argError) {
    if (argError) *argError = 0;
    bool known = false;
    for (const DispatchMember& m : members_) known = known || m.id == id;
    if (!known) return DISP_E_MEMBERNOTFOUND;
    if (result) VariantInit(result);
    HRESULT hr;
    // No C++ exception may cross the COM boundary: an allocation that fails
    // anywhere in a call (a workbook too large for the memory left) is the
    // call's status, and the caller shows it like any other failure.
    try {
        DispatchArgs args;
        RETURN_IF_FAILED(args.Read(params, flags));
        if (IsPut(flags) && !args.PutValue()) return DISP_E_PARAMNOTOPTIONAL;
        failCode_ = S_OK;
        hr = Call(id, flags, args, result);
    } catch (const std::bad_alloc&) {
        if (result) VariantClear(result);
        if (!exception) return E_OUTOFMEMORY;
        *exception = EXCEPINFO{};
        exception->bstrSource = SysAllocString(kWorkbookSource);
        exception->bstrDescription = SysAllocString(kNotEnoughMemory);
        exception->scode = E_OUTOFMEMORY;
        return DISP_E_EXCEPTION;
    }
    if (hr != DISP_E_EXCEPTION) return hr;
    if (exception) {
        *exception = EXCEPINFO{};
        exception->bstrSource = SysAllocString(kWorkbookSource);
        exception->bstrDescription =
            SysAllocStringLen(failDescription_.data(), static_cast<UINT>(failDescription_.size()));
        exception->scode = failCode_;
    }
    return DISP_E_EXCEPTION;
}

HRESULT CNamedDispatch::Fail(HRESULT code, std::wstring description) {
    failCode_ = code;
    failDescription_ = std::move(description);
    return DISP_E_EXCEPTION;
}

void SetTextResult(VARIANT* result, const std::wstring& text) {
    if (!result) return;
    VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

void SetBoolResult(VARIANT* result, bool value) {
    if (!result) return;
    VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

std::optional<std::wstring> TextArg(const VARIANT* value) {
    if (!value) return std::nullopt;
    if (value->vt == VT_BSTR) return std::wstring(value->bstrVal ? value->bstrVal : L"", SysStringLen(value->bstrVal));
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(value), 0, VT_BSTR))) return std::nullopt;
    std::wstring out(text.bstrVal ? text.bstrVal : L"", SysStringLen(text.bstrVal));
    VariantClear(&text);
    return out;
}

std::optional<long> LongArg(const VARIANT* value) {
    if (!value) return std::nullopt;
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(value), 0, VT_I4))) return std::nullopt;
    return number.lVal;
}

std::optional<bool> BoolArg(const VARIANT* value) {
    if (!value) return std::nullopt;
    VARIANT flag;
    VariantInit(&flag);
    if (FAILED(VariantChangeType(&flag, const_cast<VARIANT*>(value), 0, VT_BOOL))) return std::nullopt;
    return flag.boolVal != VARIANT_FALSE;
}

}  // namespace humichart
