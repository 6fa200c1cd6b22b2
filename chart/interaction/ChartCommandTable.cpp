#include "ChartCommandTable.h"

#include <initializer_list>

namespace humichart {

namespace {

constexpr ChartCommand kCommands[] = {
    {202, ChartCommand::About, L"About Humichart control...", true},
    {203, ChartCommand::Dialog, L"Points...", false},
    {204, ChartCommand::Dialog, L"Transfer processes...", false},
    {205, ChartCommand::Dialog, L"Mix processes...", false},
    {32787, ChartCommand::None, L"Tools", true},
    {209, ChartCommand::ClearNoName, L"Clear no-name points", false},
    {210, ChartCommand::ClearAll, L"Clear all", false},
    {211, ChartCommand::Reset, L"Reset to default", true},
    {208, ChartCommand::ToggleMoveZoom, L"Move and zoom", false},
    {206, ChartCommand::ToggleParams, L"Show parameters", true},
    {32785, ChartCommand::Copy, L"Copy bitmap to clipboard", false},
    {32774, ChartCommand::Print, L"Print...", false},
    {32771, ChartCommand::Dialog, L"Data IO...", true},
    {207, ChartCommand::Dialog, L"Graph property...", false},
};

constexpr ChartCommand kToolCommands[] = {
    {32781, ChartCommand::Dialog, L"Supply air state...", false},
    {32782, ChartCommand::Dialog, L"Fresh air...", false},
    {32786, ChartCommand::Dialog, L"Dew-point supply...", false},
};

}  // namespace

std::span<const ChartCommand> ChartCommands() { return kCommands; }
std::span<const ChartCommand> ChartToolCommands() { return kToolCommands; }

const ChartCommand* FindChartCommand(unsigned id) {
    for (std::span<const ChartCommand> menu : {ChartCommands(), ChartToolCommands()})
        for (const ChartCommand& entry : menu)
            if (entry.id == id) return entry.kind == ChartCommand::None ? nullptr : &entry;
    return nullptr;
}

}  // namespace humichart
