// The chart's answer to the mouse, the keyboard and its menu commands, as
// standard C++: the chart window feeds it its input events and carries out
// the actions it answers with. It changes the view, the display flags and the
// data itself; everything that needs a window comes back as an action.
#pragma once

#include <cstdint>

#include "CChartView.h"
#include "ChartAction.h"
#include "ChartInteractionFlags.h"

namespace humichart {

struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool Any() const { return shift || ctrl || alt; }
};

// What the interaction asks of the window it serves.
class IChartInputPort {
public:
    virtual ~IChartInputPort() = default;
    // Whether the client pixel lies in the drawn chart area.
    virtual bool InChartRegion(int x, int y) const = 0;
    virtual bool HasParamWindow() const = 0;
    // Whether the window holds the mouse capture now.
    virtual bool IsCaptured() const = 0;
    // The state a click at a drawn pixel places: the chart area reaches a
    // pixel beyond the saturation curve and the axes, and a point is kept
    // on the chart and at or below saturation.
    virtual ChartState OntoChart(ChartState state) { return state; }
};

// A client position of a mouse notification: the position parameter's low
// and high halves read as unsigned; while captured a half with its sign bit
// set counts as 0, and the position is cut to the client size.
struct MousePoint {
    int x = 0;
    int y = 0;
    bool operator==(const MousePoint&) const = default;
};
MousePoint MousePosition(std::uint32_t lParam, bool captured, int clientWidth, int clientHeight);

class CChartInteraction {
public:
    CChartInteraction(CChartView& view, ChartInteractionFlags& flags, IChartInputPort& port)
        : m_view(view), m_flags(flags), m_port(port) {}

    ChartActions ButtonDown(MousePoint at, Modifiers keys);
    ChartActions Timer();
    ChartActions MouseMove(MousePoint at, Modifiers keys);
    ChartActions ButtonUp();
    ChartActions DoubleClick();
    // at in client pixels; outside the client area nothing happens.
    ChartActions Wheel(int delta, MousePoint at);
    ChartActions RightButtonUp(MousePoint at);
    ChartActions KeyDown(unsigned virtualKey, Modifiers keys);
    ChartActions Command(unsigned id);
    // The capture went to another window (a menu, another program) in the
    // middle of a drag: the drag ends without effect.
    ChartActions CaptureLost();

    // The band drawn in XOR on the window right now, if any: a paint that
    // covers it draws it again so that the next XOR still erases it.
    bool BandShown() const { return m_bandShown; }
    ChartAction BandRect() const;
    bool Dragging() const { return m_pressed; }
    bool TimerRunning() const { return m_timerRunning; }
    MousePoint Press() const { return m_press; }
    MousePoint Last() const { return m_last; }

private:
    void Band(ChartActions& out, MousePoint to);
    void StopTimer(ChartActions& out);
    void LiveTracking(ChartActions& out, MousePoint at);
    void AddPoint(ChartActions& out, MousePoint at);
    void Rerender(ChartActions& out);

    CChartView& m_view;
    ChartInteractionFlags& m_flags;
    IChartInputPort& m_port;
    MousePoint m_press;
    MousePoint m_last;
    bool m_pressed = false;
    bool m_timerRunning = false;
    bool m_bandShown = false;
};

}  // namespace humichart
