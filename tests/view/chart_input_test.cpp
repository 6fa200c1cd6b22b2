// The chart window driven by its window messages: clicks that place and name
// points through the name editor, the parameter window fed by mouse moves,
// the context menu from its resource in both languages, wheel and band zoom,
// the keys and what a dialog around the chart is told about them; the About
// box and "Point status" of the registered control in a container.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "CComCalcBinding.h"
#include "ChartCommandTable.h"
#include "ChartMenuResource.h"
#include "ChartWindowTest.h"
#include "ControlContainer.h"
#include "Humichart_h.h"
#include "HumichartVersion.h"
#include "ModuleInstance.h"
#include "TypedText.h"

namespace humichart::test {
namespace {

// Records the menu as it is shown and picks a command instead of the user.
class MenuChart final : public CIDWnd {
public:
    UINT choice = 0;
    int shown = 0;
    bool checked208 = false, checked206 = false;
    int answer = IDYES;  // to the chart's questions

protected:
    int AskUser(const wchar_t*, const wchar_t*, UINT) override { return answer; }
    UINT TrackMenu(HMENU menu, POINT) override {
        ++shown;
        checked208 = (GetMenuState(menu, ID_MOVE_AND_ZOOM, MF_BYCOMMAND) & MF_CHECKED) != 0;
        checked206 = (GetMenuState(menu, ID_SHOW_PARAMETERS, MF_BYCOMMAND) & MF_CHECKED) != 0;
        return choice;
    }
};

std::wstring Text(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class ChartInputTest : public ChartWindowTest {
protected:
    MenuChart& OpenChart(int width = 480, int height = 360) {
        auto chart = std::make_unique<MenuChart>();
        MenuChart* raw = chart.get();
        Open(width, height, std::move(chart));
        host->Show();  // the first paint makes the chart region
        return *raw;
    }
    void Click(CIDWnd& chart, int x, int y) {
        SendMessageW(chart.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        SendMessageW(chart.Hwnd(), WM_LBUTTONUP, 0, At(x, y));
    }
    // Types text into the open editor and presses key there.
    void Name(CIDWnd& chart, const std::wstring& text, WPARAM key = VK_RETURN) {
        HWND edit = chart.NameEditor().Edit();
        ASSERT_TRUE(edit);
        SetWindowTextW(edit, text.c_str());
        SendMessageW(edit, WM_KEYDOWN, key, 0);
    }
};

TEST_F(ChartInputTest, ClickPlacesAPointAndTheEditorNamesIt) {
    CIDWnd& chart = OpenChart();
    const ChartState state = chart.View().FromPixel(200, 150);
    Click(chart, 200, 150);
    ASSERT_EQ(chart.points.size(), 1u);
    EXPECT_DOUBLE_EQ(chart.points[0].I, state.I);
    EXPECT_DOUBLE_EQ(chart.points[0].D, state.D);
    HWND editor = chart.NameEditor().Hwnd();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(IsWindowVisible(editor) && IsWindowVisible(chart.NameEditor().Edit()));
    RECT frame{};
    GetWindowRect(editor, &frame);
    POINT expected{204, 154};
    ClientToScreen(chart.Hwnd(), &expected);
    EXPECT_EQ(frame.left, expected.x);
    EXPECT_EQ(frame.top, expected.y);
    EXPECT_EQ(chart.pointAddArmed, 0);

    Name(chart, L"Supply");
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_FALSE(chart.NameEditor().Hwnd());
    EXPECT_EQ(chart.points.back().name, L"Supply");
    EXPECT_EQ(chart.pointAddArmed, 1);

    // A click elsewhere while the editor is open takes its focus: it closes
    // and that click places nothing.
    Click(chart, 120, 100);
    Click(chart, 140, 100);
    EXPECT_FALSE(chart.NameEditor().Hwnd());
    EXPECT_EQ(chart.points.size(), 2u);
    EXPECT_EQ(chart.pointAddArmed, 1);
}

// The host hears once of each change the user makes to the data through the
// window, and of nothing else the window does.
TEST_F(ChartInputTest, EachChangeOfTheDataByTheUserIsToldOnce) {
    MenuChart& chart = OpenChart();
    int told = 0;
    chart.SetUserChangeObserver([&] { ++told; });
    auto key = [&](UINT code, bool shiftCtrlAlt = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        for (int held : {VK_SHIFT, VK_CONTROL, VK_MENU}) keys[held] = shiftCtrlAlt ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(chart.Hwnd(), WM_KEYDOWN, code, 0);
        for (int held : {VK_SHIFT, VK_CONTROL, VK_MENU}) keys[held] = 0;
        SetKeyboardState(keys);
    };
    auto command = [&](UINT id) { SendMessageW(chart.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); };
    struct Case {
        const char* what;
        std::function<void()> act;
        int told;
    };
    const Case cases[] = {
        {"a click places a point", [&] { Click(chart, 200, 150), Name(chart, L""); }, 1},
        {"a click places a point that the editor names", [&] { Click(chart, 210, 150), Name(chart, L"N"); }, 2},
        {"a name in use names nothing", [&] { Click(chart, 220, 150), Name(chart, L"N"); }, 1},
        {"a click outside the chart", [&] { Click(chart, 2, 2); }, 0},
        {"a display key", [&] { key('B'); }, 1},
        {"the border key, which needs no new image", [&] { key('K'); }, 1},
        {"the caption's keys", [&] { key('L', true); }, 1},
        {"Move and zoom by its key and its command", [&] { key('Z'), key('Z'), command(ID_MOVE_AND_ZOOM); }, 0},
        {"C takes the points without a name", [&] { key('C'); }, 1},
        {"C with none left", [&] { key('C'); }, 0},
        {"the caption hidden again", [&] { key('L', true); }, 1},
        {"Reset to default, flags and caption back at once", [&] { command(ID_RESET_DEFAULT); }, 1},
        {"Esc on a chart at its defaults", [&] { key(VK_ESCAPE); }, 0},
        {"Clear all answered No", [&] { chart.answer = IDNO, command(ID_CLEAR_ALL); }, 0},
        {"Clear all answered Yes", [&] { chart.answer = IDYES, command(ID_CLEAR_ALL); }, 1},
        {"Clear all of an empty chart", [&] { command(ID_CLEAR_ALL); }, 0},
        {"the host's own changes", [&] {
             chart.points.push_back({40, 5, L"H"});
             chart.ResetChart(true);
             chart.ClearAll();
         }, 0},
    };
    for (const Case& c : cases) {
        told = 0;
        c.act();
        EXPECT_EQ(told, c.told) << c.what;
    }
}

TEST_F(ChartInputTest, EditorClosingRules) {
    struct Case {
        const char* how;
        std::wstring text;
        std::wstring named;
        // What the host does to the points while the editor is open.
        std::function<void(CIDWnd&)> host;
    };
    const std::wstring longName(10000, L'n');
    const std::wstring astral = L"\xD83C\xDF21 Air \xD801\xDC37";
    const auto appends = [](CIDWnd& chart) { chart.points.push_back({30.0, 5.0, L""}); };
    const auto replacesTheFirst = [](CIDWnd& chart) {
        chart.points.erase(chart.points.begin());
        chart.points.push_back({31.0, 5.0, L"H"});
    };
    const Case cases[] = {{"enter", L"A", L"A"},          {"escape keeps the text", L"B", L"B"},
                          {"character", L"C", L"C"},       {"focus lost", L"D", L"D"},
                          {"name in use", L"A", L""},      {"empty", L"", L""},
                          {"long", longName, longName},    {"outside the BMP", astral, astral},
                          {"host appends a point", L"E", L"E", appends},
                          {"host removes one and appends a named one", L"F", L"F", replacesTheFirst}};
    CIDWnd& chart = OpenChart();
    int x = 60;
    for (const Case& c : cases) {
        Click(chart, x += 15, 150);
        const StatePoint placed = chart.points.back();
        if (c.host) c.host(chart);
        const StatePoint last = chart.points.back();
        HWND edit = chart.NameEditor().Edit();
        ASSERT_TRUE(edit) << c.how;
        SetWindowTextW(edit, c.text.c_str());
        const std::string how = c.how;
        if (how == "escape keeps the text")
            SendMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        else if (how == "character")
            SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
        else if (how == "focus lost")
            SetFocus(chart.Hwnd());
        else
            SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_FALSE(chart.NameEditor().Hwnd()) << c.how;
        // The name goes to the point the click placed, and to no other.
        const auto named = std::find_if(chart.points.begin(), chart.points.end(), [&](const StatePoint& p) {
            return p.I == placed.I && p.D == placed.D;
        });
        ASSERT_NE(named, chart.points.end()) << c.how;
        EXPECT_EQ(named->name, c.named) << c.how;
        if (c.host) EXPECT_EQ(chart.points.back().name, last.name) << c.how;
        EXPECT_EQ(chart.pointAddArmed, 1) << c.how;
    }
    EXPECT_EQ(chart.points.size(), std::size(cases) + 1);
}

// Out of memory while the owner takes the name: the editor still closes, the
// owner hears it closed without a name, and it opens again.
TEST_F(ChartInputTest, NameEditorClosesWhenTakingTheNameRunsOutOfMemory) {
    struct Owner final : INameEditorOwner {
        void OnNameEditorClosed(const std::wstring& text) override {
            heard.push_back(text);
            if (heard.size() == 1) throw std::bad_alloc();
        }
        std::vector<std::wstring> heard;
    } owner;
    CIDWnd& chart = OpenChart();
    CDlgInput editor(owner);
    POINT at{100, 100};
    ClientToScreen(chart.Hwnd(), &at);
    for (const wchar_t* name : {L"Room", L"Supply"}) {
        ASSERT_TRUE(editor.Open(chart.Hwnd(), at, name));
        SendMessageW(editor.Edit(), WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_FALSE(editor.Hwnd()) << name;
    }
    EXPECT_EQ(owner.heard, (std::vector<std::wstring>{L"Room", L"", L"Supply"}));
}

TEST_F(ChartInputTest, ParameterWindowShowsTheStateUnderTheCursor) {
    MenuChart& chart = OpenChart(640, 480);
    SendMessageW(chart.Hwnd(), WM_COMMAND, ID_SHOW_PARAMETERS, 0);
    HWND params = chart.ParamWindow().Hwnd();
    ASSERT_TRUE(params);
    EXPECT_TRUE(IsWindowVisible(params));
    // In the chart's bottom-right corner.
    RECT frame{}, client{};
    GetWindowRect(params, &frame);
    GetClientRect(chart.Hwnd(), &client);
    MapWindowPoints(chart.Hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(frame.right, client.right);
    EXPECT_EQ(frame.bottom, client.bottom);

    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, 0, At(150, 200));
    const ChartState state = chart.View().FromPixel(150, 200);
    CComCalcBinding binding;
    std::unique_ptr<ICalcSession> calc;
    ASSERT_TRUE(Succeeded(binding.Open(101325.0, calc)));
    struct Field {
        int id;
        const char* format;
        double value;
    };
    const Field fields[] = {{208, "%.2f", calc->ID_T_D_I(state.D, state.I)},
                            {209, "%.2f", calc->ID_TS_I(state.I)},
                            {210, "%.2f", calc->ID_T_D_F(state.D, 1.0)},
                            {211, "%.3f", state.D},
                            {212, "%.1f", calc->ID_F_D_I(state.D, state.I) * 100.0},
                            {213, "%.1f", calc->ID_PQ_D(state.D)},
                            {214, "%.2f", state.I},
                            {215, "%.1f", 101325.0}};
    for (const Field& field : fields)
        EXPECT_EQ(Text(GetDlgItem(params, field.id)), FormatNumber(field.format, field.value)) << field.id;
    EXPECT_EQ(Text(GetDlgItem(params, 215)), L"101325.0");

    // Outside the chart area, and a state above saturation.
    const ChartState fog = chart.View().FromPixel(600, 420);
    ASSERT_GT(fog.D, calc->ID_D_I_F(fog.I, 1.0));
    for (int way = 0; way < 2; ++way) {
        SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, 0, At(150, 200));
        ASSERT_NE(Text(GetDlgItem(params, 208)), L"");
        if (way == 0)
            SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, 0, At(5, 5));
        else
            chart.ParamWindow().show(fog.I, fog.D, 101325.0);
        for (const Field& field : fields) EXPECT_EQ(Text(GetDlgItem(params, field.id)), L"") << field.id;
    }

    // The menu shows it checked; the command closes it.
    chart.choice = ID_SHOW_PARAMETERS;
    SendMessageW(chart.Hwnd(), WM_RBUTTONDOWN, 0, At(10, 10));
    SendMessageW(chart.Hwnd(), WM_RBUTTONUP, 0, At(10, 10));
    EXPECT_EQ(chart.shown, 1);
    EXPECT_TRUE(chart.checked206);
    EXPECT_FALSE(chart.checked208);
    EXPECT_FALSE(IsWindow(params));
    EXPECT_FALSE(chart.ParamWindow().Hwnd());

    // Enter (its OK command) closes it for good; so does the chart going away.
    SendMessageW(chart.Hwnd(), WM_COMMAND, ID_SHOW_PARAMETERS, 0);
    params = chart.ParamWindow().Hwnd();
    SendMessageW(params, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(IsWindow(params));
    SendMessageW(chart.Hwnd(), WM_COMMAND, ID_SHOW_PARAMETERS, 0);
    params = chart.ParamWindow().Hwnd();
    Click(chart, 200, 200);
    HWND editor = chart.NameEditor().Hwnd();
    ASSERT_TRUE(IsWindow(params) && IsWindow(editor));
    host.reset();
    EXPECT_FALSE(IsWindow(params));
    EXPECT_FALSE(IsWindow(editor));
}

TEST_F(ChartInputTest, ContextMenuMatchesTheCommandsInBothLanguages) {
    const LANGID languages[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)};
    for (LANGID language : languages) {
        HRSRC found = FindResourceExW(ThisModuleInstance(), RT_MENU,
                                      MAKEINTRESOURCEW(IDR_CHARTMENU), language);
        ASSERT_TRUE(found) << language;
        HMENU menu = LoadMenuIndirectW(LockResource(LoadResource(ThisModuleInstance(), found)));
        ASSERT_TRUE(menu);
        HMENU items = GetSubMenu(menu, 0);
        int subMenus = 0;
        std::vector<UINT> ids;
        std::vector<std::wstring> texts;
        for (int i = 0; i < GetMenuItemCount(items); ++i) {
            wchar_t text[128] = {};
            MENUITEMINFOW info{sizeof info, MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU};
            info.dwTypeData = text;
            info.cch = 127;
            ASSERT_TRUE(GetMenuItemInfoW(items, i, TRUE, &info));
            if (info.fType & MFT_SEPARATOR) {
                ids.push_back(0);
                continue;
            }
            ids.push_back(info.wID);
            texts.push_back(text);
            if (info.hSubMenu) {
                // The Tools entry in both languages: the design tools.
                EXPECT_EQ(info.wID, 32787u);
                ASSERT_EQ(GetMenuItemCount(info.hSubMenu), static_cast<int>(ChartToolCommands().size()));
                int k = 0;
                for (const ChartCommand& tool : ChartToolCommands()) {
                    wchar_t toolText[128] = {};
                    GetMenuStringW(info.hSubMenu, k, toolText, 128, MF_BYPOSITION);
                    EXPECT_EQ(GetMenuItemID(info.hSubMenu, k), tool.id) << language;
                    if (language == languages[0]) {
                        EXPECT_STREQ(toolText, tool.text);
                    }
                    ++k;
                }
                ++subMenus;
            }
        }
        std::vector<UINT> expected;
        for (const ChartCommand& command : ChartCommands()) {
            expected.push_back(command.id);
            if (command.separatorAfter) expected.push_back(0);
        }
        EXPECT_EQ(subMenus, 1) << language;
        EXPECT_EQ(ids, expected) << language;
        if (language == languages[0]) {
            size_t i = 0;
            for (const ChartCommand& command : ChartCommands()) EXPECT_EQ(texts[i++], command.text);
        }
        DestroyMenu(menu);
    }
}

TEST_F(ChartInputTest, MenuShowsMoveAndZoomAfterZAndItsCommandsArrive) {
    MenuChart& chart = OpenChart();
    SendMessageW(chart.Hwnd(), WM_KEYDOWN, 'Z', 0);
    EXPECT_EQ(chart.moveZoomMode, 1);
    chart.choice = ID_RESET_DEFAULT;
    SendMessageW(chart.Hwnd(), WM_RBUTTONUP, 0, At(50, 50));
    EXPECT_TRUE(chart.checked208);
    EXPECT_EQ(chart.moveZoomMode, 0) << "Reset to default leaves move-and-zoom mode";
    chart.choice = 0;
    SendMessageW(chart.Hwnd(), WM_RBUTTONUP, 0, At(50, 50));
    EXPECT_FALSE(chart.checked208);
    EXPECT_EQ(chart.shown, 2);
}

TEST_F(ChartInputTest, WheelAndBandZoomThroughMessages) {
    CIDWnd& chart = OpenChart();
    POINT screen{200, 150};
    ClientToScreen(chart.Hwnd(), &screen);
    SendMessageW(chart.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(screen.x, screen.y));
    EXPECT_NEAR(chart.View().pos.s, std::pow(2.0, 0.1), 1e-12);
    SendMessageW(chart.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), MAKELPARAM(screen.x, screen.y));
    EXPECT_NEAR(chart.View().pos.s, std::pow(2.0, 0.1), 1e-12) << "half a notch does nothing";
    SendMessageW(chart.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(screen.x - 300, screen.y));
    EXPECT_NEAR(chart.View().pos.s, std::pow(2.0, 0.1), 1e-12) << "outside the window";

    // A double click in move-and-zoom mode undoes it at the next render.
    SendMessageW(chart.Hwnd(), WM_KEYDOWN, 'Z', 0);
    SendMessageW(chart.Hwnd(), WM_LBUTTONDBLCLK, 0, At(100, 100));
    host->Update();
    EXPECT_DOUBLE_EQ(chart.View().pos.s, 1.0);

    // A band of 100 x 50 in a plot of 390 x 280 zooms by 390 / 100.
    SendMessageW(chart.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
    EXPECT_EQ(GetCapture(), chart.Hwnd());
    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(200, 150));
    SendMessageW(chart.Hwnd(), WM_LBUTTONUP, 0, At(200, 150));
    EXPECT_NE(GetCapture(), chart.Hwnd());
    EXPECT_NEAR(chart.View().pos.s, std::min(390.0 / 100.0, 280.0 / 50.0), 1e-6);
    EXPECT_EQ(chart.renderPending(), 1);
}

TEST_F(ChartInputTest, HoldingTheButtonSwitchesToPanningOnTheTimer) {
    CIDWnd& chart = OpenChart();
    chart.moveZoomMode = 1;
    SendMessageW(chart.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(200, 150));
    EXPECT_TRUE(chart.Input().TimerRunning());
    SendMessageW(chart.Hwnd(), WM_TIMER, 1, 0);
    EXPECT_EQ(chart.dragMoving, 1);
    const double x0 = chart.View().pos.x0;
    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(240, 150));
    EXPECT_DOUBLE_EQ(chart.View().pos.x0, x0 + 40);
    // Moving left of the window while captured counts as x = 0.
    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(-20, 150));
    EXPECT_DOUBLE_EQ(chart.View().pos.x0, x0 - 200);
    SendMessageW(chart.Hwnd(), WM_LBUTTONUP, 0, At(0, 150));
    EXPECT_EQ(chart.dragMoving, 0);
}

TEST_F(ChartInputTest, KeysReachTheChartAndItKeepsThemFromTheDialog) {
    CIDWnd& chart = OpenChart();
    SendMessageW(chart.Hwnd(), WM_KEYDOWN, 'T', 0);
    EXPECT_EQ(chart.HasTLine, 0);
    EXPECT_EQ(chart.renderPending(), 1);
    host->Update();
    SendMessageW(chart.Hwnd(), WM_KEYDOWN, 'K', 0);
    EXPECT_EQ(chart.HasBorder, 1);
    EXPECT_EQ(chart.renderPending(), 0);
    SendMessageW(chart.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(chart.HasTLine, 1) << "Esc resets the chart";

    struct Case {
        UINT message;
        WPARAM key;
        bool wanted;
    };
    const Case cases[] = {{WM_KEYDOWN, VK_ESCAPE, true}, {WM_KEYDOWN, VK_RETURN, true}, {WM_CHAR, L'\r', true},
                          {WM_KEYDOWN, 'B', true},        {WM_CHAR, L'b', true},       {WM_KEYDOWN, VK_TAB, false},
                          {WM_SYSKEYDOWN, VK_F4, false},  {WM_KEYDOWN, 'X', false}};
    for (const Case& c : cases) {
        MSG message{chart.Hwnd(), c.message, c.key, 0};
        const LRESULT code = SendMessageW(chart.Hwnd(), WM_GETDLGCODE, c.key, reinterpret_cast<LPARAM>(&message));
        EXPECT_EQ((code & DLGC_WANTALLKEYS) != 0, c.wanted) << c.message << " " << c.key;
    }
}

// The keys a container offers the control (TranslateAccelerator) for the
// chart and its popups: taken by the chart, by the editor, by the parameter
// window's dialog navigation, or left to the container.
TEST_F(ChartInputTest, OfferedKeysGoWhereTheFocusIs) {
    CIDWnd& chart = OpenChart();
    auto offer = [&](HWND window, UINT message, WPARAM key) {
        MSG msg{window, message, key, 1};
        return chart.TranslateKey(msg);
    };
    EXPECT_TRUE(offer(chart.Hwnd(), WM_KEYDOWN, 'B'));
    EXPECT_EQ(chart.HasBackground, 0) << "delivered to the chart";
    EXPECT_TRUE(offer(chart.Hwnd(), WM_KEYDOWN, VK_RETURN));
    EXPECT_FALSE(offer(chart.Hwnd(), WM_KEYDOWN, VK_TAB));
    EXPECT_FALSE(offer(chart.Hwnd(), WM_SYSKEYDOWN, VK_F4));
    EXPECT_FALSE(offer(chart.Hwnd(), WM_MOUSEMOVE, 0));

    // In the name editor the letters are the name's, Enter closes it.
    Click(chart, 200, 150);
    HWND edit = chart.NameEditor().Edit();
    ASSERT_TRUE(edit);
    EXPECT_TRUE(offer(edit, WM_KEYDOWN, 'T'));
    EXPECT_EQ(chart.HasTLine, 1) << "a letter typed into the editor is not the chart's key";
    SetWindowTextW(edit, L"Typed");
    EXPECT_TRUE(offer(edit, WM_KEYDOWN, VK_RETURN));
    EXPECT_FALSE(chart.NameEditor().Hwnd());
    EXPECT_EQ(chart.points.back().name, L"Typed");

    // In the parameter window Esc closes it for good.
    chart.ToggleParamWindow();
    HWND params = chart.ParamWindow().Hwnd();
    ASSERT_TRUE(params);
    EXPECT_TRUE(offer(GetDlgItem(params, 212), WM_KEYDOWN, VK_ESCAPE));
    EXPECT_FALSE(IsWindow(params));
    EXPECT_FALSE(offer(GetDesktopWindow(), WM_KEYDOWN, VK_ESCAPE)) << "not the chart's window";
}

TEST_F(ChartInputTest, PaintDuringABandDragKeepsTheXorBandErasable) {
    CIDWnd& chart = OpenChart();
    SendMessageW(chart.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(200, 180));
    // The window is resized and painted anew under the band.
    SetWindowPos(chart.Hwnd(), nullptr, 0, 0, 460, 350, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    InvalidateRect(chart.Hwnd(), nullptr, FALSE);
    host->Update();
    HDC screen = GetDC(chart.Hwnd());
    // A stretch of the band's bottom edge (a dotted line), which the next band leaves.
    auto edge = [&] {
        std::vector<COLORREF> pixels;
        for (int x = 150; x < 158; ++x) pixels.push_back(GetPixel(screen, x, 179));
        return pixels;
    };
    const std::vector<COLORREF> withBand = edge();
    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(220, 190));  // the old band erased
    const std::vector<COLORREF> erased = edge();
    SendMessageW(chart.Hwnd(), WM_LBUTTONUP, 0, At(220, 190));
    host->Update();
    const std::vector<COLORREF> after = edge();
    ReleaseDC(chart.Hwnd(), screen);
    EXPECT_EQ(erased, after) << "the erase left the chart as it paints";
    EXPECT_NE(withBand, erased) << "the paint drew the band again";
}

TEST_F(ChartInputTest, ClosingTheProgramWithTheEditorOpenKeepsTheName) {
    CIDWnd& chart = OpenChart();
    Click(chart, 200, 150);
    HWND editor = chart.NameEditor().Hwnd();
    ASSERT_TRUE(editor);
    SetWindowTextW(chart.NameEditor().Edit(), L"Last");
    // The top-level window goes, taking its owned popups and the chart along.
    DestroyWindow(host->Parent());
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_FALSE(chart.Hwnd());
    EXPECT_EQ(chart.points.back().name, L"Last");
    EXPECT_EQ(chart.pointAddArmed, 1);
}

struct AboutSighting {
    bool seen = false;
    std::vector<std::wstring> texts;
};
AboutSighting g_about;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
    g_about.texts.push_back(Text(child));
    return TRUE;
}

void CALLBACK CloseAbout(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = FindWindowW(nullptr, L"About Humichart control");
    if (!about || !IsWindowVisible(about)) return;
    KillTimer(nullptr, timer);
    g_about.seen = true;
    EnumChildWindows(about, CollectText, 0);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
}

BOOL CALLBACK FindPointStatus(HWND window, LPARAM found) {
    if (Text(window) != L"Point status") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The control from the registered Humichart.dll in a container's window, as
// a host has it: what the DLL itself shows, with its own resources.
class RegisteredChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(OleInitialize(nullptr));
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 80, 700, 560,
                               nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(host);
        ShowWindow(host, SW_SHOWNOACTIVATE);
        ASSERT_EQ(container.CreateControl(host, CLSID_HumichartCtl, kId, WS_CHILD | WS_VISIBLE, RECT{10, 10, 610, 460}),
                  S_OK);
        chart = GetWindow(container.Find(kId)->ControlWindow(), GW_CHILD);
        ASSERT_TRUE(chart);
    }
    void TearDown() override {
        container.CloseAll();
        if (host) DestroyWindow(host);
        OleUninitialize();
    }

    static constexpr DWORD kId = 1000;
    HWND host = nullptr;
    HWND chart = nullptr;
    CControlContainer container;
};

TEST_F(RegisteredChartTest, AboutNamesTheComponentAndItsVersion) {
    g_about = AboutSighting{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseAbout);
    SendMessageW(chart, WM_COMMAND, ID_ABOUT_CONTROL, 0);  // modal: returns once closed
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_about.seen);
    // The number of this build, as Humichart.dll's version resource carries
    // it (this program carries none).
    const std::vector<std::wstring> expected{L"Humichart psychrometric chart control", L"Version " HUMICHART_VERSION_TEXT,
                                             L"OK"};
    for (const auto& text : expected)
        EXPECT_NE(std::find(g_about.texts.begin(), g_about.texts.end(), text), g_about.texts.end()) << "missing";
    EXPECT_FALSE(FindWindowW(nullptr, L"About Humichart control"));
    // Double clicks reach the chart window at all only with this class style.
    EXPECT_TRUE(GetClassLongPtrW(chart, GCL_STYLE) & CS_DBLCLKS);
}

// "Point status" is a popup of the host's window: it stays in the chart's
// bottom-right corner however the host moves or the control in it moves or
// changes size.
TEST_F(RegisteredChartTest, PointStatusStaysInTheChartsCorner) {
    SendMessageW(chart, WM_COMMAND, ID_SHOW_PARAMETERS, 0);
    HWND params = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindPointStatus, reinterpret_cast<LPARAM>(&params));
    ASSERT_TRUE(params);
    ASSERT_TRUE(IsWindowVisible(params));
    auto cornerApart = [&] {
        RECT frame{}, client{};
        GetWindowRect(params, &frame);
        GetClientRect(chart, &client);
        MapWindowPoints(chart, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return std::abs(frame.right - client.right) + std::abs(frame.bottom - client.bottom);
    };
    EXPECT_EQ(cornerApart(), 0) << "opened";
    SetWindowPos(host, nullptr, 260, 190, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(cornerApart(), 0) << "host moved";
    ASSERT_EQ(container.MoveControl(kId, RECT{10, 10, 500, 380}, false), S_OK);
    EXPECT_EQ(cornerApart(), 0) << "control resized";
    ASSERT_EQ(container.MoveControl(kId, RECT{60, 40, 550, 410}, false), S_OK);
    EXPECT_EQ(cornerApart(), 0) << "control moved in its host";
}

TEST_F(ChartInputTest, RightClickDuringADragLeavesNoBandAndNoZoom) {
    MenuChart& chart = OpenChart();
    chart.moveZoomMode = 1;
    SendMessageW(chart.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, 100));
    SendMessageW(chart.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(250, 200));
    SendMessageW(chart.Hwnd(), WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, At(250, 200));
    ReleaseCapture();  // as the menu does when it opens
    SendMessageW(chart.Hwnd(), WM_RBUTTONUP, MK_LBUTTON, At(250, 200));
    EXPECT_FALSE(chart.Input().BandShown());
    SendMessageW(chart.Hwnd(), WM_LBUTTONUP, 0, At(250, 200));
    EXPECT_DOUBLE_EQ(chart.View().pos.s, 1.0);
}

}  // namespace
}  // namespace humichart::test
