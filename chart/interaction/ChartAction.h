// What the chart window is asked to do after an input event: the window side
// of the interaction (invalidation, the XOR band, capture, timer, cursor, the
// popups, the menu and the commands that need a window). Changes to the view
// and the data are made by the interaction itself before it answers.
#pragma once

#include <string>
#include <vector>

namespace humichart {

enum class ChartCursor { Arrow, Move };

struct ChartAction {
    enum Kind {
        Invalidate,        // whole window, without erasing
        InvalidateRect,    // rect
        FocusRect,         // XOR focus rectangle rect, drawn or erased
        Capture,
        ReleaseCapture,
        StartTimer,        // the zoom-hold timer, 1000 ms
        StopTimer,
        SetCursor,         // cursor
        SetFocus,
        ShowParams,        // I, D, pressure into the parameter window
        ClearParams,
        OpenNameEditor,    // at client point (x, y)
        ContextMenu,       // at client point (x, y), checks check208, check206
        ToggleParamWindow,
        OpenDialog,        // command id
        About,
        Copy,
        Print,
        ClearNoName,
        ClearAll,
        Reset,             // clear: the data go too
    };

    Kind kind;
    int left = 0, top = 0, right = 0, bottom = 0;  // rect, or (x, y) in left/top
    double I = 0.0, D = 0.0, pressure = 0.0;
    ChartCursor cursor = ChartCursor::Arrow;
    unsigned id = 0;
    bool flag1 = false;  // Reset: clear; ContextMenu: check 208
    bool flag2 = false;  // ContextMenu: check 206

    // One line per action, for logs and test expectations: "FocusRect 10,10,20,30".
    std::string ToString() const;
};

using ChartActions = std::vector<ChartAction>;

}  // namespace humichart
