#include "CIDWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "CChartSceneBuilder.h"
#include "CComCalcBinding.h"
#include "CDataLayerBuilder.h"
#include "CHumichartAboutDlg.h"
#include "ChartKeyTable.h"
#include "ChartMenuResource.h"
#include "CScenePainter.h"
#include "ChartWindowResource.h"
#include "ModuleInstance.h"
#include "NameEditorRules.h"

namespace humichart {

namespace {

const wchar_t kClearAllText[] = L"Ready to clear all data. \n\nAre you sure?";
const wchar_t kDeleteConfirm[] = L"Delete Confirm";
// The zoom-hold timer of "Move and zoom" mode.
constexpr UINT_PTR kZoomHoldTimer = 1;
constexpr UINT kZoomHoldMs = 1000;

Modifiers KeysHeld() {
    return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

RECT ToRect(const ChartAction& action) { return {action.left, action.top, action.right, action.bottom}; }

bool IsWithin(HWND outer, HWND window) { return outer && (window == outer || IsChild(outer, window)); }

}  // namespace

CIDWnd::CIDWnd() : CIDWnd(std::make_unique<CComCalcBinding>()) {}

CIDWnd::CIDWnd(std::unique_ptr<ICalcBinding> calc)
    : CDialogBase(ThisModuleInstance(), IDD_IDWND),
      m_calc(std::move(calc)),
      m_view(*this),
      m_input(m_view, *this, *this),
      m_params(*m_calc),
      m_editor(*this),
      m_menu(LoadMenuW(ThisModuleInstance(), MAKEINTRESOURCEW(IDR_CHARTMENU))) {}

CIDWnd::~CIDWnd() {
    // Destroy the window while the image, region and GDI+ are still ours.
    if (Hwnd()) DestroyWindow(Hwnd());
}

HMENU CIDWnd::ContextMenu() const { return m_menu ? GetSubMenu(m_menu.get(), 0) : nullptr; }

bool CIDWnd::InChartRegion(int x, int y) const { return m_chartRegion && PtInRegion(m_chartRegion.Get(), x, y); }

bool CIDWnd::IsCaptured() const { return Hwnd() && GetCapture() == Hwnd(); }

MousePoint CIDWnd::Position(LPARAM lParam) const {
    return MousePosition(static_cast<std::uint32_t>(lParam), IsCaptured(), m_view.clientWidth, m_view.clientHeight);
}

void CIDWnd::OnNameEditorClosed(const std::wstring& text) {
    if (ApplyEditedName(*this, text)) RequestRepaint();
    pointAddArmed = 1;
}

void CIDWnd::ToggleParamWindow() {
    if (m_params.Hwnd() && IsWindowVisible(m_params.Hwnd())) {
        DestroyWindow(m_params.Hwnd());
        return;
    }
    if (!m_params.Hwnd() && !m_params.Create(Hwnd())) return;
    RECT frame{};
    GetWindowRect(m_params.Hwnd(), &frame);
    POINT origin{0, 0};
    ClientToScreen(Hwnd(), &origin);
    const int x = origin.x + std::max(m_view.clientWidth - static_cast<int>(frame.right - frame.left), 0);
    const int y = origin.y + std::max(m_view.clientHeight - static_cast<int>(frame.bottom - frame.top), 0);
    SetWindowPos(m_params.Hwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    // The chart keeps the focus and with it the keys.
    ShowWindow(m_params.Hwnd(), SW_SHOWNA);
}

UINT CIDWnd::TrackMenu(HMENU menu, POINT screen) {
    return static_cast<UINT>(TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_VERTICAL | TPM_RETURNCMD,
                                              screen.x, screen.y, Hwnd(), nullptr));
}

void CIDWnd::ShowContextMenu(const ChartAction& request) {
    HMENU menu = ContextMenu();
    if (!menu) return;
    CheckMenuItem(menu, ID_MOVE_AND_ZOOM, MF_BYCOMMAND | (request.flag1 ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(menu, ID_SHOW_PARAMETERS, MF_BYCOMMAND | (request.flag2 ? MF_CHECKED : MF_UNCHECKED));
    POINT screen{request.left, request.top};
    ClientToScreen(Hwnd(), &screen);
    if (const UINT command = TrackMenu(menu, screen)) SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool CIDWnd::TranslateKey(MSG& message) {
    if (!Hwnd() || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    if (IsWithin(Hwnd(), message.hwnd)) {
        const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
        if (!(code & DLGC_WANTALLKEYS)) return false;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        return true;
    }
    // The popups are dialogs of their own: Enter and Esc close them.
    for (HWND popup : {m_editor.Hwnd(), m_params.Hwnd()})
        if (IsWithin(popup, message.hwnd)) return IsDialogMessageW(popup, &message) != FALSE;
    return false;
}

void CIDWnd::Perform(const ChartActions& actions) {
    for (const ChartAction& action : actions) {
        switch (action.kind) {
        case ChartAction::Invalidate:
            RequestRepaint();
            break;
        case ChartAction::InvalidateRect: {
            const RECT rect = ToRect(action);
            InvalidateRect(Hwnd(), &rect, FALSE);
            break;
        }
        case ChartAction::FocusRect: {
            // XOR: the same rectangle drawn again erases it. The DC is given
            // back at once.
            const RECT rect = ToRect(action);
            WindowDC dc(Hwnd());
            if (dc.Get()) DrawFocusRect(dc.Get(), &rect);
            break;
        }
        case ChartAction::Capture:
            SetCapture(Hwnd());
            break;
        case ChartAction::ReleaseCapture:
            if (IsCaptured()) ReleaseCapture();
            break;
        case ChartAction::StartTimer:
            SetTimer(Hwnd(), kZoomHoldTimer, kZoomHoldMs, nullptr);
            break;
        case ChartAction::StopTimer:
            KillTimer(Hwnd(), kZoomHoldTimer);
            break;
        case ChartAction::SetCursor:
            ::SetCursor(LoadCursorW(nullptr, action.cursor == ChartCursor::Move ? IDC_SIZEALL : IDC_ARROW));
            break;
        case ChartAction::SetFocus:
            ::SetFocus(Hwnd());
            break;
        case ChartAction::ShowParams:
            m_params.show(action.I, action.D, action.pressure);
            break;
        case ChartAction::ClearParams:
            m_params.clear();
            break;
        case ChartAction::OpenNameEditor: {
            POINT screen{action.left, action.top};
            ClientToScreen(Hwnd(), &screen);
            m_editor.Open(Hwnd(), screen);
            break;
        }
        case ChartAction::ContextMenu:
            ShowContextMenu(action);
            break;
        case ChartAction::ToggleParamWindow:
            ToggleParamWindow();
            break;
        case ChartAction::OpenDialog:
            if (m_dialogs) m_dialogs->Open(*this, action.id);
            break;
        case ChartAction::About:
            CHumichartAboutDlg().DoModal(Hwnd());
            break;
        case ChartAction::Copy:
            CopyToClipboard();
            break;
        case ChartAction::Print:
            PrintChart();
            break;
        case ChartAction::ClearNoName:
            ClearNoNamePoints();
            break;
        case ChartAction::ClearAll:
            ClearAll();
            break;
        case ChartAction::Reset:
            ResetChart(action.flag1);
            break;
        }
    }
}

void CIDWnd::ClearNoNamePoints() {
    std::erase_if(points, [](const StatePoint& point) { return point.name.empty(); });
    RequestRepaint();
}

bool CIDWnd::ClearAll() {
    if (AskUser(kClearAllText, kDeleteConfirm, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    ClearData();
    RequestRender();
    return true;
}

void CIDWnd::ResetChart(bool clear) {
    captionVisible = 1;
    m_view.viewResetPending = 1;
    moveZoomMode = 0;
    dragMoving = 0;
    RestoreDefaults();
    if (clear) ClearData();
    RequestRender();
}

void CIDWnd::RequestRepaint() {
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CIDWnd::RequestRender() {
    m_view.renderPending = 1;
    RequestRepaint();
}

int CIDWnd::AskUser(const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(Hwnd(), text, caption, type);
}

void CIDWnd::PaintInto(HDC dc, const RECT& update) {
    if (paintSuppressed || !m_gdiplus) return;
    if (m_view.renderPending) RenderChartImage(dc);
    if (m_image) {
        SelectedObject selected(m_imageDC.Get(), m_image.Get());
        BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top,
               m_imageDC.Get(), update.left, update.top, SRCCOPY);
    }
    DrawChartData(dc);
}

Status CIDWnd::RenderChartImage(HDC dc) {
    if (!m_gdiplus) return kStatusFail;
    ChartScene scene;
    CChartSceneBuilder builder(*m_calc);
    const Status status = builder.BuildImage(m_view, captionVisible != 0, scene);
    lastRenderStatus = status;
    // A render stopped by the calculator keeps the previous image, and
    // renderPending stays set so that the next paint tries again.
    if (!Succeeded(status)) return status;

    ReleaseImage();
    const int width = std::max(m_view.clientWidth, 1);
    const int height = std::max(m_view.clientHeight, 1);
    UniqueMemoryDC imageDC(CreateCompatibleDC(dc));
    // A device bitmap even when dc draws into a DIB section (pictures, tests):
    // compatible with a DIB section would be another DIB section, which
    // Wine's GDI+ blends pixel by pixel in software for every line, where on
    // a device bitmap it draws through GDI as it does on the screen.
    const bool dibTarget = [&] {
        DIBSECTION section{};
        const HGDIOBJ current = GetCurrentObject(dc, OBJ_BITMAP);
        return current && GetObjectW(current, sizeof section, &section) == sizeof section;
    }();
    WindowDC screen(nullptr);
    UniqueBitmap image(CreateCompatibleBitmap(dibTarget && screen.Get() ? screen.Get() : dc, width, height));
    if (!imageDC || !image) return kStatusFail;
    UniqueRegion region;
    {
        SelectedObject selected(imageDC.Get(), image.Get());
        Gdiplus::Graphics graphics(imageDC.Get());
        CScenePainter painter;
        region = painter.PaintImage(graphics, scene);
        fontFallbacks = painter.FontFallbacks();
    }
    m_imageDC = std::move(imageDC);
    m_image = std::move(image);
    m_chartRegion = std::move(region);
    ++imageRebuilds;
    return kStatusOk;
}

Status CIDWnd::DrawChartData(HDC dc) {
    if (!m_gdiplus) return kStatusFail;
    DataLayer layer;
    CDataLayerBuilder builder(*m_calc);
    const Status status = builder.Build(m_view, layer);
    lastDataStatus = status;
    if (!Succeeded(status)) return status;
    Gdiplus::Graphics graphics(dc);
    CScenePainter painter;
    painter.PaintData(graphics, layer, m_chartRegion.Get());
    ++dataDraws;
    return kStatusOk;
}

void CIDWnd::ReleaseImage() {
    m_image.Reset();
    m_imageDC.Reset();
}

void CIDWnd::OnInit() {
    m_gdiplus = std::make_unique<GdiplusSession>();
    // The size notification of creation came before the window was ours.
    RECT client{};
    GetClientRect(Hwnd(), &client);
    m_view.SetClientSize(client.right, client.bottom);
}

void CIDWnd::OnPaint() {
    PaintScope paint(Hwnd());
    // While printing the window is only validated, so that it does not ask
    // for the same paint again and again.
    if (paintSuppressed) return;
    PaintInto(paint.Get(), paint.UpdateRect());
    // A band being dragged is XOR on the window: where the paint covered it,
    // it is drawn again, so that the next move still erases it.
    if (m_input.BandShown()) {
        const RECT band = ToRect(m_input.BandRect());
        DrawFocusRect(paint.Get(), &band);
    }
}

bool CIDWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_LBUTTONDOWN:
        Perform(m_input.ButtonDown(Position(lParam), KeysHeld()));
        return true;
    case WM_TIMER:
        if (wParam != kZoomHoldTimer) return false;
        Perform(m_input.Timer());
        return true;
    case WM_MOUSEMOVE:
        Perform(m_input.MouseMove(Position(lParam), KeysHeld()));
        return true;
    case WM_LBUTTONUP:
        Perform(m_input.ButtonUp());
        return true;
    case WM_LBUTTONDBLCLK:
        Perform(m_input.DoubleClick());
        return true;
    case WM_MOUSEWHEEL: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Hwnd(), &at);
        Perform(m_input.Wheel(GET_WHEEL_DELTA_WPARAM(wParam), {at.x, at.y}));
        return true;
    }
    case WM_RBUTTONDOWN:
        return true;
    case WM_RBUTTONUP:
        Perform(m_input.RightButtonUp(Position(lParam)));
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Hwnd()) Perform(m_input.CaptureLost());
        return true;
    case WM_COMMAND:
        if (lParam != 0) return false;  // a control's notification, not a menu command
        Perform(m_input.Command(LOWORD(wParam)));
        return true;
    case WM_KEYDOWN:
        Perform(m_input.KeyDown(static_cast<unsigned>(wParam), KeysHeld()));
        return true;
    case WM_GETDLGCODE: {
        // The table's keys, Esc and Enter are the chart's while it has the
        // focus, not the surrounding dialog's.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool wanted = key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
                            ChartWantsKey(static_cast<unsigned>(key->wParam), key->message == WM_CHAR);
        result = wanted ? DLGC_WANTALLKEYS : 0;
        return true;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (m_focusObserver) m_focusObserver->OnChartFocus(message == WM_SETFOCUS);
        return true;
    case WM_INITDIALOG:
        OnInit();
        result = TRUE;
        return true;
    case WM_SIZE:
        m_view.SetClientSize(LOWORD(lParam), HIWORD(lParam));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        // The cached image covers everything; erasing would only flicker.
        result = 1;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_DESTROY:
        // The chart's popups go with it.
        m_editor.Finish();
        if (m_params.Hwnd()) DestroyWindow(m_params.Hwnd());
        KillTimer(Hwnd(), kZoomHoldTimer);
        ReleaseImage();
        m_chartRegion.Reset();
        m_gdiplus.reset();
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace humichart
