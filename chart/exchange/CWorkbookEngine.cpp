#include "CWorkbookEngine.h"

#include <new>

#include "CEngineApplication.h"

namespace humichart {

HRESULT CreateWorkbookApplication(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    engine::CEngineApplication* application = nullptr;
    try {
        application = new engine::CEngineApplication();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    IUnknown* unknown = application->InnerUnknown();
    const HRESULT hr = unknown->QueryInterface(riid, object);
    unknown->Release();
    return hr;
}

}  // namespace humichart
