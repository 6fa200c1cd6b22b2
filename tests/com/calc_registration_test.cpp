// What self-registration leaves in the registry, read back as a client or the
// platform would look it up.
#include <string>

#include "ComTestSupport.h"

namespace {

const wchar_t kClassKey[] = L"CLSID\\{EA330464-07F3-4220-AA52-63EE1FAFEF5D}";
const wchar_t kLibId[] = L"{B686ADD0-AEE6-45A4-83D1-6BB021FD4046}";

bool KeyExists(const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

// The string value, or "<missing>".
std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof(data);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

std::wstring Sub(const wchar_t* key, const wchar_t* sub) { return std::wstring(key) + L"\\" + sub; }

class RegistrationTest : public ApartmentTest {
protected:
    void SetUp() override {
        ApartmentTest::SetUp();
        ComPtr<ICalID> calc = BindCalculator();  // the registered library, loaded by the platform
        ASSERT_TRUE(calc);
        module = LoadLibraryW(Value(Sub(kClassKey, L"InprocServer32")).c_str());
        ASSERT_NE(module, nullptr);
        registerServer = reinterpret_cast<Export>(GetProcAddress(module, "DllRegisterServer"));
        unregisterServer = reinterpret_cast<Export>(GetProcAddress(module, "DllUnregisterServer"));
        ASSERT_TRUE(registerServer && unregisterServer);
    }
    void TearDown() override {
        if (registerServer) {
            EXPECT_HRESULT_SUCCEEDED(registerServer());  // leave the prefix registered
        }
        if (module) FreeLibrary(module);
        ApartmentTest::TearDown();
    }

    void ExpectRegistered() {
        EXPECT_EQ(Value(L"Humicalc.CalID.1"), L"CCalID Object");
        EXPECT_EQ(Value(L"Humicalc.CalID.1\\CLSID"), L"{EA330464-07F3-4220-AA52-63EE1FAFEF5D}");
        EXPECT_EQ(Value(L"Humicalc.CalID"), L"CCalID Object");
        EXPECT_EQ(Value(L"Humicalc.CalID\\CLSID"), L"{EA330464-07F3-4220-AA52-63EE1FAFEF5D}");
        EXPECT_EQ(Value(L"Humicalc.CalID\\CurVer"), L"Humicalc.CalID.1");
        EXPECT_EQ(Value(kClassKey), L"CCalID Object");
        EXPECT_EQ(Value(Sub(kClassKey, L"ProgID")), L"Humicalc.CalID.1");
        EXPECT_EQ(Value(Sub(kClassKey, L"VersionIndependentProgID")), L"Humicalc.CalID");
        EXPECT_TRUE(KeyExists(Sub(kClassKey, L"Programmable")));
        EXPECT_FALSE(KeyExists(Sub(kClassKey, L"Control")));
        EXPECT_EQ(Value(Sub(kClassKey, L"InprocServer32"), L"ThreadingModel"), L"apartment");
        EXPECT_EQ(Value(kClassKey, L"AppID"), kLibId);
        EXPECT_EQ(Value(Sub(kClassKey, L"TypeLib")), kLibId);
        EXPECT_EQ(Value(std::wstring(L"AppID\\") + kLibId), L"Humicalc");
        EXPECT_EQ(Value(L"AppID\\Humicalc.DLL", L"AppID"), kLibId);

        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(module, path, MAX_PATH);
        EXPECT_EQ(_wcsicmp(Value(Sub(kClassKey, L"InprocServer32")).c_str(), path), 0);

        ComPtr<ITypeLib> library;
        GUID libId{};
        CLSIDFromString(kLibId, &libId);
        EXPECT_HRESULT_SUCCEEDED(LoadRegTypeLib(libId, 1, 0, 0, library.Put()));
    }

    using Export = HRESULT(WINAPI*)();
    HMODULE module = nullptr;
    Export registerServer = nullptr;
    Export unregisterServer = nullptr;
};

TEST_F(RegistrationTest, ProgIdLeadsThroughCurVerToTheInProcessServer) {
    ExpectRegistered();
    CLSID clsid{};
    ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(L"Humicalc.CalID", &clsid));
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_CalID));
}

TEST_F(RegistrationTest, RegisteringAgainReplacesTheClassKeyWhole) {
    HKEY stale = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, Sub(kClassKey, L"Stale\\Deeper").c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &stale, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(stale);
    ASSERT_HRESULT_SUCCEEDED(registerServer());
    ASSERT_HRESULT_SUCCEEDED(registerServer());
    EXPECT_FALSE(KeyExists(Sub(kClassKey, L"Stale")));
    ExpectRegistered();
}

TEST_F(RegistrationTest, UnregisteringRemovesEverythingButTheParents) {
    const LCID before = GetThreadLocale();
    ASSERT_HRESULT_SUCCEEDED(unregisterServer());
    EXPECT_EQ(GetThreadLocale(), before);
    for (const wchar_t* key : {L"Humicalc.CalID.1", L"Humicalc.CalID", kClassKey, L"AppID\\Humicalc.DLL"})
        EXPECT_FALSE(KeyExists(key)) << key;
    EXPECT_FALSE(KeyExists(std::wstring(L"AppID\\") + kLibId));
    EXPECT_TRUE(KeyExists(L"CLSID"));
    EXPECT_TRUE(KeyExists(L"AppID"));
    // The type library of this build's bitness is gone; the other build's may
    // be registered beside it.
    EXPECT_FALSE(KeyExists(std::wstring(L"TypeLib\\") + kLibId + (sizeof(void*) == 8 ? L"\\1.0\\0\\win64" : L"\\1.0\\0\\win32")));

    ComPtr<ICalID> calc;
    EXPECT_FALSE(SUCCEEDED(CoCreateInstance(CLSID_CalID, nullptr, 23, IID_ICalID, calc.PutVoid())));
    EXPECT_HRESULT_SUCCEEDED(unregisterServer());  // twice is harmless

    ASSERT_HRESULT_SUCCEEDED(registerServer());
    ExpectRegistered();
}

}  // namespace
