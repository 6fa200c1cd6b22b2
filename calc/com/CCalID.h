// CalID: the moist-air calculator as a COM object.  A thin shell over the
// core's operations; it keeps no calculation state of its own (pressure and
// tables are process-wide), only its reference count.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "ComObject.h"
#include "Humicalc_h.h"

class CCalID final : public ICalID, public IProvideClassInfo, public ComObjectRoot {
public:
    explicit CCalID(IUnknown* outer);

    static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv);

    COM_DELEGATING_IUNKNOWN

    // IDispatch.  Invoke is our own: scripting hosts pass output variables as
    // by-reference variants, which the platform's type-info Invoke will not
    // turn into a double*.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    // IProvideClassInfo.
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;

    // ICalID.
    STDMETHODIMP SetInit(double P) override;
    STDMETHODIMP ID_PQ_D(double D, double* PQ) override;
    STDMETHODIMP ID_D_PQ(double PQ, double* D) override;
    STDMETHODIMP ID_I_TS(double TS, double* I) override;
    STDMETHODIMP ID_I_T_F(double T, double F, double* I) override;
    STDMETHODIMP ID_I_T_D(double T, double D, double* I) override;
    STDMETHODIMP ID_I_D_F(double D, double F, double* I) override;
    STDMETHODIMP ID_D_T_TS(double T, double TS, double* D) override;
    STDMETHODIMP ID_D_T_F(double T, double F, double* D) override;
    STDMETHODIMP ID_D_T_I(double T, double I, double* D) override;
    STDMETHODIMP ID_D_F_TS(double F, double TS, double* D) override;
    STDMETHODIMP ID_D_I_F(double I, double F, double* D) override;
    STDMETHODIMP ID_F_T_TS(double T, double TS, double* F) override;
    STDMETHODIMP ID_F_T_I(double T, double I, double* F) override;
    STDMETHODIMP ID_F_D_I(double D, double I, double* F) override;
    STDMETHODIMP ID_F_T_D(double T, double D, double* F) override;
    STDMETHODIMP ID_F_D_TS(double D, double TS, double* F) override;
    STDMETHODIMP ID_TS_T_F(double T, double F, double* TS) override;
    STDMETHODIMP ID_TS_I(double I, double* TS) override;
    STDMETHODIMP ID_TS_T_D(double T, double D, double* TS) override;
    STDMETHODIMP ID_TS_D_F(double D, double F, double* TS) override;
    STDMETHODIMP ID_T_D_I(double D, double I, double* T) override;
    STDMETHODIMP ID_T_D_TS(double D, double TS, double* T) override;
    STDMETHODIMP ID_T_D_F(double D, double F, double* T) override;
    STDMETHODIMP ID_T_F_TS(double F, double TS, double* T) override;
    STDMETHODIMP ID_T_I_F(double I, double F, double* T) override;
    STDMETHODIMP ID_ROU_T_D(double T, double D, double* ROU) override;
    STDMETHODIMP ID_ROU_I_D(double I, double D, double* ROU) override;
    STDMETHODIMP ID_ROU_T_F(double T, double F, double* ROU) override;

private:
    void* FindOwnInterface(REFIID riid) override;
};
