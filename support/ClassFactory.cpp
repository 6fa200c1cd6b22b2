#include "ClassFactory.h"

#include "ComObject.h"
#include "HResult.h"

namespace {

class CClassFactory final : public IClassFactory, public ComObjectRoot {
public:
    CClassFactory(IUnknown* outer, const ClassEntry* entry) : ComObjectRoot(outer), entry_(entry) {}

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        return NoThrow([&] { return entry_->create(outer, riid, ppv); });
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock) com_module::Lock(); else com_module::Unlock();
        return S_OK;
    }

private:
    void* FindOwnInterface(REFIID riid) override { return FindInterface<IClassFactory>(this, riid); }
    const ClassEntry* entry_;
};

}  // namespace

HRESULT GetClassObjectFromTable(std::span<const ClassEntry> classes, REFCLSID clsid, REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    for (const ClassEntry& entry : classes) {
        if (!IsEqualCLSID(clsid, *entry.clsid)) continue;
        auto* factory = new (std::nothrow) CClassFactory(nullptr, &entry);
        if (!factory) return E_OUTOFMEMORY;
        IUnknown* inner = factory->InnerUnknown();
        const HRESULT hr = inner->QueryInterface(riid, ppv);
        inner->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}
