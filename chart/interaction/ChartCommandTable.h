// The context menu's commands as data: what each menu id does, its English
// text and whether a separator follows it. The menu resource holds the same
// items; the chart window's commands are looked up here.
#pragma once

#include <span>

namespace humichart {

struct ChartCommand {
    enum Kind { None, About, Dialog, ClearNoName, ClearAll, Reset, ToggleMoveZoom, ToggleParams, Copy, Print };
    unsigned id;
    Kind kind;
    const wchar_t* text;
    bool separatorAfter;
};

// The first sub-menu of menu 201 in its order (English texts).
std::span<const ChartCommand> ChartCommands();
// The sub-menu of its "Tools" entry (32787), the design tools, in its order.
std::span<const ChartCommand> ChartToolCommands();
// The entry of a command id, or null for ids the chart does not handle.
const ChartCommand* FindChartCommand(unsigned id);

inline constexpr unsigned kMenuChart = 201;
inline constexpr unsigned kCmdMoveZoom = 208;
inline constexpr unsigned kCmdShowParams = 206;

}  // namespace humichart
