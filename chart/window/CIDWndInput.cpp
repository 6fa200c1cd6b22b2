// The chart window's input: its mouse, key and command messages go to the
// input logic (CChartInteraction), and the actions it answers with are
// carried out here; the popups it owns and the keys a container offers.
#include "CIDWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "CCalcError.h"
#include "CHumichartAboutDlg.h"
#include "ChartCommandTable.h"
#include "ChartDomain.h"
#include "ChartKeyTable.h"
#include "ChartMenuResource.h"
#include "NameEditorRules.h"
#include "UserDataChange.h"

namespace humichart {

namespace {

// The zoom-hold timer of "Move and zoom" mode.
constexpr UINT_PTR kZoomHoldTimer = 1;
constexpr UINT kZoomHoldMs = 1000;

Modifiers KeysHeld() {
    return {GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0};
}

RECT ToRect(const ChartAction& action) { return {action.left, action.top, action.right, action.bottom}; }

bool IsWithin(HWND outer, HWND window) { return outer && (window == outer || IsChild(outer, window)); }

}  // namespace

void CIDWnd::DataChangedByUser() {
    if (m_userChangeObserver) m_userChangeObserver();
}

template <class Change>
void CIDWnd::AsUserChange(Change&& change) {
    // The caption goes into the documents the host saves, as the data does.
    const std::int32_t caption = captionVisible;
    UserDataChange data(*this);
    change();
    if (!data.Finish() && captionVisible != caption) DataChangedByUser();
}

bool CIDWnd::RunCommand(unsigned id) {
    if (!FindChartCommand(id)) return false;
    Perform(m_input.Command(id));
    return true;
}

int CIDWnd::CommandState(unsigned id) const {
    if (!FindChartCommand(id)) return -1;
    int state = Busy() || !Hwnd() ? 0 : kCommandCanRun;
    if ((id == ID_MOVE_AND_ZOOM && moveZoomMode) ||
        (id == ID_SHOW_PARAMETERS && m_params.Hwnd() && IsWindowVisible(m_params.Hwnd())))
        state |= kCommandChecked;
    return state;
}

HMENU CIDWnd::ContextMenu() const { return m_menu ? GetSubMenu(m_menu.get(), 0) : nullptr; }

bool CIDWnd::InChartRegion(int x, int y) const { return m_chartRegion && PtInRegion(m_chartRegion.Get(), x, y); }

bool CIDWnd::IsCaptured() const { return Hwnd() && GetCapture() == Hwnd(); }

ChartState CIDWnd::OntoChart(ChartState state) {
    using namespace domain;
    const double D = std::clamp(state.D, kMinD, kMaxD);
    const double Y = std::clamp(state.I - kSlant * state.D, kRangeScale * kMinT, kRangeScale * kMaxT);
    ChartState onto{Y + kSlant * D, D};
    // A pixel of the drawn saturation curve may lie a hair above it: the
    // point goes onto the curve along its enthalpy line.
    try {
        std::unique_ptr<ICalcSession> calc;
        if (Succeeded(m_calc->Open(airPressure, calc)) && calc) {
            const double saturation = calc->ID_D_I_F(onto.I, 1.0);
            if (onto.D > saturation) onto.D = std::max(saturation, kMinD);
        }
    } catch (const CCalcError&) {
    }
    return onto;
}

MousePoint CIDWnd::Position(LPARAM lParam) const {
    return MousePosition(static_cast<std::uint32_t>(lParam), IsCaptured(), m_view.clientWidth, m_view.clientHeight);
}

void CIDWnd::OnNameEditorClosed(const std::wstring& text) {
    // First: whatever naming costs, the chart takes clicks again.
    pointAddArmed = 1;
    if (ApplyEditedName(*this, text, m_placed)) {
        RequestRepaint();
        DataChangedByUser();
    }
}

void CIDWnd::ToggleParamWindow() {
    if (m_params.Hwnd() && IsWindowVisible(m_params.Hwnd())) {
        m_paramFollow.Stop();
        DestroyWindow(m_params.Hwnd());
        return;
    }
    if (!m_params.Hwnd() && !m_params.Create(Hwnd())) return;
    PlaceParamWindow();
    // It is a popup of the host's top-level window: when that window or the
    // control in it moves, the chart moves on the screen and the popup does
    // not, and would come to cover the plot.
    m_paramFollow.Watch(Hwnd(), [this] {
        if (m_params.Hwnd()) PlaceParamWindow();
        else m_paramFollow.Stop();  // closed by its own Enter or Esc
    });
    // The chart keeps the focus and with it the keys.
    ShowWindow(m_params.Hwnd(), SW_SHOWNA);
}

void CIDWnd::PlaceParamWindow() {
    RECT frame{};
    GetWindowRect(m_params.Hwnd(), &frame);
    POINT origin{0, 0};
    ClientToScreen(Hwnd(), &origin);
    const int x = origin.x + std::max(m_view.clientWidth - static_cast<int>(frame.right - frame.left), 0);
    const int y = origin.y + std::max(m_view.clientHeight - static_cast<int>(frame.bottom - frame.top), 0);
    SetWindowPos(m_params.Hwnd(), HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
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
            // The point just placed, before the host can add or remove any.
            if (!points.empty()) m_placed = {points.size() - 1, points.back().I, points.back().D};
            POINT screen{action.left, action.top};
            ClientToScreen(Hwnd(), &screen);
            m_editor.Open(Hwnd(), screen);
            break;
        }
        case ChartAction::ContextMenu: {
            BusyScope busy(m_busy);
            ShowContextMenu(action);
            break;
        }
        case ChartAction::ToggleParamWindow:
            ToggleParamWindow();
            break;
        case ChartAction::OpenDialog: {
            // The dialogs tell of the changes their OK and Apply make.
            BusyScope busy(m_busy);
            if (m_dialogs) m_dialogs->Open(*this, action.id);
            break;
        }
        case ChartAction::About: {
            BusyScope busy(m_busy);
            CHumichartAboutDlg().DoModal(Hwnd());
            break;
        }
        case ChartAction::Copy:
            CopyToClipboard();
            break;
        case ChartAction::Print: {
            BusyScope busy(m_busy);
            PrintChart();
            break;
        }
        case ChartAction::ClearNoName:
            AsUserChange([&] { ClearNoNamePoints(); });
            break;
        case ChartAction::ClearAll: {
            BusyScope busy(m_busy);
            AsUserChange([&] { ClearAll(); });
            break;
        }
        case ChartAction::Reset:
            AsUserChange([&] { ResetChart(action.flag1); });
            break;
        }
    }
}

void CIDWnd::CloseInput() {
    // The chart's popups go with it.
    m_editor.Finish();
    m_paramFollow.Stop();
    if (m_params.Hwnd()) DestroyWindow(m_params.Hwnd());
    KillTimer(Hwnd(), kZoomHoldTimer);
}

bool CIDWnd::HandleInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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
    case WM_LBUTTONUP: {
        // A click places its point before the name editor opens.
        ChartActions actions;
        AsUserChange([&] { actions = m_input.ButtonUp(); });
        Perform(actions);
        return true;
    }
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
    case WM_KEYDOWN: {
        // The display keys change the flags right away; Esc and C are data
        // commands that tell of their own change.
        ChartActions actions;
        AsUserChange([&] { actions = m_input.KeyDown(static_cast<unsigned>(wParam), KeysHeld()); });
        Perform(actions);
        return true;
    }
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
    default:
        return false;
    }
}

}  // namespace humichart
