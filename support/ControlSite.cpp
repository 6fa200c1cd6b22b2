#include "ControlSite.h"

#include <olectl.h>

#include "HResult.h"

namespace {

constexpr long kHimetricPerInch = 2540;

struct ScreenDpi {
    int x = 96;
    int y = 96;
    ScreenDpi() {
        if (HDC screen = GetDC(nullptr)) {
            x = GetDeviceCaps(screen, LOGPIXELSX);
            y = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
        }
    }
};

SIZEL PixelsToHimetric(LONG width, LONG height) {
    const ScreenDpi dpi;
    return SIZEL{MulDiv(width, kHimetricPerInch, dpi.x), MulDiv(height, kHimetricPerInch, dpi.y)};
}

// A BSTR that belongs to this scope.
class ScopedBstr {
public:
    explicit ScopedBstr(const std::wstring& text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    ScopedBstr(const ScopedBstr&) = delete;
    ScopedBstr& operator=(const ScopedBstr&) = delete;
    ~ScopedBstr() { SysFreeString(text_); }
    BSTR Get() const { return text_; }

private:
    BSTR text_;
};

}  // namespace

HRESULT CControlSite::Create(HWND container, const AmbientProperties& ambient, ComPtr<IUnknown>& owner,
                             CControlSite*& site) {
    site = nullptr;
    auto* created = new (std::nothrow) CControlSite(container, ambient);
    if (!created) return E_OUTOFMEMORY;
    owner = ComPtr<IUnknown>::Attach(created->InnerUnknown());  // the construction reference
    site = created;
    return S_OK;
}

CControlSite::CControlSite(HWND container, const AmbientProperties& ambient)
    : ComObjectRoot(nullptr), container_(container), ambient_(ambient) {}

void* CControlSite::FindOwnInterface(REFIID riid) {
    return FindInterface<IOleClientSite, IOleInPlaceSite, Via<IOleWindow, IOleInPlaceSite>, IOleControlSite,
                         IOleInPlaceFrame, IOleInPlaceUIWindow, IDispatch>(this, riid);
}

HRESULT CControlSite::Instantiate(const CLSID& clsid, const std::wstring& licenceKey) {
    // Controls live in the container's process; asking for a local server too would
    // start the platform's activation service for a class that is not there.
    constexpr DWORD context = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
    if (licenceKey.empty())
        return CoCreateInstance(clsid, nullptr, context, IID_IOleObject, object_.PutVoid());
    ComPtr<IClassFactory2> factory;
    RETURN_IF_FAILED(CoGetClassObject(clsid, context, nullptr, IID_IClassFactory2, factory.PutVoid()));
    const ScopedBstr key(licenceKey);
    return factory->CreateInstanceLic(nullptr, nullptr, IID_IOleObject, key.Get(), object_.PutVoid());
}

HRESULT CControlSite::LoadPersisted(const ControlInitData* init) {
    const bool hasData = init && (init->fromStorage || !init->persisted.empty());
    if (!hasData) {
        ComPtr<IPersistStreamInit> fresh;
        if (SUCCEEDED(object_.As(fresh))) return fresh->InitNew();
        return S_OK;  // a control without that interface has no defaults to set
    }
    const std::vector<BYTE>& bytes = init->persisted;
    if (init->fromStorage) {
        ComPtr<ILockBytes> memory;
        RETURN_IF_FAILED(CreateILockBytesOnHGlobal(nullptr, TRUE, memory.Put()));
        ULARGE_INTEGER start{};
        ULONG written = 0;
        RETURN_IF_FAILED(memory->WriteAt(start, bytes.data(), static_cast<ULONG>(bytes.size()), &written));
        ComPtr<IStorage> storage;
        RETURN_IF_FAILED(StgOpenStorageOnILockBytes(memory.Get(), nullptr,
                                                    STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0,
                                                    storage.Put()));
        ComPtr<IPersistStorage> persist;
        RETURN_IF_FAILED(object_.As(persist));
        return persist->Load(storage.Get());
    }
    // The control reads the persisted bytes from the start of a stream of its
    // own, exactly as long as the data.
    ComPtr<IStream> stream;
    RETURN_IF_FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()));
    ULONG written = 0;
    RETURN_IF_FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written));
    const LARGE_INTEGER origin{};
    RETURN_IF_FAILED(stream->Seek(origin, STREAM_SEEK_SET, nullptr));
    ComPtr<IPersistStreamInit> persistInit;
    if (SUCCEEDED(object_.As(persistInit))) return persistInit->Load(stream.Get());
    ComPtr<IPersistStream> persist;
    RETURN_IF_FAILED(object_.As(persist));
    return persist->Load(stream.Get());
}

HRESULT CControlSite::CreateControl(const CLSID& clsid, const ControlInitData* init, const RECT& rect, DWORD id,
                                    DWORD style, HWND insertAfter) {
    if (object_) return E_UNEXPECTED;
    id_ = id;
    rect_ = rect;
    const HRESULT hr = [&]() -> HRESULT {
        RETURN_IF_FAILED(Instantiate(clsid, init ? init->licenceKey : std::wstring{}));
        DWORD misc = 0;
        const HRESULT status = object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
        if (FAILED(status) || status == OLE_S_USEREG) {
            misc = 0;
            OleRegGetMiscStatus(clsid, DVASPECT_CONTENT, &misc);
        }
        // Some controls read ambient properties while they load, and say so.
        const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
        if (siteFirst) RETURN_IF_FAILED(object_->SetClientSite(this));
        RETURN_IF_FAILED(LoadPersisted(init));
        if (!siteFirst) RETURN_IF_FAILED(object_->SetClientSite(this));

        SIZEL extent = PixelsToHimetric(rect.right - rect.left, rect.bottom - rect.top);
        object_->SetExtent(DVASPECT_CONTENT, &extent);  // a fixed-size control may refuse

        RETURN_IF_FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, container_, &rect_));
        if (style & WS_VISIBLE) RETURN_IF_FAILED(object_->DoVerb(OLEIVERB_SHOW, nullptr, this, 0, container_, &rect_));
        if (!inPlace_) object_.As(inPlace_);
        if (inPlace_) inPlace_->GetWindow(&window_);
        return S_OK;
    }();
    if (FAILED(hr)) {
        Close();
        return hr;
    }
    if (window_) {
        // The dialog finds the control by its template id and tabs to it in
        // template order.
        SetWindowLongPtrW(window_, GWLP_ID, static_cast<LONG_PTR>(id));
        const LONG_PTR keep = GetWindowLongPtrW(window_, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP | WS_GROUP);
        SetWindowLongPtrW(window_, GWL_STYLE, keep | (style & (WS_TABSTOP | WS_GROUP)));
        SetWindowPos(window_, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (!(style & WS_VISIBLE)) ShowWindow(window_, SW_HIDE);
    }
    return S_OK;
}

HRESULT CControlSite::OfferKey(MSG& message) {
    if (!active_) return S_FALSE;
    // The call may end in the control and this site leaving; both stay for
    // the call.
    const ComPtr<IOleClientSite> self = ComPtr<IOleClientSite>::Share(this);
    const ComPtr<IOleInPlaceActiveObject> active = ComPtr<IOleInPlaceActiveObject>::Share(active_.Get());
    return active->TranslateAccelerator(&message);
}

void CControlSite::Close() {
    if (!object_) return;
    // The calls below come back into this site; hold our own references.
    ComPtr<IOleObject> object = std::move(object_);
    ComPtr<IOleInPlaceObject> inPlace = std::move(inPlace_);
    if (!inPlace) object.As(inPlace);
    if (inPlace) inPlace->InPlaceDeactivate();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    active_.Reset();
    window_ = nullptr;
}

HRESULT CControlSite::Move(const RECT& rect, bool repaint) {
    rect_ = rect;
    if (!object_) return E_UNEXPECTED;
    SIZEL extent = PixelsToHimetric(rect.right - rect.left, rect.bottom - rect.top);
    object_->SetExtent(DVASPECT_CONTENT, &extent);
    // An active control moves its own window and repaints what it has to;
    // moving the window first without repainting would leave the newly
    // uncovered part of a growing control unpainted.
    HRESULT hr = S_OK;
    if (inPlace_) {
        const RECT clip = ClipRect();
        hr = inPlace_->SetObjectRects(&rect_, &clip);
    }
    if (window_) {
        RECT now{};
        GetWindowRect(window_, &now);
        MapWindowPoints(nullptr, container_, reinterpret_cast<POINT*>(&now), 2);
        if (!EqualRect(&now, &rect))
            MoveWindow(window_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    return hr;
}

void CControlSite::SetUserMode(bool userMode) {
    ambient_.userMode = userMode;
    ComPtr<IOleControl> control;
    if (object_ && SUCCEEDED(object_.As(control))) control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
}

RECT CControlSite::ClipRect() const {
    RECT client{};
    GetClientRect(container_, &client);
    return client;
}

// IOleClientSite

STDMETHODIMP CControlSite::SaveObject() { return S_OK; }
STDMETHODIMP CControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP CControlSite::GetContainer(IOleContainer** container) {
    if (!container) return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
}
STDMETHODIMP CControlSite::ShowObject() { return S_OK; }
STDMETHODIMP CControlSite::OnShowWindow(BOOL) { return S_OK; }
STDMETHODIMP CControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow

STDMETHODIMP CControlSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = container_;
    return S_OK;
}
STDMETHODIMP CControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite

STDMETHODIMP CControlSite::CanInPlaceActivate() { return S_OK; }
STDMETHODIMP CControlSite::OnInPlaceActivate() {
    inPlaceActive_ = true;
    if (object_) object_.As(inPlace_);
    return S_OK;
}
STDMETHODIMP CControlSite::OnUIActivate() { return S_OK; }
STDMETHODIMP CControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                            LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !document || !position || !clip || !frameInfo) return E_POINTER;
    // The dialog is both the frame and the document window.
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    *position = rect_;
    *clip = ClipRect();
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = container_;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}
STDMETHODIMP CControlSite::Scroll(SIZE) { return E_NOTIMPL; }
STDMETHODIMP CControlSite::OnUIDeactivate(BOOL) { return S_OK; }
STDMETHODIMP CControlSite::OnInPlaceDeactivate() {
    inPlaceActive_ = false;
    inPlace_.Reset();
    return S_OK;
}
STDMETHODIMP CControlSite::DiscardUndoState() { return S_OK; }
STDMETHODIMP CControlSite::DeactivateAndUndo() {
    return inPlace_ ? inPlace_->UIDeactivate() : S_OK;
}
STDMETHODIMP CControlSite::OnPosRectChange(LPCRECT position) {
    if (!position) return E_POINTER;
    rect_ = *position;
    if (!inPlace_) return S_OK;
    const RECT clip = ClipRect();
    return inPlace_->SetObjectRects(&rect_, &clip);
}

// IOleControlSite

STDMETHODIMP CControlSite::OnControlInfoChanged() { return S_OK; }
STDMETHODIMP CControlSite::LockInPlaceActive(BOOL) { return S_OK; }
STDMETHODIMP CControlSite::GetExtendedControl(IDispatch** extended) {
    if (!extended) return E_POINTER;
    *extended = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP CControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    const ScreenDpi dpi;
    // The container's units are pixels.
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x) * dpi.x / kHimetricPerInch;
        container->y = static_cast<float>(himetric->y) * dpi.y / kHimetricPerInch;
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x * kHimetricPerInch / dpi.x + 0.5f);
        himetric->y = static_cast<LONG>(container->y * kHimetricPerInch / dpi.y + 0.5f);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}
STDMETHODIMP CControlSite::TranslateAccelerator(MSG*, DWORD) { return S_FALSE; }
STDMETHODIMP CControlSite::OnFocus(BOOL) { return S_OK; }
STDMETHODIMP CControlSite::ShowPropertyFrame() { return E_NOTIMPL; }

// IOleInPlaceUIWindow and IOleInPlaceFrame: a dialog has no tool space and no
// menu bar to share.

STDMETHODIMP CControlSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP CControlSite::RequestBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP CControlSite::SetBorderSpace(LPCBORDERWIDTHS) { return INPLACE_E_NOTOOLSPACE; }
STDMETHODIMP CControlSite::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
    active_ = ComPtr<IOleInPlaceActiveObject>::Share(active);
    return S_OK;
}
STDMETHODIMP CControlSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) { return E_NOTIMPL; }
STDMETHODIMP CControlSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }
STDMETHODIMP CControlSite::RemoveMenus(HMENU) { return E_NOTIMPL; }
STDMETHODIMP CControlSite::SetStatusText(LPCOLESTR) { return S_OK; }
STDMETHODIMP CControlSite::EnableModeless(BOOL) { return S_OK; }
STDMETHODIMP CControlSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IDispatch

STDMETHODIMP CControlSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}
STDMETHODIMP CControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}
STDMETHODIMP CControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
    for (UINT i = 0; ids && i < count; ++i) ids[i] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
}

HRESULT CControlSite::AmbientFont(VARIANT* result) const {
    HFONT font = ambient_.font ? ambient_.font : reinterpret_cast<HFONT>(SendMessageW(container_, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW log{};
    if (!GetObjectW(font, sizeof log, &log)) return DISP_E_MEMBERNOTFOUND;
    const ScreenDpi dpi;
    FONTDESC description{};
    description.cbSizeofstruct = sizeof description;
    description.lpstrName = log.lfFaceName;
    // Points in units of 1/10000, from the cell or character height in pixels.
    const LONG pixels = log.lfHeight < 0 ? -log.lfHeight : log.lfHeight;
    description.cySize.int64 = static_cast<LONGLONG>(pixels) * 72 * 10000 / dpi.y;
    description.sWeight = static_cast<SHORT>(log.lfWeight ? log.lfWeight : FW_NORMAL);
    description.sCharset = log.lfCharSet;
    description.fItalic = log.lfItalic != 0;
    description.fUnderline = log.lfUnderline != 0;
    description.fStrikethrough = log.lfStrikeOut != 0;
    IFontDisp* created = nullptr;
    RETURN_IF_FAILED(OleCreateFontIndirect(&description, IID_IFontDisp, reinterpret_cast<void**>(&created)));
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = created;  // the caller's reference now
    return S_OK;
}

STDMETHODIMP CControlSite::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO*, UINT*) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (!result) return E_POINTER;
    VariantInit(result);
    auto boolean = [result](bool value) {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = value ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    };
    switch (id) {
    case DISPID_AMBIENT_USERMODE:
        return boolean(ambient_.userMode);
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_DISPLAYASDEFAULT:
    case DISPID_AMBIENT_MESSAGEREFLECT:
        return boolean(false);
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
    case DISPID_AMBIENT_AUTOCLIP:
        return boolean(true);
    case DISPID_AMBIENT_BACKCOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(ambient_.backColor);
        return S_OK;
    case DISPID_AMBIENT_FORECOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(ambient_.foreColor);
        return S_OK;
    case DISPID_AMBIENT_LOCALEID:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(ambient_.localeId == LOCALE_USER_DEFAULT ? GetUserDefaultLCID()
                                                                                  : ambient_.localeId);
        return S_OK;
    case DISPID_AMBIENT_APPEARANCE:
        V_VT(result) = VT_I2;
        V_I2(result) = 1;  // three-dimensional, like the dialog around it
        return S_OK;
    case DISPID_AMBIENT_DISPLAYNAME:
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocStringLen(ambient_.displayName.data(), static_cast<UINT>(ambient_.displayName.size()));
        return V_BSTR(result) ? S_OK : E_OUTOFMEMORY;
    case DISPID_AMBIENT_FONT:
        return AmbientFont(result);
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}
