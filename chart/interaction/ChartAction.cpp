#include "ChartAction.h"

#include <cstdio>

namespace humichart {

std::string ChartAction::ToString() const {
    static const char* const kNames[] = {
        "Invalidate", "InvalidateRect", "FocusRect", "Capture", "ReleaseCapture", "StartTimer", "StopTimer",
        "SetCursor", "SetFocus", "ShowParams", "ClearParams", "OpenNameEditor", "ContextMenu",
        "ToggleParamWindow", "OpenDialog", "About", "Copy", "Print", "ClearNoName", "ClearAll", "Reset"};
    char text[160];
    const char* name = kNames[kind];
    switch (kind) {
    case InvalidateRect:
    case FocusRect:
        std::snprintf(text, sizeof text, "%s %d,%d,%d,%d", name, left, top, right, bottom);
        break;
    case SetCursor:
        std::snprintf(text, sizeof text, "%s %s", name, cursor == ChartCursor::Move ? "Move" : "Arrow");
        break;
    case ShowParams:
        std::snprintf(text, sizeof text, "%s %.3f,%.3f,%.0f", name, I, D, pressure);
        break;
    case OpenNameEditor:
        std::snprintf(text, sizeof text, "%s %d,%d", name, left, top);
        break;
    case ContextMenu:
        std::snprintf(text, sizeof text, "%s %d,%d%s%s", name, left, top, flag1 ? " +208" : "", flag2 ? " +206" : "");
        break;
    case OpenDialog:
        std::snprintf(text, sizeof text, "%s %u", name, id);
        break;
    case Reset:
        std::snprintf(text, sizeof text, "%s%s", name, flag1 ? " clear" : "");
        break;
    default:
        std::snprintf(text, sizeof text, "%s", name);
        break;
    }
    return text;
}

}  // namespace humichart
