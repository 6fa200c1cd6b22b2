#include "ConnectionPoint.h"

void CConnectionPoint::ForEachSink(const std::function<void(IUnknown*)>& f) const {
    std::vector<ComPtr<IUnknown>> connected;
    connected.reserve(sinks_.size());
    for (const Sink& s : sinks_) connected.push_back(ComPtr<IUnknown>::Share(s.sink.Get()));
    for (const ComPtr<IUnknown>& sink : connected) f(sink.Get());
}

STDMETHODIMP CConnectionPoint::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

STDMETHODIMP CConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
    if (!container) return E_POINTER;
    *container = container_;
    container_->AddRef();
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // Keep the sink by the interface it promised, so that the calls made on it
    // later reach that interface even through a proxy.
    ComPtr<IUnknown> held;
    if (FAILED(sink->QueryInterface(iid_, held.PutVoid())) || !held) return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.push_back({*cookie, std::move(held)});
    return S_OK;
}

STDMETHODIMP CConnectionPoint::Unadvise(DWORD cookie) {
    for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
        if (it->cookie != cookie) continue;
        // Released after the list no longer holds it: the release may call back.
        ComPtr<IUnknown> gone = std::move(it->sink);
        sinks_.erase(it);
        return S_OK;
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP CConnectionPoint::EnumConnections(IEnumConnections** connections) {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    return E_NOTIMPL;
}
