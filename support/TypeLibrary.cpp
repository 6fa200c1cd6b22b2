#include "TypeLibrary.h"

#include <mutex>

#include "ComModule.h"
#include "ComPtr.h"
#include "HResult.h"

namespace type_library {
namespace {

std::mutex g_lock;
ComPtr<ITypeLib> g_library;

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

}  // namespace type_library
