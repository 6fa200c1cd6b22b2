// The calculator as its COM clients see it: creation, the shared pressure,
// results through the vtable, aggregation, the type library and unloading.
#include <cmath>
#include <cstring>
#include <string>

#include "ComTestSupport.h"

namespace {

// Type-library text is ANSI in the system code page; the Chinese help strings
// are stored in GBK.  Recover the stored bytes and read them as GBK.
std::wstring AsStoredGbk(BSTR text) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string raw(bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, raw.data(), bytes, nullptr, nullptr);
    const int chars = MultiByteToWideChar(936, 0, raw.c_str(), -1, nullptr, 0);
    std::wstring wide(chars, L'\0');
    MultiByteToWideChar(936, 0, raw.c_str(), -1, wide.data(), chars);
    wide.resize(chars > 0 ? chars - 1 : 0);
    return wide;
}

double Saturation20(ICalID* calc) {
    double d = 0;
    EXPECT_HRESULT_SUCCEEDED(calc->ID_D_T_F(20, 1, &d));
    return d;
}

using ComponentTest = ApartmentTest;

TEST_F(ComponentTest, CreatesByClassIdAndBothProgIds) {
    for (const wchar_t* progId : {L"Humicalc.CalID", L"Humicalc.CalID.1"}) {
        CLSID clsid{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(progId, &clsid));
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_CalID));
        ComPtr<ICalID> calc;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ICalID, calc.PutVoid()));
    }
    ComPtr<ICalID> bound = BindCalculator();
    ASSERT_TRUE(bound);
    EXPECT_NEAR(Saturation20(bound.Get()), 14.7, 0.05);  // standard pressure without SetInit
}

TEST_F(ComponentTest, CreatingAnotherObjectResetsTheSharedPressure) {
    ComPtr<ICalID> a = BindCalculator();
    ASSERT_TRUE(a);
    const double standard = Saturation20(a.Get());
    ASSERT_HRESULT_SUCCEEDED(a->SetInit(90000));
    const double low = Saturation20(a.Get());
    EXPECT_GT(low, standard);

    ComPtr<ICalID> b = BindCalculator();
    ASSERT_TRUE(b);
    EXPECT_EQ(Saturation20(a.Get()), standard);

    // A pressure within 1e-4 Pa of the one in force changes nothing.
    ASSERT_HRESULT_SUCCEEDED(a->SetInit(101325.00005));
    EXPECT_EQ(Saturation20(b.Get()), standard);
}

TEST_F(ComponentTest, EveryOperationAnswersThroughTheVtable) {
    ComPtr<ICalID> calc = BindCalculator();
    ASSERT_TRUE(calc);
    double d = 0, i = 0, out = 0;
    ASSERT_HRESULT_SUCCEEDED(calc->ID_D_T_F(20, 0.5, &d));
    ASSERT_HRESULT_SUCCEEDED(calc->ID_I_T_F(20, 0.5, &i));
    EXPECT_NEAR(d, 7.26, 0.005);
    EXPECT_NEAR(i, 38.5, 0.05);
    EXPECT_HRESULT_SUCCEEDED(calc->ID_TS_T_F(20, 0.5, &out));
    EXPECT_NEAR(out, 13.7, 0.05);
    EXPECT_HRESULT_SUCCEEDED(calc->ID_T_D_F(d, 1, &out));
    EXPECT_NEAR(out, 9.27, 0.005);
    EXPECT_HRESULT_SUCCEEDED(calc->ID_F_T_I(20, i, &out));
    EXPECT_NEAR(out, 0.5, 1e-6);
    EXPECT_HRESULT_SUCCEEDED(calc->ID_T_F_TS(0.5, 13.727, &out));
    EXPECT_NEAR(out, 20.0, 0.005);
    EXPECT_HRESULT_SUCCEEDED(calc->ID_ROU_I_D(i, d, &out));
    EXPECT_NEAR(out, 1.20, 0.005);

    // Pressure at or above the atmosphere: success and the sentinel.
    EXPECT_EQ(calc->ID_D_PQ(101325, &out), S_OK);
    EXPECT_EQ(out, 1000000.0);
    EXPECT_EQ(calc->ID_D_PQ(NAN, &out), S_OK);
    EXPECT_EQ(out, 1000000.0);

    // Never NaN: a temperature beyond every table gives the sentinel, and a
    // pressure that is not a number reads as 0 Pa.
    EXPECT_EQ(calc->ID_D_T_F(1e300, 0.5, &out), S_OK);
    EXPECT_EQ(out, 1000000.0);
    ASSERT_HRESULT_SUCCEEDED(calc->SetInit(NAN));
    EXPECT_EQ(calc->ID_T_D_F(10, 0.5, &out), S_OK);
    EXPECT_FALSE(std::isnan(out));
}

TEST_F(ComponentTest, NullOutputIsRefusedWithoutTouchingAnything) {
    ComPtr<ICalID> calc = BindCalculator();
    ASSERT_TRUE(calc);
    EXPECT_EQ(calc->ID_D_T_F(20, 0.5, nullptr), E_POINTER);
    EXPECT_EQ(calc->ID_PQ_D(10, nullptr), E_POINTER);
    EXPECT_EQ(calc->ID_ROU_T_F(20, 0.5, nullptr), E_POINTER);
}

TEST_F(ComponentTest, ClassInfoAndHelpStringsComeFromTheEmbeddedLibrary) {
    ComPtr<ICalID> calc = BindCalculator();
    ASSERT_TRUE(calc);
    ComPtr<IProvideClassInfo> provider;
    ASSERT_HRESULT_SUCCEEDED(calc.As(provider));
    ComPtr<ITypeInfo> coclass;
    ASSERT_HRESULT_SUCCEEDED(provider->GetClassInfo(coclass.Put()));
    BSTR name = nullptr, doc = nullptr;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr));
    EXPECT_STREQ(name, L"CalID");
    EXPECT_STREQ(doc, L"CalID Class");
    SysFreeString(name);
    SysFreeString(doc);

    ComPtr<ITypeLib> library;
    UINT index = 0;
    ASSERT_HRESULT_SUCCEEDED(coclass->GetContainingTypeLib(library.Put(), &index));
    ASSERT_HRESULT_SUCCEEDED(library->GetDocumentation(-1, &name, &doc, nullptr, nullptr));
    EXPECT_STREQ(name, L"Humicalc");
    EXPECT_STREQ(doc, L"Humicalc 1.0 Type Library");
    SysFreeString(name);
    SysFreeString(doc);
    TLIBATTR* attr = nullptr;
    ASSERT_HRESULT_SUCCEEDED(library->GetLibAttr(&attr));
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attr);

    ComPtr<IDispatch> dispatch;
    ASSERT_HRESULT_SUCCEEDED(calc.As(dispatch));
    ComPtr<ITypeInfo> iface;
    ASSERT_HRESULT_SUCCEEDED(dispatch->GetTypeInfo(0, 0, iface.Put()));
    ASSERT_HRESULT_SUCCEEDED(iface->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr));
    EXPECT_STREQ(name, L"ICalID");
    EXPECT_EQ(AsStoredGbk(doc), L"ICalID \u63A5\u53E3");
    SysFreeString(name);
    SysFreeString(doc);
    ASSERT_HRESULT_SUCCEEDED(iface->GetDocumentation(11, &name, &doc, nullptr, nullptr));
    EXPECT_STREQ(name, L"ID_D_F_TS");
    EXPECT_EQ(AsStoredGbk(doc), L"\u65B9\u6CD5ID_D_F_TS");
    SysFreeString(name);
    SysFreeString(doc);

    // Parameter names are the letters, in call order: F before TS here.
    BSTR names[4] = {};
    UINT count = 0;
    ASSERT_HRESULT_SUCCEEDED(iface->GetNames(11, names, 4, &count));
    ASSERT_EQ(count, 4u);
    EXPECT_STREQ(names[1], L"F");
    EXPECT_STREQ(names[2], L"TS");
    EXPECT_STREQ(names[3], L"D");
    for (BSTR& n : names) SysFreeString(n);
}

// A minimal outer object that aggregates a calculator and exposes its ICalID.
class Outer final : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown)) {
            *ppv = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner.Get()->QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ComPtr<IUnknown> inner;
    ULONG refs = 1;
};

TEST_F(ComponentTest, AggregatesIntoAnOuterObject) {
    Outer outer;
    ComPtr<ICalID> wrong;
    EXPECT_EQ(CoCreateInstance(CLSID_CalID, &outer, CLSCTX_INPROC_SERVER, IID_ICalID, wrong.PutVoid()),
              CLASS_E_NOAGGREGATION);
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_CalID, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, outer.inner.PutVoid()));

    ICalID* calc = nullptr;
    ASSERT_HRESULT_SUCCEEDED(outer.QueryInterface(IID_ICalID, reinterpret_cast<void**>(&calc)));
    EXPECT_EQ(outer.refs, 2u);  // the interface counts on the outer object
    IUnknown* identity = nullptr;
    ASSERT_HRESULT_SUCCEEDED(calc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    double d = 0;
    EXPECT_HRESULT_SUCCEEDED(calc->ID_D_T_F(20, 1, &d));
    EXPECT_NEAR(d, 14.7, 0.05);
    calc->Release();
    EXPECT_EQ(outer.refs, 1u);
    outer.inner.Reset();
}

using ServerExports = ApartmentTest;

TEST_F(ServerExports, ClassObjectAndUnloadFollowTheLiveObjects) {
    ComPtr<ICalID> first = BindCalculator();  // loads the registered library
    ASSERT_TRUE(first);
    HMODULE module = GetModuleHandleW(L"Humicalc.dll");
    ASSERT_NE(module, nullptr);
    using CanUnload = HRESULT(WINAPI*)();
    using GetClass = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto canUnload = reinterpret_cast<CanUnload>(GetProcAddress(module, "DllCanUnloadNow"));
    auto getClass = reinterpret_cast<GetClass>(GetProcAddress(module, "DllGetClassObject"));
    ASSERT_TRUE(canUnload && getClass);

    EXPECT_EQ(canUnload(), S_FALSE);
    first.Reset();
    EXPECT_EQ(canUnload(), S_OK);

    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClass(IID_ICalID, IID_IClassFactory, factory.PutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(getClass(CLSID_CalID, IID_IClassFactory, nullptr), E_POINTER);
    ASSERT_HRESULT_SUCCEEDED(getClass(CLSID_CalID, IID_IClassFactory, factory.PutVoid()));
    EXPECT_EQ(canUnload(), S_FALSE);  // a held class object keeps the library
    ComPtr<ICalID> made;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateInstance(nullptr, IID_ICalID, made.PutVoid()));
    factory.Reset();
    EXPECT_EQ(canUnload(), S_FALSE);
    made.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}

}  // namespace
