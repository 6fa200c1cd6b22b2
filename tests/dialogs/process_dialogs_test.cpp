// The process dialogs for real under Wine: opened over a chart window by the
// menu's dialog opener, driven by the messages a user's actions send, their
// message boxes answered, the controls and the chart checked afterwards. The
// Chinese cases run in a process whose user interface language is Chinese
// (the test script starts one); each language skips the other's cases.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <memory>

#include "CChartDialogs.h"
#include "ChartHost.h"
#include "DibSurface.h"
#include "../ModalScript.h"
#include "DesignDialogsResource.h"
#include "ProcessDialogsResource.h"
#include "ProcessTexts.h"
#include "TypedText.h"

namespace humichart {
namespace {

using test::ComboItems;
using test::ModalScript;
using test::User;
using test::WindowText;

const std::wstring kError = L"Error Report", kConfirm = L"Delete Confirm";
constexpr UINT kErrorStyle = MB_OK | MB_ICONERROR, kConfirmStyle = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
bool ChineseInterface() { return GetUserDefaultUILanguage() == kChinese; }

class ProcessDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Spares the next runs Wine's wait for a window manager.
        test::AskWineToManageOurWindows();
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        host = std::make_unique<render::ChartHost>(640, 480);
        ASSERT_TRUE(host->Ok());
        host->Show();
    }
    void TearDown() override {
        host.reset();
        CoUninitialize();
    }
    CIDWnd& Chart() { return host->Chart(); }
    // The dialog of a context-menu command, run to its end with script.
    void Open(unsigned command, ModalScript& script) {
        script.Run([&] { EXPECT_TRUE(CChartDialogs().Open(Chart(), command)); });
    }
    double Rho(double I, double D) {
        std::unique_ptr<ICalcSession> calc;
        EXPECT_TRUE(Succeeded(Chart().Calc().Open(Chart().airPressure, calc)));
        return calc ? calc->ID_ROU_I_D(I, D) : 0.0;
    }
    static bool ReadOnly(HWND dialog, int id) {
        return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0;
    }
    static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    static int Selection(HWND dialog, int id) {
        return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
    }
    static std::wstring Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
    // The control that has the focus, a combo box for its edit field.
    static int FocusId(HWND dialog) { return test::FocusedItem(dialog); }
    // How many characters the user may type into a field (a combo box's
    // edit field for a combo box).
    static LRESULT TypingLimit(HWND dialog, int id) {
        HWND control = GetDlgItem(dialog, id);
        if (HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr)) control = edit;
        return SendMessageW(control, EM_GETLIMITTEXT, 0, 0);
    }

    std::unique_ptr<render::ChartHost> host;
};

TEST_F(ProcessDialogsTest, TransferProcessesEndByRatioFlowFromLoadAndRefusals) {
    if (ChineseInterface()) GTEST_SKIP() << "English interface only";
    Chart().points = {{50, 10, L"A"}, {40, 8, L"B"}, {30, 5, L""}};
    Chart().processes = {{L"A", L"B", L"P1", 1000}};
    const double rho = Rho(50, 10);
    const std::wstring title = L"Transfer processes";
    ModalScript script;
    script.In(title, "opened", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_START)), (std::vector<std::wstring>{L"<By HOM>", L"A", L"B"}));
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_NAME)), std::vector<std::wstring>{L"P1"});
        EXPECT_FALSE(Enabled(d, IDC_ITEM_ADD) || Enabled(d, IDC_ITEM_MODIFY) || Enabled(d, IDC_ITEM_DELETE));
        EXPECT_FALSE(Enabled(d, IDC_APPLY));
        EXPECT_TRUE(ReadOnly(d, IDC_PROCESS_RATIO));
        // Names as long as the user likes.
        EXPECT_GE(TypingLimit(d, IDC_PROCESS_NAME), 100000);
        User::Choose(d, IDC_PROCESS_START, 1);
        User::Choose(d, IDC_PROCESS_END, 0);
    });
    script.In(title, "a new process ending by ratio", [&](HWND d) {
        EXPECT_FALSE(ReadOnly(d, IDC_PROCESS_RATIO));
        User::Type(d, IDC_PROCESS_RATIO, L"5000");
        User::Type(d, IDC_AIR_FLOW, L"1000");
        User::Type(d, IDC_PROCESS_NAME, L"Cooling");
        EXPECT_TRUE(Enabled(d, IDC_ITEM_ADD));
        User::Click(d, IDC_ITEM_ADD);
    });
    script.In(L"Get point by HOM", "the new point's name and moisture", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_KNOWN_KIND)),
                  (std::vector<std::wstring>{L"DB.T(Deg.C)", L"R.H(%)", L"M.C(g/kg)", L"I(kJ/kg)", L"WB.T(Deg.C)",
                                             L"DP.T(Deg.C)", L"V.P(Pa)"}));
        EXPECT_EQ(Selection(d, IDC_KNOWN_KIND), 0);
        EXPECT_GE(TypingLimit(d, IDC_NEW_POINT_NAME), 100000);
        User::Type(d, IDC_NEW_POINT_NAME, L"N");
        User::Choose(d, IDC_KNOWN_KIND, 2);
        User::Type(d, IDC_KNOWN_VALUE, L"101");
        User::Click(d, IDOK);
    });
    script.ExpectBox(kError, L"Value out of range!", kErrorStyle, IDOK);
    script.In(L"Get point by HOM", "a moisture in range", [&](HWND d) {
        EXPECT_EQ(FocusId(d), IDC_KNOWN_VALUE);
        User::Type(d, IDC_KNOWN_VALUE, L"12");
        User::Click(d, IDOK);
    });
    script.In(title, "added, then applied", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_NAME)), (std::vector<std::wstring>{L"P1", L"Cooling"}));
        EXPECT_EQ(Selection(d, IDC_PROCESS_NAME), 1);
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_END)).back(), L"N");
        EXPECT_EQ(Selection(d, IDC_PROCESS_END), 3);
        EXPECT_EQ(Text(d, IDC_PROCESS_RATIO), L"5000.00");
        EXPECT_EQ(Text(d, IDC_PROCESS_HEAT), HeatText(rho * 1000 * 10));
        EXPECT_EQ(Text(d, IDC_PROCESS_MOIST), MoistureText(rho * 2));
        User::Click(d, IDC_APPLY);
    });
    script.In(title, "the chart has them", [&](HWND d) {
        EXPECT_FALSE(Enabled(d, IDC_APPLY));
        ASSERT_EQ(Chart().points.size(), 3u);
        EXPECT_EQ(Chart().points[2].name, L"N");
        EXPECT_DOUBLE_EQ(Chart().points[2].I, 60.0);
        EXPECT_EQ(Chart().processes.size(), 2u);
        User::DoubleClick(d, IDC_PROCESS_NAME, 1);
    });
    script.In(L"Get air flow", "a heat load", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_KNOWN_KIND)), (std::vector<std::wstring>{L"Heat(kJ/Hr)", L"Moist(kg/Hr)"}));
        EXPECT_EQ(Text(d, IDC_KNOWN_VALUE), HeatText(rho * 1000 * 10));
        User::Type(d, IDC_KNOWN_VALUE, L"5000");
        User::Click(d, IDOK);
    });
    script.In(title, "the flow for it, then a negative flow", [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_AIR_FLOW), FormatNumber("%.2f", 5000 / rho / 10));
        EXPECT_TRUE(Enabled(d, IDC_APPLY));
        User::Type(d, IDC_AIR_FLOW, L"-1");
        User::Click(d, IDC_ITEM_MODIFY);
    });
    script.ExpectBox(kError, L"Are you sure air flow can be less than 0?", kErrorStyle, IDOK);
    script.In(title, "the flow edit has the focus; delete asked", [&](HWND d) {
        EXPECT_EQ(FocusId(d), IDC_AIR_FLOW);
        User::Click(d, IDC_ITEM_DELETE);
    });
    script.ExpectBox(kConfirm, L"Are you sure?", kConfirmStyle, IDNO);
    script.In(title, "cancelled", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_NAME)).size(), 2u);
        User::Click(d, IDCANCEL);
    });
    Open(204, script);
    // What was applied stays; the flow sized afterwards was cancelled.
    ASSERT_EQ(Chart().processes.size(), 2u);
    EXPECT_EQ(Chart().processes[1].ptEnd, L"N");
    EXPECT_EQ(Chart().processes[1].dAirFlow, 1000.0);
    EXPECT_EQ(Chart().points.size(), 3u);
}

TEST_F(ProcessDialogsTest, MixProcessesAddRenameRefusedAndOk) {
    if (ChineseInterface()) GTEST_SKIP() << "English interface only";
    Chart().points = {{80, 20, L"O"}, {45, 9, L"R"}, {1, 1, L""}};
    const std::wstring title = L"Mix processes";
    ModalScript script;
    script.In(title, "opened", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_MIX_FRESH)), (std::vector<std::wstring>{L"O", L"R"}));
        EXPECT_GE(TypingLimit(d, IDC_PROCESS_NAME), 100000);
        EXPECT_GE(TypingLimit(d, IDC_MIX_POINT), 100000);
        User::Choose(d, IDC_MIX_FRESH, 0);
        User::Choose(d, IDC_MIX_RETURN, 1);
    });
    script.In(title, "a new mix", [&](HWND d) {
        User::Type(d, IDC_MIX_POINT, L"M");
        User::Type(d, IDC_FRESH_FLOW, L"300");
        User::Type(d, IDC_AIR_FLOW, L"1000");
        User::Type(d, IDC_PROCESS_NAME, L"Mix1");
        User::Click(d, IDC_ITEM_ADD);
    });
    script.In(title, "added; its mix point renamed", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_NAME)), std::vector<std::wstring>{L"Mix1"});
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_MIX_POINT)), (std::vector<std::wstring>{L"O", L"R", L"M"}));
        EXPECT_EQ(Text(d, IDC_MIX_POINT), L"M");
        EXPECT_EQ(Text(d, IDC_FRESH_FLOW), L"300.00");
        User::Type(d, IDC_MIX_POINT, L"Mixed");
        User::Click(d, IDC_ITEM_MODIFY);
    });
    script.ExpectBox(kConfirm,
                     L"Rename mix point may cause the related process lost if there is one. \n\nAre you sure to make "
                     L"the change?",
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, IDNO);
    script.In(title, "old name back; fresh above total", [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_MIX_POINT), L"M");
        EXPECT_EQ(FocusId(d), IDC_MIX_POINT);
        User::Type(d, IDC_AIR_FLOW, L"200");
        User::Click(d, IDC_ITEM_MODIFY);
    });
    script.ExpectBox(kError, L"Are you sure fresh air flow can be larger than total air flow?", kErrorStyle, IDOK);
    script.In(title, "focus on the fresh flow; OK applies", [&](HWND d) {
        EXPECT_EQ(FocusId(d), IDC_FRESH_FLOW);
        EXPECT_TRUE(Enabled(d, IDC_APPLY));
        User::Click(d, IDOK);
    });
    Open(205, script);
    ASSERT_EQ(Chart().mixes.size(), 1u);
    EXPECT_EQ(Chart().mixes[0].ptMix, L"M");
    EXPECT_EQ(Chart().mixes[0].dAirFlow, 1000.0);
    ASSERT_EQ(Chart().points.size(), 3u);  // the unnamed point is gone
    // The next paint places the mix point by the flows.
    DibSurface surface(640, 480);
    host->PaintAll(surface);
    EXPECT_DOUBLE_EQ(Chart().points[2].I, 0.3 * 80 + 0.7 * 45);
    EXPECT_DOUBLE_EQ(Chart().points[2].D, 0.3 * 20 + 0.7 * 9);
}

TEST_F(ProcessDialogsTest, ChineseTemplatesAndStrings) {
    if (!ChineseInterface()) GTEST_SKIP() << "Chinese interface only";
    Chart().points = {{50, 10, L"A"}, {40, 8, L"B"}};
    Chart().processes = {{L"A", L"B", L"P1", 1000}};
    const std::wstring title = L"热湿过程线管理";
    ModalScript script;
    script.In(title, "opened", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_PROCESS_START)).front(), L"<由热湿比确定>");
        User::Choose(d, IDC_PROCESS_START, 2);
        User::Choose(d, IDC_PROCESS_END, 0);
    });
    script.In(title, "by ratio", [&](HWND d) {
        User::Type(d, IDC_PROCESS_RATIO, L"5000");
        User::Type(d, IDC_AIR_FLOW, L"10");
        User::Type(d, IDC_PROCESS_NAME, L"过程");
        User::Click(d, IDC_ITEM_ADD);
    });
    script.In(L"定热湿比求未知点", "the Chinese question", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_KNOWN_KIND)),
                  (std::vector<std::wstring>{L"干球温度(℃)", L"相对湿度(%)", L"含湿量(g/kg)", L"焓(kJ/kg)",
                                             L"湿球温度(℃)", L"露点温度(℃)", L"水气分压(Pa)"}));
        User::Click(d, IDOK);
    });
    // The system's messages stay as they are.
    script.ExpectBox(kError, L"Need name!", kErrorStyle, IDOK);
    script.In(L"定热湿比求未知点", "cancelled", [&](HWND d) { User::Click(d, IDCANCEL); });
    script.In(title, "the air flow question", [&](HWND d) { User::DoubleClick(d, IDC_PROCESS_NAME, 0); });
    script.In(L"确定风量", "loads in Chinese", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_KNOWN_KIND)),
                  (std::vector<std::wstring>{L"传递热量(kJ/Hr)", L"传递湿量(kg/Hr)"}));
        User::Click(d, IDCANCEL);
    });
    script.In(title, "closed", [&](HWND d) { User::Click(d, IDCANCEL); });
    Open(204, script);

    ModalScript mixer;
    mixer.In(L"混合过程线管理", "the narrower Chinese template", [&](HWND d) {
        RECT client{};
        GetClientRect(d, &client);
        RECT units{0, 0, 148, 185};
        MapDialogRect(d, &units);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);
        EXPECT_EQ(WindowText(GetDlgItem(d, IDCANCEL)), L"取消");
        User::Click(d, IDCANCEL);
    });
    Open(205, mixer);
    EXPECT_EQ(Chart().processes.size(), 1u);
}

// The design tools through the menu's dialog opener: results while typing,
// a refusal in a message box with the field to fix focused, OK adding the
// change to the chart.
TEST_F(ProcessDialogsTest, DesignToolsShowTheirResultsAndAddThemOnOk) {
    if (ChineseInterface()) GTEST_SKIP() << "English interface only";
    Chart().points = {{55.587, 11.5615, L"N"}, {1, 1, L""}};
    const std::wstring title = L"Supply air state";
    ModalScript script;
    script.In(title, "opened", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_DESIGN_ROOM)), std::vector<std::wstring>{L"N"});
        EXPECT_EQ(Text(d, IDC_DESIGN_STATUS), L"Choose the room point.");
        EXPECT_TRUE(ReadOnly(d, IDC_DESIGN_O_T));
        User::Choose(d, IDC_DESIGN_ROOM, 0);
        User::Type(d, IDC_DESIGN_HEAT, L"10");
        User::Type(d, IDC_DESIGN_MOIST, L"3");
        User::Type(d, IDC_DESIGN_DELTA_T, L"18");
    });
    script.In(title, "too large a difference", [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_DESIGN_O_T), L"");
        EXPECT_EQ(Text(d, IDC_DESIGN_STATUS),
                  L"The supply state would lie at or beyond saturation: choose a smaller temperature difference.");
        User::Click(d, IDOK);
    });
    script.ExpectBox(kError,
                     L"The supply state would lie at or beyond saturation: choose a smaller temperature difference.",
                     kErrorStyle, IDOK);
    script.In(title, "the difference to fix", [&](HWND d) {
        EXPECT_EQ(FocusId(d), IDC_DESIGN_DELTA_T);
        User::Type(d, IDC_DESIGN_DELTA_T, L"8");
        EXPECT_EQ(Text(d, IDC_DESIGN_O_T), L"18.00");
        EXPECT_EQ(Text(d, IDC_DESIGN_RATIO), L"12000.00");
        EXPECT_EQ(Text(d, IDC_DESIGN_HEAT_KJH), L"36000.00");
        EXPECT_EQ(Text(d, IDC_DESIGN_STATUS), L"");
        User::Click(d, IDOK);
    });
    Open(32781, script);
    ASSERT_EQ(Chart().points.size(), 3u);
    EXPECT_EQ(Chart().points[2].name, L"O");
    ASSERT_EQ(Chart().processes.size(), 1u);
    EXPECT_EQ(Chart().processes[0].ptStart + L">" + Chart().processes[0].ptEnd, L"O>N");

    // The same names again: refused, naming the point, and Cancel leaves all.
    ModalScript again;
    again.In(title, "the same names", [&](HWND d) {
        User::Choose(d, IDC_DESIGN_ROOM, 0);
        User::Type(d, IDC_DESIGN_HEAT, L"10");
        User::Type(d, IDC_DESIGN_MOIST, L"3");
        User::Click(d, IDOK);
    });
    again.ExpectBox(kError, L"The name \"O\" is already used on the chart: nothing was added. Choose another name.",
                    kErrorStyle, IDOK);
    again.In(title, "cancelled", [&](HWND d) {
        EXPECT_EQ(FocusId(d), IDC_DESIGN_POINT_NAME);
        User::Click(d, IDCANCEL);
    });
    Open(32781, again);
    EXPECT_EQ(Chart().points.size(), 3u);
    EXPECT_EQ(Chart().processes.size(), 1u);
}

TEST_F(ProcessDialogsTest, ChineseDesignTools) {
    if (!ChineseInterface()) GTEST_SKIP() << "Chinese interface only";
    Chart().points = {{55.587, 11.5615, L"N"}};
    const std::wstring title = L"露点送风设计";
    ModalScript script;
    script.In(title, "opened", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, IDC_DESIGN_OUTDOOR)), (std::vector<std::wstring>{L"（无）", L"N"}));
        EXPECT_EQ(Text(d, IDC_DESIGN_STATUS), L"请选择室内状态点。");
        User::Choose(d, IDC_DESIGN_ROOM, 0);
        User::Type(d, IDC_DESIGN_HEAT, L"-5");
        User::Type(d, IDC_DESIGN_MOIST, L"1");
        EXPECT_EQ(Text(d, IDC_DESIGN_STATUS), L"热湿比线在图内与 90 % 相对湿度线没有交点。");
        EXPECT_EQ(WindowText(GetDlgItem(d, IDCANCEL)), L"取消");
        User::Click(d, IDCANCEL);
    });
    Open(32786, script);
    ModalScript fresh;
    fresh.In(L"新风量计算", "the fresh-air tool in Chinese", [&](HWND d) { User::Click(d, IDCANCEL); });
    Open(32782, fresh);
    ModalScript supply;
    supply.In(L"送风状态设计", "the supply tool in Chinese", [&](HWND d) { User::Click(d, IDCANCEL); });
    Open(32781, supply);
    EXPECT_EQ(Chart().points.size(), 1u);
}

}  // namespace
}  // namespace humichart
