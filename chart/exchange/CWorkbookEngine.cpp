#include "CWorkbookEngine.h"

#include <new>

#include "CEngineApplication.h"

namespace humichart {

HRESULT CreateWorkbookApplication(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* application = new (std::nothrow) engine::CEngineApplication();
    if (!application) return E_OUTOFMEMORY;
    IUnknown* unknown = application->InnerUnknown();
    const HRESULT hr = unknown->QueryInterface(riid, object);
    unknown->Release();
    return hr;
}

}  // namespace humichart
