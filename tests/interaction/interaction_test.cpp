// The chart's input logic fed synthetic event sequences: drags, bands, the
// zoom-hold timer, wheel, keys and commands, checked by the actions it answers
// with and by what it did to the view and the data.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "CChartInteraction.h"
#include "ChartCommandTable.h"
#include "ChartKeyTable.h"
#include "NameEditorRules.h"

namespace humichart {
namespace {

// A window whose chart region is a rectangle and whose capture follows the
// actions.
class FakePort final : public IChartInputPort {
public:
    bool InChartRegion(int x, int y) const override { return x >= 60 && x < 400 && y >= 50 && y < 320; }
    bool HasParamWindow() const override { return params; }
    bool IsCaptured() const override { return captured; }
    bool params = false;
    bool captured = false;
};

constexpr Modifiers kNone{};
constexpr Modifiers kShift{true, false, false};
constexpr Modifiers kCtrl{false, true, false};
constexpr Modifiers kAlt{false, false, true};
constexpr Modifiers kAll{true, true, true};

// A chart with a plot of 400 x 300 pixels at (50, 40) and its input logic.
struct Rig {
    Rig() : view(data), input(view, flags, port) {
        view.SetClientSize(490, 380);
        view.UpdatePlotRect();
        view.ApplyViewReset();
        view.renderPending = 0;
    }

    // Runs one event, applies capture, and answers the actions as text.
    std::vector<std::string> Apply(const ChartActions& actions) {
        std::vector<std::string> lines;
        for (const ChartAction& action : actions) {
            if (action.kind == ChartAction::Capture) port.captured = true;
            if (action.kind == ChartAction::ReleaseCapture) port.captured = false;
            lines.push_back(action.ToString());
        }
        log.insert(log.end(), lines.begin(), lines.end());
        return lines;
    }
    std::vector<std::string> Down(int x, int y, Modifiers keys = kNone) { return Apply(input.ButtonDown({x, y}, keys)); }
    std::vector<std::string> Move(int x, int y, Modifiers keys = kNone) { return Apply(input.MouseMove({x, y}, keys)); }
    std::vector<std::string> Up() { return Apply(input.ButtonUp()); }
    bool Logged(const std::string& line) const {
        for (const std::string& entry : log)
            if (entry == line) return true;
        return false;
    }

    CHumichartDataObj data;
    CChartView view;
    ChartInteractionFlags flags;
    FakePort port;
    CChartInteraction input;
    std::vector<std::string> log;
};

class InteractionTest : public ::testing::Test, public Rig {};

using Lines = std::vector<std::string>;

TEST_F(InteractionTest, ClickAddsOneUnnamedPointAndOpensTheEditorBesideIt) {
    const ChartState at = view.FromPixel(100, 120);
    EXPECT_EQ(Down(100, 120), (Lines{"Capture", "FocusRect 100,120,100,120"}));
    EXPECT_EQ(Up(), (Lines{"InvalidateRect 99,119,101,121", "SetFocus", "InvalidateRect 96,116,104,124",
                           "OpenNameEditor 104,124", "ReleaseCapture", "SetCursor Arrow"}));
    ASSERT_EQ(data.points.size(), 1u);
    EXPECT_DOUBLE_EQ(data.points[0].I, at.I);
    EXPECT_DOUBLE_EQ(data.points[0].D, at.D);
    EXPECT_TRUE(data.points[0].name.empty());
    EXPECT_EQ(flags.pointAddArmed, 0);

    // While the editor is open a click adds nothing.
    Down(150, 150);
    Up();
    EXPECT_EQ(data.points.size(), 1u);
}

TEST_F(InteractionTest, OnlyAClickWithoutNetMovementInsideTheChartAddsAPoint) {
    struct Case {
        const char* name;
        std::function<void(Rig&)> drag;
        size_t points;
    };
    const Case cases[] = {
        {"away and back", [](Rig& t) { t.Down(200, 200); t.Move(240, 260); t.Move(200, 200); t.Up(); }, 1},
        {"moved", [](Rig& t) { t.Down(200, 200); t.Move(201, 200); t.Up(); }, 0},
        {"outside the chart", [](Rig& t) { t.Down(20, 20); t.Up(); }, 0},
        {"in move-and-zoom mode", [](Rig& t) { t.flags.moveZoomMode = 1; t.Down(200, 200); t.Up(); }, 0},
    };
    for (const Case& c : cases) {
        Rig rig;
        c.drag(rig);
        EXPECT_EQ(rig.data.points.size(), c.points) << c.name;
    }
}

TEST_F(InteractionTest, BandIsDrawnInXorAndErasedAtEveryMove) {
    Down(100, 100);
    EXPECT_EQ(Move(130, 90), (Lines{"FocusRect 100,100,100,100", "FocusRect 100,90,130,100"}));
    EXPECT_EQ(Move(70, 140), (Lines{"FocusRect 100,90,130,100", "FocusRect 70,100,100,140"}));
    EXPECT_TRUE(input.BandShown());
    Up();
    EXPECT_FALSE(input.BandShown());
    EXPECT_TRUE(Logged("InvalidateRect 69,99,101,141")) << "the release leaves the band to the next paint";
}

TEST_F(InteractionTest, BandZoomBringsTheBandToThePlot) {
    flags.moveZoomMode = 1;
    // A 200 x 100 band in a plot of 400 x 300: k = min(2, 3) = 2.
    const ChartState corner = view.FromPixel(120, 90);
    Down(320, 190);
    Move(120, 90);
    Up();
    EXPECT_DOUBLE_EQ(view.pos.s, 2.0);
    const PointD moved = view.ToPixel(corner.I, corner.D);
    EXPECT_NEAR(moved.x, view.plotX, 1e-9);
    EXPECT_NEAR(moved.y, view.plotY, 1e-9);
    EXPECT_EQ(view.renderPending, 1);
    EXPECT_TRUE(Logged("StopTimer"));
}

TEST_F(InteractionTest, BandOfTenPixelsOrLessDoesNotZoom) {
    flags.moveZoomMode = 1;
    for (auto [w, h] : {std::pair{10, 50}, {50, 10}, {10, 10}, {-50, -10}}) {
        Down(200, 200);
        Move(200 + w, 200 + h);
        Up();
        EXPECT_DOUBLE_EQ(view.pos.s, 1.0) << w << "x" << h;
    }
    Down(200, 200);
    Move(189, 189);
    Up();
    EXPECT_GT(view.pos.s, 1.0) << "11 x 11 zooms";
}

TEST_F(InteractionTest, HoldingStillSwitchesTheDragToPanning) {
    flags.moveZoomMode = 1;
    EXPECT_EQ(Down(200, 200), (Lines{"Capture", "StartTimer", "FocusRect 200,200,200,200"}));
    EXPECT_EQ(Apply(input.Timer()), (Lines{"StopTimer", "FocusRect 200,200,200,200", "SetCursor Move"}));
    EXPECT_EQ(flags.dragMoving, 1);
    const double x0 = view.pos.x0, y0 = view.pos.y0;
    EXPECT_EQ(Move(230, 180), (Lines{"Invalidate"}));
    EXPECT_DOUBLE_EQ(view.pos.x0, x0 + 30);
    EXPECT_DOUBLE_EQ(view.pos.y0, y0 - 20);
    EXPECT_EQ(Up(), (Lines{"SetFocus", "ReleaseCapture", "SetCursor Arrow"}));
    EXPECT_EQ(flags.dragMoving, 0);
    EXPECT_TRUE(Apply(input.Timer()).empty()) << "a late timer does nothing";
}

TEST_F(InteractionTest, MovingBeforeTheSecondStaysABandDrag) {
    flags.moveZoomMode = 1;
    Down(200, 200);
    EXPECT_EQ(Move(205, 205).front(), "StopTimer");
    EXPECT_TRUE(Apply(input.Timer()).empty());
    EXPECT_EQ(flags.dragMoving, 0);
}

TEST_F(InteractionTest, ModifierDragsZoomAndPanReadAtEveryMove) {
    flags.moveZoomMode = 1;
    const ChartState pressed = view.FromPixel(200, 200);
    EXPECT_EQ(Down(200, 200, kAlt), (Lines{"Capture", "SetCursor Move"}));
    Move(200, 100, kAlt);  // up by 100: doubles about the press point
    EXPECT_DOUBLE_EQ(view.pos.s, 2.0);
    const PointD still = view.ToPixel(pressed.I, pressed.D);
    EXPECT_NEAR(still.x, 200, 1e-9);
    EXPECT_NEAR(still.y, 200, 1e-9);
    EXPECT_TRUE(Move(150, 100, kAlt).empty()) << "Alt zooms on vertical movement only";

    // Ctrl at scale 2: 10 pixels move the chart by 20.
    const double x0 = view.pos.x0;
    Move(160, 100, kCtrl);
    EXPECT_DOUBLE_EQ(view.pos.x0, x0 + 20);
    // Shift: by the mouse's own way.
    Move(170, 100, kShift);
    EXPECT_DOUBLE_EQ(view.pos.x0, x0 + 30);
    Move(170, 200, kAlt);  // down by 100: halves
    EXPECT_DOUBLE_EQ(view.pos.s, 1.0);
    Up();
}

TEST_F(InteractionTest, WheelZoomsByATenthOfADoublingPerNotch) {
    struct Case {
        int delta;
        double scale;
    };
    const Case cases[] = {{60, 1.0},  {-60, 1.0},  {119, 1.0}, {120, std::pow(2.0, 0.1)}, {-120, std::pow(2.0, -0.1)},
                          {239, std::pow(2.0, 0.1)}, {1200, 2.0}, {-1200, 0.5}, {32767, 100.0}, {-3600, 0.125}, {-4800, 0.1}};
    for (const Case& c : cases) {
        view.pos.s = 1.0;
        const ChartActions actions = input.Wheel(c.delta, {200, 150});
        EXPECT_NEAR(view.pos.s, c.scale, 1e-12) << c.delta;
        EXPECT_EQ(actions.size(), c.scale == 1.0 ? 0u : 1u) << c.delta;
    }
    for (int delta : {-32768, -32767, 32767, -12000, 12000}) {
        input.Wheel(delta, {200, 150});
        EXPECT_TRUE(view.pos.s >= 0.1 && view.pos.s <= 100.0) << delta;
    }
    view.pos.s = 1.0;
    for (int i = 0; i < 1000; ++i) input.Wheel(1200, {200, 150});
    EXPECT_DOUBLE_EQ(view.pos.s, 100.0);
    for (int i = 0; i < 1000; ++i) input.Wheel(-1200, {200, 150});
    EXPECT_DOUBLE_EQ(view.pos.s, 0.1);
    EXPECT_TRUE(input.Wheel(120, {490, 10}).empty()) << "outside the client area";
    EXPECT_TRUE(input.Wheel(120, {-1, 10}).empty());
}

TEST_F(InteractionTest, DoubleClickResetsTheViewInMoveAndZoomModeOnly) {
    view.pos.s = 3.0;
    EXPECT_TRUE(Apply(input.DoubleClick()).empty());
    EXPECT_EQ(view.viewResetPending, 0);
    flags.moveZoomMode = 1;
    EXPECT_EQ(Apply(input.DoubleClick()), (Lines{"Invalidate"}));
    EXPECT_EQ(view.viewResetPending, 1);
    EXPECT_EQ(view.renderPending, 1);
}

TEST_F(InteractionTest, KeysToggleTheirFlagsAndRerenderAsTheTableSays) {
    struct Case {
        unsigned key;
        Modifiers keys;
        std::int32_t* flag;
        const char* repaint;  // "render", "paint" or "" (none)
    };
    const Case cases[] = {
        {'B', kNone, &data.HasBackground, "render"}, {'D', kNone, &data.HasDLine, "render"},
        {'F', kNone, &data.HasForeground, "render"}, {'I', kNone, &data.HasILine, "render"},
        {'K', kNone, &data.HasBorder, "paint"},      {'L', kNone, &data.HasProcessLineName, "paint"},
        {'L', kShift, &data.HasProcessLineName, "paint"}, {'L', kAll, &flags.captionVisible, "render"},
        {'R', kNone, &data.HasFLine, "render"},      {'T', kNone, &data.HasTLine, "render"},
        {'Z', kNone, &flags.moveZoomMode, ""},
    };
    for (const Case& c : cases) {
        const std::int32_t before = *c.flag;
        view.renderPending = 0;
        const Lines lines = Apply(input.KeyDown(c.key, c.keys));
        EXPECT_EQ(*c.flag, before ? 0 : 1) << char(c.key);
        EXPECT_EQ(view.renderPending, std::string(c.repaint) == "render" ? 1 : 0) << char(c.key);
        EXPECT_EQ(lines, *c.repaint ? Lines{"Invalidate"} : Lines{}) << char(c.key);
        Apply(input.KeyDown(c.key, c.keys));
        EXPECT_EQ(*c.flag, before) << "toggled back: " << char(c.key);
    }
    EXPECT_EQ(Apply(input.KeyDown(0x1B, kNone)), (Lines{"Reset"}));
    EXPECT_EQ(Apply(input.KeyDown(0x1B, kShift)), (Lines{"Reset clear"}));
    EXPECT_EQ(Apply(input.KeyDown('C', kNone)), (Lines{"ClearNoName"}));
    // Codes that are not letters: numeric pad 2 (0x62), F5 (0x74), Tab.
    for (unsigned other : {0x62u, 0x74u, 0x09u, unsigned('A'), unsigned('Q')}) EXPECT_TRUE(input.KeyDown(other, kNone).empty()) << other;
}

TEST_F(InteractionTest, ChartKeepsItsKeysAndEnterFromTheDialog) {
    EXPECT_TRUE(ChartWantsKey(0x1B, false));
    EXPECT_TRUE(ChartWantsKey(0x0D, false));
    EXPECT_TRUE(ChartWantsKey(0x0D, true));
    EXPECT_TRUE(ChartWantsKey('z', true));
    EXPECT_TRUE(ChartWantsKey('Z', false));
    EXPECT_FALSE(ChartWantsKey('z', false)) << "0x7A is F11";
    EXPECT_FALSE(ChartWantsKey(0x09, false)) << "Tab still leaves the chart";
    EXPECT_FALSE(ChartWantsKey('x', true));
}

TEST_F(InteractionTest, CommandsOfTheMenu) {
    struct Case {
        unsigned id;
        const wchar_t* text;  // null: not an item of the English menu's first level
        bool separatorAfter;
        const char* action;
    };
    // The English menu in its order, then ids no item of it carries.
    const Case cases[] = {
        {202, L"About Humichart control...", true, "About"},
        {203, L"Points...", false, "OpenDialog 203"},
        {204, L"Transfer processes...", false, "OpenDialog 204"},
        {205, L"Mix processes...", false, "OpenDialog 205"},
        {32787, L"Tools", true, ""},
        {209, L"Clear no-name points", false, "ClearNoName"},
        {210, L"Clear all", false, "ClearAll"},
        {211, L"Reset to default", true, "Reset"},
        {208, L"Move and zoom", false, ""},  // toggles the mode, below
        {206, L"Show parameters", true, "ToggleParamWindow"},
        {32785, L"Copy bitmap to clipboard", false, "Copy"},
        {32774, L"Print...", false, "Print"},
        {32771, L"Data IO...", true, "OpenDialog 32771"},
        {207, L"Graph property...", false, "OpenDialog 207"},
        {32781, nullptr, false, "OpenDialog 32781"}, {32782, nullptr, false, "OpenDialog 32782"},
        {32786, nullptr, false, "OpenDialog 32786"}, {1, nullptr, false, ""},
    };
    std::vector<std::wstring> menu, expected;
    for (const ChartCommand& command : ChartCommands())
        menu.push_back(std::to_wstring(command.id) + L" " + command.text + (command.separatorAfter ? L" |" : L""));
    for (const Case& c : cases)
        if (c.text) expected.push_back(std::to_wstring(c.id) + L" " + c.text + (c.separatorAfter ? L" |" : L""));
    EXPECT_EQ(menu, expected);

    for (const Case& c : cases) {
        const Lines lines = Apply(input.Command(c.id));
        EXPECT_EQ(lines, *c.action ? Lines{c.action} : Lines{}) << c.id;
    }
    EXPECT_EQ(flags.moveZoomMode, 1);
    port.params = true;
    EXPECT_EQ(Apply(input.RightButtonUp({30, 40})), (Lines{"ContextMenu 30,40 +208 +206"}));
}

TEST_F(InteractionTest, RightClickDuringADragEndsItWithoutEffect) {
    flags.moveZoomMode = 1;
    Down(300, 250);
    Move(100, 100);
    Apply(input.RightButtonUp({100, 100}));
    // The menu takes the capture.
    port.captured = false;
    EXPECT_EQ(Apply(input.CaptureLost()), (Lines{"InvalidateRect 99,99,301,251", "SetCursor Arrow"}));
    Up();
    EXPECT_DOUBLE_EQ(view.pos.s, 1.0) << "the band of an abandoned drag does not zoom";
    EXPECT_TRUE(Apply(input.CaptureLost()).empty());
}

TEST_F(InteractionTest, LiveTrackingFollowsTheCursorWhileTheParameterWindowIsOpen) {
    const ChartState state = view.FromPixel(200, 200);
    EXPECT_TRUE(Move(200, 200).empty());
    port.params = true;
    char expected[80];
    std::snprintf(expected, sizeof expected, "ShowParams %.3f,%.3f,101325", state.I, state.D);
    EXPECT_EQ(Move(200, 200), (Lines{expected}));
    EXPECT_EQ(Move(10, 10), (Lines{"ClearParams"}));
    // A click shows the new point's state, then tracking pauses while the
    // editor is open.
    Down(200, 200);
    EXPECT_EQ(Up()[2], expected);
    EXPECT_TRUE(Move(210, 210).empty());
    flags.moveZoomMode = 1;
    EXPECT_EQ(Move(10, 10), (Lines{"ClearParams"})) << "move-and-zoom mode tracks regardless";
}

TEST(MousePositionTest, HalvesAreUnsignedAndCutWhileCaptured) {
    EXPECT_EQ(MousePosition(0x00280064u, false, 400, 300), (MousePoint{100, 40}));
    EXPECT_EQ(MousePosition(0xFFF0FFF6u, true, 400, 300), (MousePoint{0, 0})) << "left of and above the window";
    EXPECT_EQ(MousePosition(0x01F40258u, true, 400, 300), (MousePoint{400, 300}));
    EXPECT_EQ(MousePosition(0x7FFF7FFFu, false, 400, 300), (MousePoint{400, 300}));
}

TEST(NameEditorRulesTest, TextNamesTheLastPointUnlessEmptyOrInUse) {
    CHumichartDataObj data;
    data.points = {{40, 8, L"A"}, {50, 10, L""}};
    EXPECT_FALSE(ApplyEditedName(data, L""));
    EXPECT_FALSE(ApplyEditedName(data, L"A"));
    EXPECT_TRUE(data.points[1].name.empty());
    const std::wstring longName(10000, L'x');
    EXPECT_TRUE(ApplyEditedName(data, longName));
    EXPECT_EQ(data.points[1].name, longName);
    data.points.push_back({});
    const std::wstring astral = L"\xD83C\xDF21 T\xD801\xDC37";  // two characters outside the BMP
    EXPECT_TRUE(ApplyEditedName(data, astral));
    EXPECT_EQ(data.points[2].name, astral);
    CHumichartDataObj empty;
    EXPECT_FALSE(ApplyEditedName(empty, L"X"));
}

}  // namespace
}  // namespace humichart
