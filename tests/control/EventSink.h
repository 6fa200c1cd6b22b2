// Receives the control's events and writes each down with its arguments.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "ComObject.h"
#include "Humichart_h.h"

class CEventSink final : public ComObjectRoot, public IDispatch {
public:
    CEventSink(IUnknown* outer) : ComObjectRoot(outer) {}

    std::vector<std::string> log;

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                        UINT*) override {
        std::string entry = "#" + std::to_string(id);
        if (!IsEqualIID(riid, IID_NULL) || !(flags & DISPATCH_METHOD)) entry += " (bad call)";
        if (id == 1 && params->cArgs == 1 && params->rgvarg[0].vt == VT_R8)
            entry = "OnInit(" + std::to_string(static_cast<long>(params->rgvarg[0].dblVal)) + ")";
        if (id == 2 && params->cArgs == 0) entry = "OnDestroy()";
        // 32-bit signed, as script and Basic handlers take them; anything
        // else is written down as the bad call it is.
        if (id == 3 && params->cArgs == 2 && params->rgvarg[0].vt == VT_I4 && params->rgvarg[1].vt == VT_I4)
            entry = "OnSize(" + std::to_string(params->rgvarg[1].lVal) + "," +
                    std::to_string(params->rgvarg[0].lVal) + ")";
        if (id == 4 && params->cArgs == 0) entry = "OnDataChanged()";
        log.push_back(entry);
        return S_OK;
    }

private:
    void* FindOwnInterface(REFIID riid) override {
        if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID__IHumichartCtlEvents))
            return static_cast<IDispatch*>(this);
        return nullptr;
    }
};
