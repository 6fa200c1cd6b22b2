#include "CComCalcBinding.h"

#include <ole2.h>

#include "CComCalcSession.h"
#include "ComPtr.h"
#include "Humicalc_h.h"

namespace humichart {

Status CComCalcBinding::Open(double airPressure, std::unique_ptr<ICalcSession>& session) {
    // CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
    // CLSCTX_REMOTE_SERVER: whatever server the registry offers.
    constexpr DWORD kAnyServer = 23;
    ComPtr<ICalID> calc;
    {
        ComPtr<IUnknown> unknown;
        HRESULT hr = CoCreateInstance(CLSID_CalID, nullptr, kAnyServer, IID_IUnknown,
                                      unknown.PutVoid());
        if (FAILED(hr)) return hr;
        if (!unknown) return E_POINTER;
        hr = OleRun(unknown.Get());
        if (FAILED(hr)) return hr;
        hr = unknown->QueryInterface(IID_ICalID, calc.PutVoid());
        if (FAILED(hr)) return hr;
        if (!calc) return E_NOINTERFACE;
    }
    // A new calculator resets the process-wide pressure to 101325 Pa.
    const HRESULT hr = calc->SetInit(airPressure);
    if (FAILED(hr)) return hr;
    session = std::make_unique<CComCalcSession>(std::move(calc));
    return S_OK;
}

}  // namespace humichart
