#include "CHumistartDlg.h"

#include <string>

#include "CAboutDlg.h"
#include "HumistartResource.h"
#include "ModuleInstance.h"

CHumistartDlg::CHumistartDlg()
    : CControlDialog(ThisModuleInstance(), IDD_HUMISTART_DIALOG),
      icon_(LoadIconW(ThisModuleInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

BOOL CHumistartDlg::OnInitDialog() {
    chart_.Bind(Hwnd(), IDC_HUMICHARTCTL1, Controls());

    // LoadString with a zero length hands out a read-only pointer into the
    // string table, with no copy to free.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Instance(), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&text), 0);
    HMENU systemMenu = GetSystemMenu(Hwnd(), FALSE);
    if (systemMenu && text && length > 0) {
        const std::wstring about(text, static_cast<size_t>(length));
        AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about.c_str());
    }
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    return TRUE;
}

void CHumistartDlg::PaintMinimised() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Hwnd(), &paint);
    SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(Hwnd(), &paint);
}

bool CHumistartDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return false;
        CAboutDlg().DoModal(Hwnd());
        result = 0;
        return true;
    case WM_PAINT:
        if (!IsIconic(Hwnd())) return false;
        PaintMinimised();
        result = 0;
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(icon_);
        return true;
    case 0x02E0: {  // WM_DPICHANGED, hidden by older headers
        // Moved to a monitor of another scale: the rectangle Windows suggests
        // keeps the window's physical size and its place under the cursor.
        // Not handled, so that the dialog manager goes on to rescale the
        // controls and their fonts.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return false;
    }
    case WM_SIZE:
        // Not handled, so the dialog manager's own treatment follows.
        chart_.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam), false);
        return false;
    default:
        return CControlDialog::HandleMessage(message, wParam, lParam, result);
    }
}
