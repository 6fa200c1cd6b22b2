#include "TestControl.h"

#include <olectl.h>

#include <span>

#include "ClassFactory.h"
#include "ComObject.h"
#include "ComPtr.h"
#include "HResult.h"

const CLSID CLSID_TestControl = {0x6A1B7E2C, 0x5D43, 0x4F8A, {0x9B, 0x21, 0x3C, 0x0D, 0x5E, 0x7F, 0x9A, 0x11}};

namespace {

DWORD g_miscStatus = 0;
const CLSID* g_registeredAs = &CLSID_TestControl;

constexpr wchar_t kWindowClass[] = L"HumichartTestControl";

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        RECT client{};
        GetClientRect(window, &client);
        HBRUSH fill = CreateSolidBrush(RGB(0, 90, 170));
        FillRect(dc, &client, fill);
        DeleteObject(fill);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        wchar_t text[160];
        wsprintfW(text, L"test control %d: %d bytes loaded, %d x %d pixels",
                  static_cast<int>(GetDlgCtrlID(window)), static_cast<int>(ControlLog().loaded.size()),
                  static_cast<int>(client.right), static_cast<int>(client.bottom));
        DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClassOnce() {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ControlWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);  // a second registration fails harmlessly
}

class CTestControl final : public ComObjectRoot,
                           public IOleObject,
                           public IOleInPlaceObject,
                           public IPersistStreamInit,
                           public IOleControl {
public:
    explicit CTestControl(IUnknown* outer) : ComObjectRoot(outer) { ++ControlLog().live; }
    ~CTestControl() override {
        DestroyControlWindow();
        --ControlLog().live;
    }

    COM_DELEGATING_IUNKNOWN

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override {
        ControlLog().calls.push_back(site ? "SetClientSite" : "SetClientSite null");
        site_ = ComPtr<IOleClientSite>::Share(site);
        if (site) ReadAmbients();
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** site) override {
        *site = ComPtr<IOleClientSite>::Share(site_.Get()).Detach();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override {
        ControlLog().calls.push_back("Close");
        InPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) override {
        ControlLog().calls.push_back("DoVerb " + std::to_string(verb));
        if (verb != OLEIVERB_INPLACEACTIVATE && verb != OLEIVERB_SHOW) return E_NOTIMPL;
        if (!window_) RETURN_IF_FAILED(Activate(site ? site : site_.Get(), parent, position));
        if (verb == OLEIVERB_SHOW) ShowWindow(window_, SW_SHOW);
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override {
        *clsid = *g_registeredAs;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL* size) override {
        ControlLog().extent = *size;
        return S_OK;
    }
    STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
        *size = ControlLog().extent;
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
        *status = misc_;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow and IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* window) override {
        *window = window_;
        return window_ ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override {
        if (!inPlaceSite_) return S_OK;
        ControlLog().calls.push_back("InPlaceDeactivate");
        DestroyControlWindow();
        ComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
        site->OnInPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override {
        ControlLog().objectRect = *position;
        if (window_)
            SetWindowPos(window_, nullptr, position->left, position->top, position->right - position->left,
                         position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

    // IPersistStreamInit
    STDMETHODIMP GetClassID(CLSID* clsid) override {
        *clsid = *g_registeredAs;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPSTREAM stream) override {
        TestControlLog& log = ControlLog();
        log.calls.push_back("Load");
        const LARGE_INTEGER none{};
        stream->Seek(none, STREAM_SEEK_CUR, &log.streamStart);
        log.loaded.clear();
        BYTE buffer[64];
        ULONG read = 0;
        while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &read)) && read > 0)
            log.loaded.insert(log.loaded.end(), buffer, buffer + read);
        return S_OK;
    }
    STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP InitNew() override {
        ControlLog().calls.push_back("InitNew");
        return S_OK;
    }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override {
        ControlLog().calls.push_back("OnAmbientPropertyChange " + std::to_string(id));
        ReadAmbients();
        return S_OK;
    }
    STDMETHODIMP FreezeEvents(BOOL) override { return S_OK; }

private:
    void* FindOwnInterface(REFIID riid) override {
        return FindInterface<IOleObject, IOleInPlaceObject, Via<IOleWindow, IOleInPlaceObject>, IPersistStreamInit,
                             Via<IPersist, IPersistStreamInit>, IOleControl>(this, riid);
    }

    void ReadAmbients() {
        ComPtr<IDispatch> ambient;
        if (!site_ || FAILED(site_.As(ambient))) return;
        TestControlLog& log = ControlLog();
        DISPPARAMS none{};
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                      &none, &value, nullptr, nullptr)) &&
            V_VT(&value) == VT_BOOL) {
            log.sawUserMode = true;
            log.userMode = V_BOOL(&value) != VARIANT_FALSE;
        }
        VariantClear(&value);
        if (SUCCEEDED(ambient->Invoke(DISPID_AMBIENT_FONT, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                      &none, &value, nullptr, nullptr)) &&
            V_VT(&value) == VT_DISPATCH && V_DISPATCH(&value)) {
            ComPtr<IFont> font;
            if (SUCCEEDED(V_DISPATCH(&value)->QueryInterface(IID_IFont, font.PutVoid()))) {
                BSTR name = nullptr;
                if (SUCCEEDED(font->get_Name(&name)) && name) log.fontName = name;
                SysFreeString(name);
                log.sawFont = true;
            }
        }
        VariantClear(&value);
    }

    HRESULT Activate(IOleClientSite* client, HWND parent, LPCRECT position) {
        if (!client) return E_UNEXPECTED;
        ComPtr<IOleInPlaceSite> site;
        RETURN_IF_FAILED(client->QueryInterface(IID_IOleInPlaceSite, site.PutVoid()));
        if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
        RETURN_IF_FAILED(site->OnInPlaceActivate());
        inPlaceSite_ = std::move(site);
        HWND container = nullptr;
        inPlaceSite_->GetWindow(&container);
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> document;
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO info{};
        info.cb = sizeof info;
        RETURN_IF_FAILED(inPlaceSite_->GetWindowContext(frame.Put(), document.Put(), &pos, &clip, &info));
        if (position) pos = *position;
        RegisterWindowClassOnce();
        window_ = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left, pos.top,
                                  pos.right - pos.left, pos.bottom - pos.top, container ? container : parent,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ControlLog().window = window_;
        ControlLog().objectRect = pos;
        return window_ ? S_OK : E_FAIL;
    }

    void DestroyControlWindow() {
        if (!window_) return;
        DestroyWindow(window_);
        window_ = nullptr;
        ControlLog().window = nullptr;
    }

    ComPtr<IOleClientSite> site_;
    ComPtr<IOleInPlaceSite> inPlaceSite_;
    HWND window_ = nullptr;
    DWORD misc_ = g_miscStatus;
};

HRESULT CreateTestControl(IUnknown* outer, REFIID riid, void** ppv) {
    return CreateComObject<CTestControl>(outer, riid, ppv);
}

}  // namespace

TestControlLog& ControlLog() {
    static TestControlLog log;
    return log;
}

void SetTestControlMiscStatus(DWORD misc) { g_miscStatus = misc; }

TestControlRegistration::TestControlRegistration(const CLSID& clsid) {
    static CLSID registered;
    registered = clsid;
    g_registeredAs = &registered;
    static ClassEntry entry;  // the class object keeps a pointer to it
    entry = ClassEntry{&registered, CreateTestControl};
    ComPtr<IClassFactory> factory;
    status_ = GetClassObjectFromTable(std::span(&entry, 1), clsid, IID_IClassFactory, factory.PutVoid());
    if (SUCCEEDED(status_))
        status_ = CoRegisterClassObject(clsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
}

TestControlRegistration::~TestControlRegistration() {
    if (SUCCEEDED(status_)) CoRevokeClassObject(cookie_);
}
