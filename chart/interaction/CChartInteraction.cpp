#include "CChartInteraction.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ChartCommandTable.h"
#include "ChartKeyTable.h"

namespace humichart {

namespace {

// Distances in pixels of a 96-dpi display; the view turns them into this
// display's. Dragging the mouse up by this many pixels with Alt doubles the
// scale.
constexpr double kAltZoomPixels = 100.0;
// A band must be wider and higher than this to zoom.
constexpr int kMinBand = 10;
// Half the width of a point's dot, rounded up.
constexpr int kDotReach = 4;
constexpr int kWheelNotch = 120;
// One wheel notch scales by 2^(1/10).
constexpr double kNotchesPerDoubling = 10.0;

ChartAction Make(ChartAction::Kind kind) { return ChartAction{kind}; }

ChartAction Rect(ChartAction::Kind kind, int left, int top, int right, int bottom) {
    ChartAction action{kind};
    action.left = left;
    action.top = top;
    action.right = right;
    action.bottom = bottom;
    return action;
}

ChartAction Cursor(ChartCursor cursor) {
    ChartAction action{ChartAction::SetCursor};
    action.cursor = cursor;
    return action;
}

void Toggle(std::int32_t& flag) { flag = flag == 0 ? 1 : 0; }

int Cut(std::uint32_t half, bool captured, int size) {
    int value = static_cast<int>(half & 0xFFFFu);
    if (captured && (half & 0x8000u)) value = 0;
    return std::clamp(value, 0, std::max(size, 0));
}

}  // namespace

MousePoint MousePosition(std::uint32_t lParam, bool captured, int clientWidth, int clientHeight) {
    return {Cut(lParam & 0xFFFFu, captured, clientWidth), Cut(lParam >> 16, captured, clientHeight)};
}

ChartAction CChartInteraction::BandRect() const {
    return Rect(ChartAction::FocusRect, std::min(m_press.x, m_last.x), std::min(m_press.y, m_last.y),
                std::max(m_press.x, m_last.x), std::max(m_press.y, m_last.y));
}

// XOR: the band from the press point to the last position goes, the one to
// the new position comes.
void CChartInteraction::Band(ChartActions& out, MousePoint to) {
    if (m_bandShown) out.push_back(BandRect());
    const MousePoint last = m_last;
    m_last = to;
    out.push_back(BandRect());
    m_last = last;
    m_bandShown = true;
}

void CChartInteraction::StopTimer(ChartActions& out) {
    if (!m_timerRunning) return;
    m_timerRunning = false;
    out.push_back(Make(ChartAction::StopTimer));
}

void CChartInteraction::Rerender(ChartActions& out) {
    m_view.renderPending = 1;
    out.push_back(Make(ChartAction::Invalidate));
}

void CChartInteraction::LiveTracking(ChartActions& out, MousePoint at) {
    if (!m_port.InChartRegion(at.x, at.y)) {
        out.push_back(Make(ChartAction::ClearParams));
        return;
    }
    const ChartState state = m_view.FromPixel(at.x, at.y);
    ChartAction show{ChartAction::ShowParams};
    show.I = state.I;
    show.D = state.D;
    show.pressure = m_view.Data().airPressure;
    out.push_back(show);
}

ChartActions CChartInteraction::ButtonDown(MousePoint at, Modifiers keys) {
    ChartActions out;
    m_press = m_last = at;
    m_pressed = true;
    m_bandShown = false;
    out.push_back(Make(ChartAction::Capture));
    if (m_flags.moveZoomMode) {
        if (keys.Any()) {
            m_flags.dragMoving = 1;
            out.push_back(Cursor(ChartCursor::Move));
            return out;
        }
        m_timerRunning = true;
        out.push_back(Make(ChartAction::StartTimer));
    }
    out.push_back(BandRect());  // empty, at the press point
    m_bandShown = true;
    return out;
}

ChartActions CChartInteraction::Timer() {
    ChartActions out;
    if (!m_timerRunning) return out;
    m_flags.dragMoving = 1;
    StopTimer(out);
    if (m_bandShown) out.push_back(BandRect());
    m_bandShown = false;
    out.push_back(Cursor(ChartCursor::Move));
    return out;
}

ChartActions CChartInteraction::MouseMove(MousePoint at, Modifiers keys) {
    ChartActions out;
    const bool captured = m_port.IsCaptured();
    if (m_flags.moveZoomMode) {
        if (captured) {
            StopTimer(out);
            if (!m_flags.dragMoving) {
                Band(out, at);
            } else if (keys.alt) {
                if (at.y != m_last.y &&
                    m_view.Zoom(std::pow(2.0, (m_last.y - at.y) / m_view.Px(kAltZoomPixels)), {double(m_press.x), double(m_press.y)}))
                    Rerender(out);
            } else if (!(at == m_last)) {
                // With Ctrl the chart moves by the mouse's way times the scale.
                const double factor = keys.ctrl ? m_view.pos.s : 1.0;
                m_view.Pan((at.x - m_last.x) * factor, (at.y - m_last.y) * factor);
                Rerender(out);
            }
        }
        if (m_port.HasParamWindow()) LiveTracking(out, at);
    } else {
        if (captured) Band(out, at);
        if (m_port.HasParamWindow() && m_flags.pointAddArmed) LiveTracking(out, at);
    }
    m_last = at;
    return out;
}

void CChartInteraction::AddPoint(ChartActions& out, MousePoint at) {
    const ChartState state = m_port.OntoChart(m_view.FromPixel(at.x, at.y));
    CHumichartDataObj& data = m_view.Data();
    if (m_port.HasParamWindow()) {
        ChartAction show{ChartAction::ShowParams};
        show.I = state.I;
        show.D = state.D;
        show.pressure = data.airPressure;
        out.push_back(show);
    }
    data.points.push_back(StatePoint{state.I, state.D, {}});
    const int reach = m_view.PxInt(kDotReach);
    out.push_back(Rect(ChartAction::InvalidateRect, at.x - reach, at.y - reach, at.x + reach, at.y + reach));
    m_flags.pointAddArmed = 0;
    // The editor opens where the point's name will stand.
    ChartAction editor{ChartAction::OpenNameEditor};
    editor.left = at.x + reach;
    editor.top = at.y + reach;
    out.push_back(editor);
}

ChartActions CChartInteraction::ButtonUp() {
    ChartActions out;
    const bool pressed = m_pressed;
    m_pressed = false;
    if (m_port.IsCaptured() && !m_flags.dragMoving && m_bandShown) {
        const ChartAction band = BandRect();
        out.push_back(Rect(ChartAction::InvalidateRect, band.left - 1, band.top - 1, band.right + 1, band.bottom + 1));
    }
    m_bandShown = false;
    out.push_back(Make(ChartAction::SetFocus));
    if (m_flags.moveZoomMode) {
        StopTimer(out);
        const int width = std::abs(m_last.x - m_press.x);
        const int height = std::abs(m_last.y - m_press.y);
        if (pressed && !m_flags.dragMoving && width > m_view.PxInt(kMinBand) && height > m_view.PxInt(kMinBand)) {
            const double left = std::min(m_press.x, m_last.x);
            const double top = std::min(m_press.y, m_last.y);
            const double k = std::min(m_view.plotWidth / width, m_view.plotHeight / height);
            m_view.Zoom(k, {left, top});
            m_view.pos.x0 += m_view.plotX - left;
            m_view.pos.y0 += m_view.plotY - top;
            Rerender(out);
        }
    } else if (pressed && m_last == m_press && m_port.InChartRegion(m_last.x, m_last.y) && m_flags.pointAddArmed) {
        AddPoint(out, m_last);
    }
    m_flags.dragMoving = 0;
    out.push_back(Make(ChartAction::ReleaseCapture));
    out.push_back(Cursor(ChartCursor::Arrow));
    return out;
}

ChartActions CChartInteraction::CaptureLost() {
    ChartActions out;
    if (!m_pressed) return out;
    m_pressed = false;
    if (m_bandShown) {
        const ChartAction band = BandRect();
        out.push_back(Rect(ChartAction::InvalidateRect, band.left - 1, band.top - 1, band.right + 1, band.bottom + 1));
        m_bandShown = false;
    }
    StopTimer(out);
    m_flags.dragMoving = 0;
    out.push_back(Cursor(ChartCursor::Arrow));
    return out;
}

ChartActions CChartInteraction::DoubleClick() {
    ChartActions out;
    if (!m_flags.moveZoomMode) return out;
    m_view.ResetView();
    out.push_back(Make(ChartAction::Invalidate));
    return out;
}

ChartActions CChartInteraction::Wheel(int delta, MousePoint at) {
    ChartActions out;
    if (at.x < 0 || at.y < 0 || at.x >= m_view.clientWidth || at.y >= m_view.clientHeight) return out;
    const int notches = delta / kWheelNotch;  // truncated toward zero
    if (notches == 0) return out;
    if (m_view.Zoom(std::pow(2.0, notches / kNotchesPerDoubling), {double(at.x), double(at.y)})) Rerender(out);
    return out;
}

ChartActions CChartInteraction::RightButtonUp(MousePoint at) {
    ChartAction menu{ChartAction::ContextMenu};
    menu.left = at.x;
    menu.top = at.y;
    menu.flag1 = m_flags.moveZoomMode != 0;
    menu.flag2 = m_port.HasParamWindow();
    return {menu};
}

ChartActions CChartInteraction::KeyDown(unsigned virtualKey, Modifiers keys) {
    ChartActions out;
    const ChartKey* key = FindChartKey(virtualKey);
    if (!key) return out;
    CHumichartDataObj& data = m_view.Data();
    switch (key->kind) {
    case ChartKey::Reset: {
        ChartAction reset{ChartAction::Reset};
        reset.flag1 = keys.shift;
        out.push_back(reset);
        return out;
    }
    case ChartKey::ClearNoName:
        out.push_back(Make(ChartAction::ClearNoName));
        return out;
    case ChartKey::ToggleMoveZoom:
        Toggle(m_flags.moveZoomMode);
        return out;
    case ChartKey::ToggleNames:
        if (keys.shift && keys.ctrl && keys.alt) {
            Toggle(m_flags.captionVisible);
            Rerender(out);
            return out;
        }
        break;
    case ChartKey::ToggleDataFlag:
        break;
    }
    Toggle(data.*(key->flag));
    if (key->rerender)
        Rerender(out);
    else
        out.push_back(Make(ChartAction::Invalidate));
    return out;
}

ChartActions CChartInteraction::Command(unsigned id) {
    ChartActions out;
    const ChartCommand* command = FindChartCommand(id);
    if (!command) return out;
    switch (command->kind) {
    case ChartCommand::None:
        break;
    case ChartCommand::About:
        out.push_back(Make(ChartAction::About));
        break;
    case ChartCommand::Dialog: {
        ChartAction open{ChartAction::OpenDialog};
        open.id = id;
        out.push_back(open);
        break;
    }
    case ChartCommand::ClearNoName:
        out.push_back(Make(ChartAction::ClearNoName));
        break;
    case ChartCommand::ClearAll:
        out.push_back(Make(ChartAction::ClearAll));
        break;
    case ChartCommand::Reset:
        out.push_back(Make(ChartAction::Reset));
        break;
    case ChartCommand::ToggleMoveZoom:
        Toggle(m_flags.moveZoomMode);
        break;
    case ChartCommand::ToggleParams:
        out.push_back(Make(ChartAction::ToggleParamWindow));
        break;
    case ChartCommand::Copy:
        out.push_back(Make(ChartAction::Copy));
        break;
    case ChartCommand::Print:
        out.push_back(Make(ChartAction::Print));
        break;
    }
    return out;
}

}  // namespace humichart
