#include "CHumichartPersist.h"
#include "HResult.h"

#include "CPropertyStreamCodec.h"
#include "CStreamByteSink.h"
#include "CStreamByteSource.h"
#include "ComPtr.h"
#include "Humichart_h.h"

namespace humichart {

namespace {
const wchar_t kContents[] = L"Contents";
}

STDMETHODIMP CHumichartPersist::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_HumichartCtl;
    return S_OK;
}

// The property setters never mark the control modified, so there is never
// anything unsaved to report.
STDMETHODIMP CHumichartPersist::IsDirty() { return S_FALSE; }

STDMETHODIMP CHumichartPersist::Load(LPSTREAM stream) {
    if (!stream) return E_POINTER;
    return NoThrow([&] {
        CStreamByteSource source(stream);
        return CPropertyStreamCodec::Read(source, m_properties);
    });
}

STDMETHODIMP CHumichartPersist::Save(LPSTREAM stream, BOOL) {
    if (!stream) return E_POINTER;
    return NoThrow([&] {
        CStreamByteSink sink(stream);
        return CPropertyStreamCodec::Write(m_properties, sink);
    });
}

STDMETHODIMP CHumichartPersist::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    size->QuadPart = CPropertyStreamCodec::kStreamSize;
    return S_OK;
}

// A new control starts from the copies' initial values, which it already holds.
STDMETHODIMP CHumichartPersist::InitNew() { return S_OK; }

STDMETHODIMP CHumichartPersist::InitNew(IStorage* storage) { return storage ? S_OK : E_POINTER; }

STDMETHODIMP CHumichartPersist::Load(IStorage* storage) {
    if (!storage) return E_POINTER;
    ComPtr<IStream> stream;
    const HRESULT hr =
        storage->OpenStream(kContents, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, stream.Put());
    if (FAILED(hr)) return hr;
    return Load(stream.Get());
}

STDMETHODIMP CHumichartPersist::Save(IStorage* storage, BOOL) {
    if (!storage) return E_POINTER;
    ComPtr<IStream> stream;
    const HRESULT hr = storage->CreateStream(kContents, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                             stream.Put());
    if (FAILED(hr)) return hr;
    return Save(stream.Get(), TRUE);
}

STDMETHODIMP CHumichartPersist::SaveCompleted(IStorage*) { return S_OK; }

STDMETHODIMP CHumichartPersist::HandsOffStorage() { return S_OK; }

}  // namespace humichart
