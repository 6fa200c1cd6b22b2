#include "CCalID.h"

#include "CalcOperations.h"
#include "Humicalc.h"
#include "SatTables.h"
#include "TypeLibrary.h"

namespace {

HRESULT Answer(double* out, double value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

// One input argument as a double: by value or by reference, any numeric type,
// numeric text.
HRESULT ArgumentToDouble(const VARIANT& arg, LCID lcid, double& value) {
    const VARIANT* source = arg.vt == (VT_BYREF | VT_VARIANT) ? arg.pvarVal : &arg;
    if (!source) return DISP_E_TYPEMISMATCH;
    if (source->vt == VT_ERROR && source->scode == DISP_E_PARAMNOTFOUND) return DISP_E_PARAMNOTOPTIONAL;
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr = VariantChangeTypeEx(&converted, const_cast<VARIANT*>(source), lcid, 0, VT_R8);
    if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
    value = converted.dblVal;
    return S_OK;
}

bool IsOutputSlot(const VARIANT& arg) {
    return (arg.vt == (VT_BYREF | VT_R8) && arg.pdblVal) || (arg.vt == (VT_BYREF | VT_VARIANT) && arg.pvarVal);
}

void WriteOutput(VARIANT& arg, double value) {
    if (arg.vt == (VT_BYREF | VT_R8)) {
        *arg.pdblVal = value;
        return;
    }
    VariantClear(arg.pvarVal);
    arg.pvarVal->vt = VT_R8;
    arg.pvarVal->dblVal = value;
}

}  // namespace

CCalID::CCalID(IUnknown* outer) : ComObjectRoot(outer) {
    // Every new calculator starts at standard pressure, for every object in
    // the process: the tables are shared.
    humicalc::BuildSatEnthalpy(101325.0);
}

HRESULT CCalID::Create(IUnknown* outer, REFIID riid, void** ppv) { return CreateComObject<CCalID>(outer, riid, ppv); }

void* CCalID::FindOwnInterface(REFIID riid) {
    return FindInterface<ICalID, Via<IDispatch, ICalID>, IProvideClassInfo>(this, riid);
}

STDMETHODIMP CCalID::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CCalID::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return type_library::GetTypeInfo(IID_ICalID, info);
}

STDMETHODIMP CCalID::GetClassInfo(ITypeInfo** info) { return type_library::GetTypeInfo(CLSID_CalID, info); }

STDMETHODIMP CCalID::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const DISPID member = FindCalcOperation(names[0]);
    if (member == 0) return DISP_E_UNKNOWNNAME;
    ids[0] = member;
    // Further names are parameter names: their position in the call.
    const CalcOperation& op = CalcOperations()[member - 1];
    HRESULT hr = S_OK;
    for (UINT i = 1; i < count; ++i) {
        for (DISPID p = 0; p < 3 && op.params[p]; ++p)
            if (names[i] && _wcsicmp(names[i], op.params[p]) == 0) ids[i] = p;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP CCalID::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                            EXCEPINFO*, UINT* argError) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const auto operations = CalcOperations();
    if (id < 1 || id > static_cast<DISPID>(operations.size()) || !(flags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (!params || (params->cArgs && !params->rgvarg)) return E_INVALIDARG;
    const CalcOperation& op = operations[id - 1];
    const UINT wanted = static_cast<UINT>(op.inputs) + (op.compute ? 1 : 0);
    if (params->cArgs != wanted) return DISP_E_BADPARAMCOUNT;
    if (params->cNamedArgs > params->cArgs || (params->cNamedArgs && !params->rgdispidNamedArgs))
        return E_INVALIDARG;

    // Place every argument at its parameter position: named ones first in
    // rgvarg, then the positional ones in reverse order.
    UINT slot[3] = {};
    bool filled[3] = {};
    const auto fail = [argError](UINT at, HRESULT hr) {
        if (argError) *argError = at;
        return hr;
    };
    for (UINT j = 0; j < params->cNamedArgs; ++j) {
        const DISPID p = params->rgdispidNamedArgs[j];
        if (p < 0 || p >= static_cast<DISPID>(wanted) || filled[p]) return fail(j, DISP_E_PARAMNOTFOUND);
        slot[p] = j;
        filled[p] = true;
    }
    for (UINT p = 0, positional = params->cArgs - params->cNamedArgs; positional > 0; ++p) {
        if (filled[p]) continue;
        slot[p] = params->cNamedArgs + --positional;
        filled[p] = true;
    }

    double in[2] = {};
    for (int p = 0; p < op.inputs; ++p) {
        const HRESULT hr = ArgumentToDouble(params->rgvarg[slot[p]], lcid, in[p]);
        if (FAILED(hr)) return fail(slot[p], hr);
    }
    if (!op.compute) {
        humicalc::SetInit(in[0]);
    } else {
        VARIANT& out = params->rgvarg[slot[op.inputs]];
        if (!IsOutputSlot(out)) return fail(slot[op.inputs], DISP_E_TYPEMISMATCH);
        WriteOutput(out, op.compute(in));
    }
    if (result) VariantInit(result);
    return S_OK;
}

STDMETHODIMP CCalID::SetInit(double P) {
    humicalc::SetInit(P);
    return S_OK;
}

#define CALID_OP1(f, a, r) \
    STDMETHODIMP CCalID::f(double a, double* r) { return Answer(r, humicalc::f(a)); }
#define CALID_OP2(f, a, b, r) \
    STDMETHODIMP CCalID::f(double a, double b, double* r) { return Answer(r, humicalc::f(a, b)); }

CALID_OP1(ID_PQ_D, D, PQ)
CALID_OP1(ID_D_PQ, PQ, D)
CALID_OP1(ID_I_TS, TS, I)
CALID_OP2(ID_I_T_F, T, F, I)
CALID_OP2(ID_I_T_D, T, D, I)
CALID_OP2(ID_I_D_F, D, F, I)
CALID_OP2(ID_D_T_TS, T, TS, D)
CALID_OP2(ID_D_T_F, T, F, D)
CALID_OP2(ID_D_T_I, T, I, D)
CALID_OP2(ID_D_F_TS, F, TS, D)
CALID_OP2(ID_D_I_F, I, F, D)
CALID_OP2(ID_F_T_TS, T, TS, F)
CALID_OP2(ID_F_T_I, T, I, F)
CALID_OP2(ID_F_D_I, D, I, F)
CALID_OP2(ID_F_T_D, T, D, F)
CALID_OP2(ID_F_D_TS, D, TS, F)
CALID_OP2(ID_TS_T_F, T, F, TS)
CALID_OP1(ID_TS_I, I, TS)
CALID_OP2(ID_TS_T_D, T, D, TS)
CALID_OP2(ID_TS_D_F, D, F, TS)
CALID_OP2(ID_T_D_I, D, I, T)
CALID_OP2(ID_T_D_TS, D, TS, T)
CALID_OP2(ID_T_D_F, D, F, T)
CALID_OP2(ID_T_F_TS, F, TS, T)
CALID_OP2(ID_T_I_F, I, F, T)
CALID_OP2(ID_ROU_T_D, T, D, ROU)
CALID_OP2(ID_ROU_I_D, I, D, ROU)
CALID_OP2(ID_ROU_T_F, T, F, ROU)
