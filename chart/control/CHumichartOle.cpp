#include "CHumichartOle.h"

#include <cwchar>

#include "Humichart_h.h"

namespace humichart {

void CHumichartOle::Shutdown() {
    InPlaceDeactivate();
    m_viewSink.Reset();
    m_adviseHolder.Reset();
    m_clientSite.Reset();
}

// IOleObject

STDMETHODIMP CHumichartOle::SetClientSite(IOleClientSite* site) {
    m_clientSite = ComPtr<IOleClientSite>::Share(site);
    return S_OK;
}

STDMETHODIMP CHumichartOle::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = ComPtr<IOleClientSite>::Share(m_clientSite.Get()).Detach();
    return S_OK;
}

STDMETHODIMP CHumichartOle::Close(DWORD) {
    InPlaceDeactivate();
    if (m_adviseHolder) m_adviseHolder->SendOnClose();
    return S_OK;
}

STDMETHODIMP CHumichartOle::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CHumichartOle::GetClipboardData(DWORD, IDataObject** data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CHumichartOle::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND parent,
                                   LPCRECT position) {
    switch (verb) {
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_SHOW:
        return ActivateInPlace(activeSite, parent, position, false);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_UIACTIVATE:
        return ActivateInPlace(activeSite, parent, position, true);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (HWND window = m_owner.ControlWindow()) ShowWindow(window, SW_HIDE);
        return S_OK;
    default:
        return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

HRESULT CHumichartOle::ActivateInPlace(IOleClientSite* activeSite, HWND, LPCRECT, bool uiActivate) {
    IOleClientSite* site = activeSite ? activeSite : m_clientSite.Get();
    if (!site) return E_UNEXPECTED;
    if (!m_inPlaceSite) {
        ComPtr<IOleInPlaceSite> inPlace;
        if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlace.PutVoid())) || !inPlace) return E_NOINTERFACE;
        if (inPlace->CanInPlaceActivate() != S_OK) return E_FAIL;
        m_inPlaceSite = std::move(inPlace);
        m_inPlaceSite->OnInPlaceActivate();
    }
    HWND parent = nullptr;
    HRESULT hr = m_inPlaceSite->GetWindow(&parent);
    if (FAILED(hr)) return hr;
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    hr = m_inPlaceSite->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &frameInfo);
    if (FAILED(hr)) return hr;
    if (!m_owner.ControlWindow()) {
        if (!m_owner.CreateControlWindow(parent, position)) return E_FAIL;
    } else {
        SetObjectRects(&position, &clip);
        ShowWindow(m_owner.ControlWindow(), SW_SHOW);
    }
    if (uiActivate) {
        UIActivate(frame.Get(), document.Get());
        // A UI-active control has the focus; the control window hands it on
        // to the chart.
        HWND window = m_owner.ControlWindow();
        if (window && !IsChild(window, GetFocus())) SetFocus(window);
    }
    return S_OK;
}

void CHumichartOle::UIActivate(IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) {
    if (m_uiActive || !m_inPlaceSite) return;
    m_uiActive = true;
    m_inPlaceSite->OnUIActivate();
    auto* active = static_cast<IOleInPlaceActiveObject*>(this);
    if (frame) frame->SetActiveObject(active, nullptr);
    if (document) document->SetActiveObject(active, nullptr);
}

void CHumichartOle::OnChartFocus(bool gotFocus) {
    if (gotFocus && !m_uiActive && m_inPlaceSite) {
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        if (SUCCEEDED(m_inPlaceSite->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &frameInfo)))
            UIActivate(frame.Get(), document.Get());
    }
    ComPtr<IOleControlSite> site;
    if (m_clientSite && SUCCEEDED(m_clientSite->QueryInterface(IID_IOleControlSite, site.PutVoid())) && site)
        site->OnFocus(gotFocus ? TRUE : FALSE);
}

// IOleInPlaceActiveObject

STDMETHODIMP CHumichartOle::TranslateAccelerator(LPMSG message) {
    if (!message) return E_INVALIDARG;
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST) return S_FALSE;
    if (m_owner.TranslateChartKey(*message)) return S_OK;
    // Keys the chart does not keep may be the container's accelerators.
    ComPtr<IOleControlSite> site;
    if (m_clientSite && SUCCEEDED(m_clientSite->QueryInterface(IID_IOleControlSite, site.PutVoid())) && site) {
        DWORD modifiers = 0;
        if (GetKeyState(VK_SHIFT) < 0) modifiers |= 1;    // KEYMOD_SHIFT
        if (GetKeyState(VK_CONTROL) < 0) modifiers |= 2;  // KEYMOD_CONTROL
        if (GetKeyState(VK_MENU) < 0) modifiers |= 4;     // KEYMOD_ALT
        if (site->TranslateAccelerator(message, modifiers) == S_OK) return S_OK;
    }
    return S_FALSE;
}

STDMETHODIMP CHumichartOle::EnumVerbs(IEnumOLEVERB** verbs) {
    if (!verbs) return E_POINTER;
    return OleRegEnumVerbs(CLSID_HumichartCtl, verbs);
}

STDMETHODIMP CHumichartOle::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_HumichartCtl;
    return S_OK;
}

STDMETHODIMP CHumichartOle::GetUserType(DWORD form, LPOLESTR* type) {
    return OleRegGetUserType(CLSID_HumichartCtl, form, type);
}

STDMETHODIMP CHumichartOle::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    m_properties.extentCx = static_cast<std::uint32_t>(size->cx);
    m_properties.extentCy = static_cast<std::uint32_t>(size->cy);
    return S_OK;
}

STDMETHODIMP CHumichartOle::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    size->cx = static_cast<LONG>(m_properties.extentCx);
    size->cy = static_cast<LONG>(m_properties.extentCy);
    return S_OK;
}

STDMETHODIMP CHumichartOle::Advise(IAdviseSink* sink, DWORD* connection) {
    if (!m_adviseHolder) {
        const HRESULT hr = CreateOleAdviseHolder(m_adviseHolder.Put());
        if (FAILED(hr)) return hr;
    }
    return m_adviseHolder->Advise(sink, connection);
}

STDMETHODIMP CHumichartOle::Unadvise(DWORD connection) {
    return m_adviseHolder ? m_adviseHolder->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP CHumichartOle::EnumAdvise(IEnumSTATDATA** advise) {
    if (!advise) return E_POINTER;
    *advise = nullptr;
    return m_adviseHolder ? m_adviseHolder->EnumAdvise(advise) : E_FAIL;
}

STDMETHODIMP CHumichartOle::GetMiscStatus(DWORD aspect, DWORD* status) {
    if (!status) return E_POINTER;
    *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
    return S_OK;
}

// IOleWindow

STDMETHODIMP CHumichartOle::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = m_owner.ControlWindow();
    return *window ? S_OK : E_FAIL;
}

// IOleInPlaceObject

STDMETHODIMP CHumichartOle::InPlaceDeactivate() {
    if (!m_inPlaceSite) return S_OK;
    UIDeactivate();
    m_owner.DestroyControlWindow();
    // The site may release us from inside the call; it is ours until then.
    ComPtr<IOleInPlaceSite> site = std::move(m_inPlaceSite);
    site->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP CHumichartOle::UIDeactivate() {
    if (!m_uiActive) return S_OK;
    m_uiActive = false;
    if (!m_inPlaceSite) return S_OK;
    // The container stops offering keys to us.
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (SUCCEEDED(m_inPlaceSite->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &frameInfo))) {
        if (frame) frame->SetActiveObject(nullptr, nullptr);
        if (document) document->SetActiveObject(nullptr, nullptr);
    }
    m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP CHumichartOle::SetObjectRects(LPCRECT position, LPCRECT) {
    if (!position) return E_POINTER;
    if (HWND window = m_owner.ControlWindow())
        SetWindowPos(window, nullptr, position->left, position->top, position->right - position->left,
                     position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

// IOleControl

STDMETHODIMP CHumichartOle::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

// IViewObjectEx

STDMETHODIMP CHumichartOle::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                                 LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    // An active control shows itself through its chart window.
    if (m_owner.HasChartWindow()) return S_OK;
    const int saved = SaveDC(dc);
    Rectangle(dc, bounds->left, bounds->top, bounds->right, bounds->bottom);
    const RECT clip{bounds->left, bounds->top, bounds->right, bounds->bottom};
    SetTextAlign(dc, TA_CENTER | TA_BASELINE);
    ExtTextOutW(dc, (bounds->left + bounds->right) / 2, (bounds->top + bounds->bottom) / 2, ETO_CLIPPED, &clip,
                kCannotDisplay, static_cast<UINT>(std::wcslen(kCannotDisplay)), nullptr);
    RestoreDC(dc, saved);
    return S_OK;
}

STDMETHODIMP CHumichartOle::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    m_viewAspects = aspects;
    m_viewFlags = flags;
    m_viewSink = ComPtr<IAdviseSink>::Share(sink);
    return S_OK;
}

STDMETHODIMP CHumichartOle::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = m_viewAspects;
    if (flags) *flags = m_viewFlags;
    if (sink) *sink = ComPtr<IAdviseSink>::Share(m_viewSink.Get()).Detach();
    return S_OK;
}

STDMETHODIMP CHumichartOle::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

STDMETHODIMP CHumichartOle::GetViewStatus(DWORD* status) {
    if (!status) return E_POINTER;
    // The chart covers the whole rectangle; nothing of the container shows.
    *status = VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND;
    return S_OK;
}

STDMETHODIMP CHumichartOle::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG, DWORD* hit) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!bounds || !hit) return E_POINTER;
    *hit = PtInRect(bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP CHumichartOle::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG, DWORD* hit) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!bounds || !location || !hit) return E_POINTER;
    RECT overlap{};
    *hit = IntersectRect(&overlap, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

}  // namespace humichart
