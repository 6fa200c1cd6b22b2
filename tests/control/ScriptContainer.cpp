// A container for the script clients of the tests. A script cannot make a
// window, and the chart answers its data methods only in one: this object
// ("HumichartTest.Container") puts the control into a window of the ATL
// container of the platform (the AtlAxWin class of atl.dll), where a C++ host
// would have it, and hands the script the control's dispatch interface from
// its member Chart. The window and the control in it go with the object.
// Scripts run by Wine's script host cannot sink events (ConnectObject is not
// there), so the container listens for them: DataChanges counts the
// control's OnDataChanged, as a form's handler would see them.
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <string>

#include "ClassFactory.h"
#include "ComObject.h"
#include "ComPtr.h"
#include "HResult.h"

namespace {

// {23E8CD5C-0908-4469-AAB7-EF8A1681B740}
const CLSID kClsid = {0x23E8CD5C, 0x0908, 0x4469, {0xAA, 0xB7, 0xEF, 0x8A, 0x16, 0x81, 0xB7, 0x40}};
constexpr wchar_t kClsidKey[] = L"CLSID\\{23E8CD5C-0908-4469-AAB7-EF8A1681B740}";
constexpr wchar_t kProgId[] = L"HumichartTest.Container";
constexpr DISPID kChart = 1, kDataChanges = 2;
// _IHumichartCtlEvents and its OnDataChanged.
const IID kEvents = {0x8FF68AEB, 0xF577, 0x4F8F, {0xA4, 0xA0, 0x75, 0x5B, 0x4D, 0xF9, 0xB9, 0x8E}};
constexpr DISPID kOnDataChanged = 4;

// Counts the control's OnDataChanged.
class CEventCounter final : public ComObjectRoot, public IDispatch {
public:
    explicit CEventCounter(IUnknown* outer) : ComObjectRoot(outer) {}
    long dataChanges = 0;

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        if (id == kOnDataChanged) ++dataChanges;
        return S_OK;
    }

private:
    void* FindOwnInterface(REFIID riid) override {
        return IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, kEvents) ? static_cast<IDispatch*>(this) : nullptr;
    }
};

class CScriptContainer final : public ComObjectRoot, public IDispatch {
public:
    explicit CScriptContainer(IUnknown* outer) : ComObjectRoot(outer) {}
    ~CScriptContainer() override {
        if (events_) events_->Unadvise(cookie_);
        events_.Reset();
        if (window_) DestroyWindow(window_);
    }

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids || count != 1) return DISP_E_UNKNOWNNAME;
        *ids = _wcsicmp(names[0], L"Chart") == 0          ? kChart
               : _wcsicmp(names[0], L"DataChanges") == 0 ? kDataChanges
                                                          : DISPID_UNKNOWN;
        return *ids != DISPID_UNKNOWN ? S_OK : DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if ((id != kChart && id != kDataChanges) || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)))
            return DISP_E_MEMBERNOTFOUND;
        if (params && params->cArgs) return DISP_E_BADPARAMCOUNT;
        if (!result) return S_OK;
        VariantInit(result);
        if (id == kDataChanges) {
            result->vt = VT_I4;
            result->lVal = counter_ ? counter_->dataChanges : 0;
            return S_OK;
        }
        if (!window_) RETURN_IF_FAILED(Host());
        ComPtr<IUnknown> control;
        RETURN_IF_FAILED(getControl_(window_, control.Put()));
        IDispatch* chart = nullptr;
        RETURN_IF_FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&chart)));
        result->vt = VT_DISPATCH;
        result->pdispVal = chart;
        return S_OK;
    }

private:
    // The window's title names the control that the container creates and
    // activates in place.
    HRESULT Host() {
        // Looked up at run time (MinGW has no import library of atl.dll for
        // x86) and kept loaded: its window class serves the window.
        HMODULE atl = LoadLibraryW(L"atl.dll");
        if (!atl) return HRESULT_FROM_WIN32(GetLastError());
        auto init = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
        getControl_ = reinterpret_cast<GetControl>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
        if (!init || !getControl_ || !init()) return E_FAIL;
        window_ = CreateWindowExW(0, L"AtlAxWin", L"Humichart.HumichartCtl", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                  640, 480, nullptr, nullptr, nullptr, nullptr);
        if (!window_) return HRESULT_FROM_WIN32(GetLastError());
        // Listening to the control's events, as a form with handlers does.
        ComPtr<IUnknown> control;
        ComPtr<IConnectionPointContainer> points;
        if (SUCCEEDED(getControl_(window_, control.Put())) &&
            SUCCEEDED(control->QueryInterface(IID_IConnectionPointContainer, points.PutVoid())) &&
            SUCCEEDED(points->FindConnectionPoint(kEvents, events_.Put()))) {
            counter_ = new CEventCounter(nullptr);
            counterOwner_ = ComPtr<IUnknown>::Attach(counter_->InnerUnknown());
            if (FAILED(events_->Advise(static_cast<IDispatch*>(counter_), &cookie_))) events_.Reset();
        }
        return S_OK;
    }

    void* FindOwnInterface(REFIID riid) override { return FindInterface<IDispatch>(this, riid); }

    using GetControl = HRESULT(WINAPI*)(HWND window, IUnknown** control);
    GetControl getControl_ = nullptr;
    HWND window_ = nullptr;
    CEventCounter* counter_ = nullptr;
    ComPtr<IUnknown> counterOwner_;
    ComPtr<IConnectionPoint> events_;
    DWORD cookie_ = 0;
};

HRESULT CreateContainer(IUnknown* outer, REFIID riid, void** ppv) {
    return CreateComObject<CScriptContainer>(outer, riid, ppv);
}

const ClassEntry kClasses[] = {{&kClsid, &CreateContainer}};

HRESULT SetKey(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return HResultFromStatus(RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) com_module::Attach(instance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    return GetClassObjectFromTable(kClasses, clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return com_module::InUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() {
    const std::wstring clsid = kClsidKey;
    return NoThrow([&] {
        RETURN_IF_FAILED(SetKey(clsid + L"\\InprocServer32", nullptr, com_module::Path()));
        RETURN_IF_FAILED(SetKey(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"));
        return SetKey(std::wstring(kProgId) + L"\\CLSID", nullptr, clsid.substr(6));
    });
}

STDAPI DllUnregisterServer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kClsidKey);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    return S_OK;
}
