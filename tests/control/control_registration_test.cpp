// What regsvr32 left in the registry for the control.
#include <string>

#include "ControlTestSupport.h"
#include "GdiHandles.h"

namespace {

const wchar_t kClassKey[] = L"CLSID\\{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}";

bool KeyExists(const std::wstring& key) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return data;
}

TEST(ControlRegistration, TheClassKeyCarriesTheControlEntries) {
    const std::wstring cls = kClassKey;
    EXPECT_EQ(Value(cls), L"CHumichartCtl Object");
    EXPECT_EQ(Value(L"Humichart.HumichartCtl\\CurVer"), L"Humichart.HumichartCtl.1");
    EXPECT_EQ(Value(L"Humichart.HumichartCtl.1\\CLSID"), L"{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}");
    const std::wstring path = Value(cls + L"\\InprocServer32");
    EXPECT_NE(path.find(L"Humichart.dll"), std::wstring::npos) << path;
    EXPECT_EQ(Value(cls + L"\\InprocServer32", L"ThreadingModel"), L"apartment");
    EXPECT_EQ(Value(cls + L"\\ToolboxBitmap32"), path + L", 1");
    EXPECT_EQ(Value(cls + L"\\MiscStatus"), L"0");
    EXPECT_EQ(Value(cls + L"\\MiscStatus\\1"), L"131473");
    EXPECT_EQ(Value(cls + L"\\Version"), L"1.0");
    EXPECT_EQ(Value(cls + L"\\TypeLib"), L"{A84C8B65-1DBA-4978-83C1-9C69821E95B9}");
    EXPECT_EQ(Value(cls, L"AppID"), L"{A84C8B65-1DBA-4978-83C1-9C69821E95B9}");
    EXPECT_EQ(Value(L"AppID\\Humichart.DLL", L"AppID"), L"{A84C8B65-1DBA-4978-83C1-9C69821E95B9}");
    EXPECT_TRUE(KeyExists(cls + L"\\Control"));
    EXPECT_FALSE(KeyExists(cls + L"\\Programmable"));

    // The toolbox picture the entry points at is really there.
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    UniqueBitmap picture(static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, 0)));
    EXPECT_TRUE(picture);
    BITMAP info{};
    if (picture) GetObjectW(picture.Get(), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 15);
    FreeLibrary(module);
}

TEST_F(ControlTest, TheProgIdCreatesTheControl) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(L"Humichart.HumichartCtl", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_HumichartCtl));
    ComPtr<IDispatch> chart;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, chart.PutVoid()), S_OK);
}

}  // namespace
