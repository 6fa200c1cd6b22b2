// Every shipped binary of this tree carries the product's one version, as
// "Properties > Details" and the installer read it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HumichartVersion.h"

namespace {

std::wstring BinaryPath(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

std::wstring Widen(const char* text) { return std::wstring(text, text + strlen(text)); }

}  // namespace

TEST(VersionResource, EveryBinaryCarriesTheProductVersion) {
    const DWORD expectedHigh = MAKELONG(HUMICHART_VERSION_MINOR, HUMICHART_VERSION_MAJOR);
    const DWORD expectedLow = MAKELONG(0, HUMICHART_VERSION_PATCH);
    for (const wchar_t* name : {L"Humicalc.dll", L"Humichart.dll", L"Humistart.exe"}) {
        SCOPED_TRACE(testing::Message() << name);
        const std::wstring path = BinaryPath(name);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::vector<BYTE> data(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, data.data()));

        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        EXPECT_EQ(fixed->dwFileVersionMS, expectedHigh);
        EXPECT_EQ(fixed->dwFileVersionLS, expectedLow);
        EXPECT_EQ(fixed->dwProductVersionMS, expectedHigh);
        EXPECT_EQ(fixed->dwProductVersionLS, expectedLow);
        EXPECT_EQ(fixed->dwFileType, std::wstring(name).ends_with(L".exe") ? DWORD(VFT_APP) : DWORD(VFT_DLL));

        const auto text = [&](const wchar_t* field) {
            wchar_t* value = nullptr;
            UINT chars = 0;
            const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + field;
            if (!VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars) || !value)
                return std::wstring(L"<missing>");
            return std::wstring(value);
        };
        EXPECT_EQ(text(L"FileVersion"), Widen(HUMICHART_VERSION_TEXT));
        EXPECT_EQ(text(L"ProductVersion"), Widen(HUMICHART_VERSION_TEXT));
        EXPECT_EQ(text(L"ProductName"), L"Humichart");
        EXPECT_EQ(text(L"OriginalFilename"), name);
        EXPECT_EQ(text(L"LegalCopyright"), Widen(HUMICHART_COPYRIGHT));
        EXPECT_NE(text(L"FileDescription").find(L"Humi"), std::wstring::npos) << text(L"FileDescription").c_str();
        // Component servers announce that they register themselves.
        EXPECT_EQ(text(L"OLESelfRegister") != L"<missing>", std::wstring(name).ends_with(L".dll"));
    }
}
