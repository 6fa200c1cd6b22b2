#include "CHumichartAboutDlg.h"

#include <cstdio>
#include <string>

#include "ChartMenuResource.h"
#include "ModuleInstance.h"

namespace humichart {

namespace {

// The module's own file version ("1.0.1"), read from its version resource so
// that the box can never lag behind the build; empty without one.
std::wstring ModuleVersion(HINSTANCE module) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const DWORD size = found ? SizeofResource(module, found) : 0;
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* bytes = static_cast<const BYTE*>(loaded ? LockResource(loaded) : nullptr);
    // VS_VERSIONINFO: three WORDs, the key L"VS_VERSION_INFO", padding to a
    // DWORD, then the fixed part.
    constexpr DWORD kFixedAt = 40;
    if (!bytes || size < kFixedAt + sizeof(VS_FIXEDFILEINFO)) return {};
    VS_FIXEDFILEINFO fixed;
    memcpy(&fixed, bytes + kFixedAt, sizeof fixed);
    if (fixed.dwSignature != VS_FFI_SIGNATURE) return {};
    wchar_t text[48];
    swprintf(text, 48, L"%u.%u.%u", HIWORD(fixed.dwFileVersionMS), LOWORD(fixed.dwFileVersionMS),
             HIWORD(fixed.dwFileVersionLS));
    return text;
}

}  // namespace

CHumichartAboutDlg::CHumichartAboutDlg() : CDialogBase(ThisModuleInstance(), IDD_HUMICHART_ABOUT) {}

bool CHumichartAboutDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_INITDIALOG) {
        // The template's line ("Version 1.0", "版本 1.0") keeps its word and
        // takes the number of this build.
        const std::wstring version = ModuleVersion(ThisModuleInstance());
        wchar_t line[64] = {};
        GetDlgItemTextW(Hwnd(), IDC_ABOUT_VERSION, line, 64);
        std::wstring word(line);
        const size_t space = word.rfind(L' ');
        if (!version.empty() && space != std::wstring::npos)
            SetDlgItemTextW(Hwnd(), IDC_ABOUT_VERSION, (word.substr(0, space + 1) + version).c_str());
        return false;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        Close(LOWORD(wParam));
        result = 0;
        return true;
    }
    return false;
}

}  // namespace humichart
