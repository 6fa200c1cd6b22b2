// HumichartScript.Form: a hidden window holding one chart control, for
// scripts. A VBA or VB6 host puts the chart on a form, where it gets its
// window and with it the chart; a script run by the script host has no form,
// and a control it creates by ProgID has no window, so its data methods
// answer E_ABORT. The automation examples borrow this form:
//     Set chart = CreateObject("HumichartScript.Form").Chart
// Registered by regsvr32 (in the prefix, for the tests; on Windows from an
// elevated prompt).
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <new>
#include <string>

#include "ComPtr.h"
#include "ControlContainer.h"
#include "Humichart_h.h"

namespace {

// {5B2C8C4E-7D0A-4F3B-9F1E-2A6C1D9E4B71}
const CLSID kFormClsid = {0x5B2C8C4E, 0x7D0A, 0x4F3B, {0x9F, 0x1E, 0x2A, 0x6C, 0x1D, 0x9E, 0x4B, 0x71}};
constexpr wchar_t kClsidText[] = L"{5B2C8C4E-7D0A-4F3B-9F1E-2A6C1D9E4B71}";
constexpr wchar_t kProgId[] = L"HumichartScript.Form";
constexpr DISPID kChartId = 1;

HINSTANCE g_module = nullptr;
std::atomic<long> g_objects{0};

class CScriptForm final : public IDispatch {
public:
    HRESULT Open() {
        m_window = CreateWindowExW(0, L"STATIC", L"HumichartScript.Form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                                   0, 700, 560, nullptr, nullptr, nullptr, nullptr);
        if (!m_window) return HRESULT_FROM_WIN32(GetLastError());
        HRESULT hr = m_container.CreateControl(m_window, CLSID_HumichartCtl, 1000, WS_CHILD | WS_VISIBLE,
                                               RECT{0, 0, 640, 480});
        if (FAILED(hr)) return hr;
        CControlSite* site = m_container.Find(1000);
        return site ? site->Control()->QueryInterface(IID_IDispatch, m_chart.PutVoid()) : E_FAIL;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ? static_cast<IDispatch*>(this)
                                                                                   : nullptr;
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (!names || !ids) return E_POINTER;
        for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        if (count == 1 && _wcsicmp(names[0], L"Chart") == 0) {
            ids[0] = kChartId;
            return S_OK;
        }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (id != kChartId) return DISP_E_MEMBERNOTFOUND;
        if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
        if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
        if (!result) return E_POINTER;
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = m_chart.Get();
        m_chart.Get()->AddRef();
        return S_OK;
    }

    CScriptForm() { ++g_objects; }

private:
    ~CScriptForm() {
        m_chart.Reset();
        m_container.CloseAll();
        if (m_window) DestroyWindow(m_window);
        --g_objects;
    }

    std::atomic<ULONG> m_refs{1};
    HWND m_window = nullptr;
    CControlContainer m_container;
    ComPtr<IDispatch> m_chart;
};

class CFormFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        CScriptForm* form = new (std::nothrow) CScriptForm;
        if (!form) return E_OUTOFMEMORY;
        HRESULT hr = form->Open();
        if (SUCCEEDED(hr)) hr = form->QueryInterface(riid, ppv);
        form->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        lock ? ++g_objects : --g_objects;
        return S_OK;
    }
};

CFormFactory g_factory;

LSTATUS SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), name, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* ppv) {
    if (!IsEqualCLSID(clsid, kFormClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return g_objects == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(g_module, path, MAX_PATH);
    const std::wstring clsid = std::wstring(L"CLSID\\") + kClsidText;
    for (LSTATUS status : {SetValue(kProgId, nullptr, kProgId), SetValue(std::wstring(kProgId) + L"\\CLSID", nullptr, kClsidText),
                           SetValue(clsid, nullptr, kProgId), SetValue(clsid + L"\\ProgID", nullptr, kProgId),
                           SetValue(clsid + L"\\InprocServer32", nullptr, path),
                           SetValue(clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment")})
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    return S_OK;
}

STDAPI DllUnregisterServer() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + kClsidText).c_str());
    return S_OK;
}
