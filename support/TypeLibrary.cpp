#include "TypeLibrary.h"

#include <mutex>
#include <utility>
#include <vector>

#include "ComModule.h"
#include "ComPtr.h"
#include "HResult.h"

namespace type_library {
namespace {

std::mutex g_lock;
ComPtr<ITypeLib> g_library;

// The type a reference standing in for an [out] parameter must carry, or
// VT_EMPTY where none is needed or none can stand in: a VARIANT output takes
// the caller's reference as it is, and a DECIMAL does not fit where a
// VARIANT keeps its value.
VARTYPE OutputType(const ELEMDESC& parameter) {
    const USHORT flags = parameter.paramdesc.wParamFlags;
    if (!(flags & PARAMFLAG_FOUT) || (flags & PARAMFLAG_FRETVAL)) return VT_EMPTY;
    const TYPEDESC& type = parameter.tdesc;
    if (type.vt != VT_PTR || !type.lptdesc) return VT_EMPTY;
    switch (const VARTYPE target = type.lptdesc->vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: case VT_ERROR:
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN:
        return target;
    default:
        return VT_EMPTY;
    }
}

// The parameter that argument k stands for: named arguments come first,
// then the positional ones, last first.
int ParameterOf(const DISPPARAMS& params, UINT k) {
    if (k < params.cNamedArgs) return params.rgdispidNamedArgs ? params.rgdispidNamedArgs[k] : -1;
    return static_cast<int>(params.cArgs - 1 - k);
}

// Calls use with the description of each function of the member that id
// and flags call.
template <class Use>
void ForEachFunction(ITypeInfo* info, DISPID id, WORD flags, Use&& use) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return;
    for (UINT i = 0; i < attributes->cFuncs; ++i) {
        FUNCDESC* function = nullptr;
        if (FAILED(info->GetFuncDesc(i, &function))) continue;
        if (function->memid == id && (function->invkind & flags)) use(*function);
        info->ReleaseFuncDesc(function);
    }
    info->ReleaseTypeAttr(attributes);
}

// Whether the member takes as many arguments as params holds (a return value
// is not an argument). Wine runs a member given more arguments than it has,
// where Windows refuses: a late-bound caller's mistake must not clear a list.
// An unknown member is the type information's to refuse.
bool ArgumentCountFits(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS& params) {
    bool member = false, fits = false;
    ForEachFunction(info, id, flags, [&](const FUNCDESC& function) {
        member = true;
        UINT inputs = 0;
        for (SHORT p = 0; p < function.cParams; ++p)
            if (!(function.lprgelemdescParam[p].paramdesc.wParamFlags & PARAMFLAG_FRETVAL)) ++inputs;
        fits = fits || params.cArgs <= inputs;
    });
    return fits || !member;
}

// Points every by-reference VARIANT argument for an [out] parameter of the
// member at a value of the parameter's own type in values. Answers whether
// it found any.
bool TypeOutputs(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS& params, std::vector<VARIANT>& args,
                 std::vector<VARIANT>& values) {
    bool seen = false, typed = false;
    ForEachFunction(info, id, flags, [&](const FUNCDESC& function) {
        if (std::exchange(seen, true)) return;
        for (UINT k = 0; k < params.cArgs; ++k) {
            const int p = ParameterOf(params, k);
            if (args[k].vt != (VT_BYREF | VT_VARIANT) || !args[k].pvarVal || p < 0 || p >= function.cParams)
                continue;
            const VARTYPE type = OutputType(function.lprgelemdescParam[p]);
            if (type == VT_EMPTY) continue;
            values[k].vt = type;
            args[k].vt = VT_BYREF | type;
            args[k].byref = &values[k].llVal;  // where a VARIANT keeps a value of any of those types
            typed = true;
        }
    });
    return typed;
}

// Script hosts and Basic hold no unsigned and no 64-bit integers: such a
// value handed back to a late-bound caller becomes a long, or a double where
// it does not fit one.
void ToAutomationType(VARIANT& value) {
    switch (value.vt) {
    case VT_I1: case VT_UI2: case VT_UI4: case VT_UINT: case VT_INT: case VT_I8: case VT_UI8:
        if (FAILED(VariantChangeType(&value, &value, 0, VT_I4))) VariantChangeType(&value, &value, 0, VT_R8);
        break;
    default:
        break;
    }
}

}  // namespace

HRESULT GetTypeInfo(REFGUID guid, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return NoThrow([&] {
        std::lock_guard<std::mutex> hold(g_lock);
        if (!g_library) {
            const HRESULT hr = LoadTypeLibEx(com_module::Path().c_str(), REGKIND_NONE, g_library.Put());
            if (FAILED(hr)) return hr;
        }
        return g_library->GetTypeInfoOfGuid(guid, info);
    });
}

HRESULT Invoke(void* object, ITypeInfo* info, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* exception, UINT* argError) {
    if (info && params && !ArgumentCountFits(info, id, flags, *params)) return DISP_E_BADPARAMCOUNT;
    return NoThrow([&] {
        DISPPARAMS typed = params ? *params : DISPPARAMS{};
        std::vector<VARIANT> args, values;  // values[k] VT_EMPTY: argument k goes as it came
        if (info && typed.cArgs && typed.rgvarg && typed.cNamedArgs <= typed.cArgs &&
            (!typed.cNamedArgs || typed.rgdispidNamedArgs)) {
            args.assign(typed.rgvarg, typed.rgvarg + typed.cArgs);
            values.resize(typed.cArgs);
            if (TypeOutputs(info, id, flags, typed, args, values)) typed.rgvarg = args.data();
        }
        const HRESULT hr = DispInvoke(object, info, id, flags, params ? &typed : nullptr, result, exception, argError);
        for (UINT k = 0; k < values.size(); ++k) {
            if (values[k].vt == VT_EMPTY) continue;
            if (FAILED(hr)) {
                VariantClear(&values[k]);
                continue;
            }
            ToAutomationType(values[k]);
            VARIANT* variable = params->rgvarg[k].pvarVal;
            VariantClear(variable);
            *variable = values[k];
        }
        if (SUCCEEDED(hr) && result) ToAutomationType(*result);
        return hr;
    });
}

}  // namespace type_library
