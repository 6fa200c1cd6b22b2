// The Points and graph property dialogs for real: opened over a live chart
// window bound to the registered calculator, driven by the messages a user's
// actions send, their message boxes answered, the controls and the chart
// checked afterwards, in English and in Chinese.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CChartDialogs.h"
#include "CComCalcBinding.h"
#include "CDlgNewPoint.h"
#include "CGraphPropertyRules.h"
#include "CIDProp.h"
#include "ChartHost.h"
#include "DialogDriver.h"
#include "PointDialogsResource.h"
#include "../Win32Callbacks.h"

namespace humichart::test {
namespace {

constexpr int kName = IDC_POINTS_NAME;

// The thread's user-interface language (and locale) for the life of the
// object: the dialogs' templates follow it.
class ScopedLanguage {
public:
    explicit ScopedLanguage(LANGID language) : m_ui(GetThreadUILanguage()), m_locale(GetThreadLocale()) {
        SetThreadUILanguage(language);
        SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
    }
    ~ScopedLanguage() {
        SetThreadUILanguage(m_ui);
        SetThreadLocale(m_locale);
    }

private:
    LANGID m_ui;
    LCID m_locale;
};
const bool kUnmanaged = (AskWineToManageOurWindows(), true);

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// The registered calculator, or a failure while broken.
class BreakableBinding final : public ICalcBinding {
public:
    Status Open(double airPressure, std::unique_ptr<ICalcSession>& session) override {
        if (broken) return static_cast<Status>(REGDB_E_CLASSNOTREG);
        return m_com.Open(airPressure, session);
    }
    bool broken = false;

private:
    CComCalcBinding m_com;
};

class DialogWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        auto chart = std::make_unique<CIDWnd>(std::unique_ptr<ICalcBinding>(binding = new BreakableBinding));
        host = std::make_unique<render::ChartHost>(640, 480, std::move(chart));
        ASSERT_TRUE(host->Ok()) << "chart window not created: " << GetLastError();
        host->Show();
        Chart().renderPending() = 0;
        ValidateRect(Chart().Hwnd(), nullptr);
    }
    void TearDown() override {
        host.reset();
        CoUninitialize();
    }
    CIDWnd& Chart() { return host->Chart(); }
    std::vector<std::wstring> ChartNames() {
        std::vector<std::wstring> names;
        for (const StatePoint& point : Chart().points) names.push_back(point.name);
        return names;
    }
    bool RepaintRequested() { return GetUpdateRect(Chart().Hwnd(), nullptr, FALSE) != FALSE; }
    std::unique_ptr<ICalcSession> Calculator() {
        std::unique_ptr<ICalcSession> calc;
        CComCalcBinding().Open(Chart().airPressure, calc);
        return calc;
    }
    INT_PTR RunPoints(const std::function<void(DialogDriver&)>& script) {
        CDlgNewPoint dialog(Chart());
        return DialogDriver::Run([&] { return dialog.Run(Chart().Hwnd()); }, script);
    }
    INT_PTR RunProperty(const std::function<void(DialogDriver&)>& script) {
        CIDProp dialog(Chart());
        return DialogDriver::Run([&] { return dialog.Run(Chart().Hwnd()); }, script);
    }

    BreakableBinding* binding = nullptr;
    std::unique_ptr<render::ChartHost> host;
};

TEST_F(DialogWindowTest, PointsFromTheMenuCommandAddsDeletesAndApplies) {
    render::AddDemoData(Chart());  // W, O, R, M, S
    ValidateRect(Chart().Hwnd(), nullptr);
    CChartDialogs dialogs;
    DialogDriver::Run(
        [&] { return static_cast<INT_PTR>(dialogs.Open(Chart(), 203)); },
        [&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), L"Points");
            EXPECT_EQ(d.Items(kName), (std::vector<std::wstring>{L"W", L"O", L"R", L"M", L"S"}));
            for (int id : {IDC_POINTS_ADD, IDC_POINTS_MODIFY, IDC_POINTS_DELETE, IDC_POINTS_APPLY})
                EXPECT_FALSE(d.Enabled(id)) << id;
            for (const auto& parameter : CPointDialogRules::kParameters) EXPECT_TRUE(d.ReadOnly(parameter.edit));

            ASSERT_TRUE(d.Choose(kName, 2));
            EXPECT_EQ(d.Text(kName), L"R");
            EXPECT_EQ(d.Text(IDC_POINTS_EDIT_DBT), L"26.00");
            EXPECT_EQ(d.Text(IDC_POINTS_EDIT_RH), L"55.0");
            EXPECT_TRUE(d.Enabled(IDC_POINTS_DELETE));

            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_DBT));
            EXPECT_TRUE(d.Checked(IDC_POINTS_CHECK_DBT));
            EXPECT_FALSE(d.ReadOnly(IDC_POINTS_EDIT_DBT));
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_RH));
            EXPECT_FALSE(d.Enabled(IDC_POINTS_CHECK_MC)) << "two known: the others are disabled";
            ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_DBT, L"20"));
            ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_RH, L"50"));
            ASSERT_TRUE(d.Type(kName, L"N"));
            EXPECT_TRUE(d.Enabled(IDC_POINTS_ADD));
            ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
            EXPECT_FALSE(d.Box().has_value());
            EXPECT_EQ(d.Items(kName).size(), 6u);
            EXPECT_EQ(d.Selection(kName), 5);
            EXPECT_EQ(d.Text(IDC_POINTS_EDIT_DBT), L"20.00");
            EXPECT_EQ(d.Text(IDC_POINTS_EDIT_RH), L"50.0");
            EXPECT_TRUE(d.Enabled(IDC_POINTS_APPLY));

            // Above saturation: the correction question, answered Yes.
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_RH));
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_DBT));
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_I));
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_MC));
            ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_I, L"50"));
            ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_MC, L"30"));
            ASSERT_TRUE(d.Type(kName, L"Wet"));
            ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
            const MessageBoxSeen question = d.ExpectBox(IDYES);
            EXPECT_EQ(question.caption, L"Error Report");
            EXPECT_EQ(question.text, L"This point is out of the posible range! \n\nLet me correct it for you?");
            EXPECT_EQ(question.icon, LoadIconW(nullptr, IDI_QUESTION));
            EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
            EXPECT_EQ(question.defaultButton, IDYES);
            EXPECT_EQ(d.Items(kName).size(), 7u);

            // Delete asks with No as the default.
            ASSERT_TRUE(d.Choose(kName, 0));
            ASSERT_TRUE(d.Click(IDC_POINTS_DELETE));
            const MessageBoxSeen confirm = d.ExpectBox(IDNO);
            EXPECT_EQ(confirm.caption, L"Delete Confirm");
            EXPECT_EQ(confirm.text, L"Are you sure?");
            EXPECT_EQ(confirm.defaultButton, IDNO);
            EXPECT_EQ(confirm.icon, LoadIconW(nullptr, IDI_QUESTION));
            EXPECT_EQ(d.Items(kName).size(), 7u);
            ASSERT_TRUE(d.Click(IDC_POINTS_DELETE));
            d.ExpectBox(IDYES);
            EXPECT_EQ(d.Items(kName).size(), 6u);
            EXPECT_EQ(d.Text(kName), L"O");
            ASSERT_TRUE(d.Click(IDOK));
        },
        L"Points");

    EXPECT_EQ(ChartNames(), (std::vector<std::wstring>{L"O", L"R", L"M", L"S", L"N", L"Wet"}));
    const auto calc = Calculator();
    ASSERT_TRUE(calc);
    EXPECT_DOUBLE_EQ(Chart().points[4].I, calc->ID_I_T_F(20, 0.5));
    EXPECT_DOUBLE_EQ(Chart().points[4].D, calc->ID_D_T_F(20, 0.5));
    EXPECT_EQ(Chart().points[5].I, 50.0);
    EXPECT_DOUBLE_EQ(Chart().points[5].D, calc->ID_D_I_F(50, 1));
    EXPECT_TRUE(RepaintRequested());
    EXPECT_EQ(Chart().renderPending(), 0) << "points need no new chart image";
}

TEST_F(DialogWindowTest, PointsMessagesMoveTheFocusAndEscCancels) {
    Chart().points = {{40, 6, L"A"}};
    const INT_PTR result = RunPoints([&](DialogDriver& d) {
        ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_DBT));
        ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_RH));
        ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_DBT, L"99"));
        ASSERT_TRUE(d.Type(kName, L"Hot"));
        ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
        const MessageBoxSeen forgot = d.ExpectBox(IDOK);
        EXPECT_EQ(forgot.text, L"Forget input value?");
        EXPECT_EQ(forgot.caption, L"Error Report");
        EXPECT_EQ(forgot.icon, LoadIconW(nullptr, IDI_HAND));
        EXPECT_EQ(forgot.buttons, std::vector<int>{IDOK});
        EXPECT_EQ(d.FocusId(), IDC_POINTS_EDIT_RH);

        ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_RH, L"50"));
        ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
        EXPECT_EQ(d.ExpectBox(IDOK).text,
                  L"One or more input value(s) is not valid or the point is out of our range!");
        EXPECT_FALSE(d.Box().has_value());
        EXPECT_EQ(d.FocusId(), IDC_POINTS_EDIT_DBT);
        EXPECT_EQ(d.Items(kName).size(), 1u);
        d.Key(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ChartNames(), std::vector<std::wstring>{L"A"});
    EXPECT_FALSE(RepaintRequested());
}

TEST_F(DialogWindowTest, PointsTakeLongAndNonBmpNamesAndAThousandPoints) {
    for (int i = 0; i < 1000; ++i) Chart().points.push_back({20.0 + i * 0.01, 5.0, L"P" + std::to_wstring(i)});
    const std::wstring longName(100000, L'n');
    const std::wstring astral = L"\U0001F321\U00020BB7 x";
    const INT_PTR result = RunPoints([&](DialogDriver& d) {
        EXPECT_EQ(d.Items(kName).size(), 1000u);
        ASSERT_TRUE(d.Choose(kName, 999));
        EXPECT_EQ(d.Text(kName), L"P999");
        EXPECT_EQ(d.Text(IDC_POINTS_EDIT_I), L"29.99");
        ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_DBT));
        ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_RH));
        ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_DBT, L"22"));
        ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_RH, L"45"));
        ASSERT_TRUE(d.Paste(kName, longName));
        EXPECT_EQ(d.Text(kName).size(), longName.size());
        ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
        ASSERT_TRUE(d.Type(kName, astral));
        EXPECT_TRUE(d.Enabled(IDC_POINTS_ADD));
        ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
        EXPECT_EQ(d.Items(kName).size(), 1002u);
        d.Key(VK_RETURN);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(Chart().points.size(), 1002u);
    EXPECT_EQ(Chart().points[1000].name, longName);
    EXPECT_EQ(Chart().points[1001].name, astral);
}

TEST_F(DialogWindowTest, ACalculatorThatCannotBeCreatedIsToldAndChangesNothing) {
    Chart().points = {{40, 6, L"A"}};
    binding->broken = true;
    const INT_PTR result = RunPoints([&](DialogDriver& d) {
        ASSERT_TRUE(d.Choose(kName, 0));
        const MessageBoxSeen box = d.ExpectBox(IDOK);
        EXPECT_EQ(box.caption, L"Error Report");
        EXPECT_NE(box.text.find(L"0x80040154"), std::wstring::npos) << testing::PrintToString(box.text);
        EXPECT_EQ(d.Text(IDC_POINTS_EDIT_I), L"");
        binding->broken = false;
        ASSERT_TRUE(d.Choose(kName, 0));
        EXPECT_EQ(d.Text(IDC_POINTS_EDIT_I), L"40.00");
        ASSERT_TRUE(d.Click(IDCANCEL));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(ChartNames(), std::vector<std::wstring>{L"A"});
}

TEST_F(DialogWindowTest, GraphPropertyTestsBeforeItStoresAndEnterIsOk) {
    const INT_PTR result = RunProperty([&](DialogDriver& d) {
        EXPECT_EQ(d.Caption(), L"Humichart property");
        EXPECT_EQ(d.Text(IDC_PROP_PRESSURE), L"101325.0");
        EXPECT_EQ(d.Text(IDC_PROP_MIN_T), L"-30.0");
        EXPECT_EQ(d.Text(IDC_PROP_MAX_T), L"65.0");
        EXPECT_EQ(d.Text(IDC_PROP_MIN_D), L"0.0");
        EXPECT_EQ(d.Text(IDC_PROP_MAX_D), L"42.0");
        EXPECT_TRUE(d.Checked(IDC_PROP_T_LINE));
        EXPECT_FALSE(d.Checked(IDC_PROP_LINE_NAME));
        EXPECT_FALSE(d.Enabled(IDC_PROP_APPLY));

        ASSERT_TRUE(d.Type(IDC_PROP_PRESSURE, L"49999"));
        EXPECT_TRUE(d.Enabled(IDC_PROP_APPLY));
        ASSERT_TRUE(d.Click(IDOK));
        const MessageBoxSeen box = d.ExpectBox(IDOK);
        EXPECT_EQ(box.text, L"Value out of range!\n\nThe valid air pressure value covers from 50000 to 1560000 Pa.");
        EXPECT_EQ(box.caption, L"Error Report");
        EXPECT_EQ(box.icon, LoadIconW(nullptr, IDI_HAND));
        EXPECT_EQ(d.FocusId(), IDC_PROP_PRESSURE);
        EXPECT_TRUE(IsWindowVisible(d.Dialog()));

        ASSERT_TRUE(d.Type(IDC_PROP_MIN_D, L"299.5"));
        ASSERT_TRUE(d.Type(IDC_PROP_PRESSURE, L"90000"));
        ASSERT_TRUE(d.Click(IDC_PROP_APPLY));
        EXPECT_EQ(d.ExpectBox(IDOK).text, L"Value out of range!\n\nThe valid Min D value covers from 0 to 299 g/kg.");
        EXPECT_EQ(d.FocusId(), IDC_PROP_MIN_D);
        ASSERT_TRUE(d.Type(IDC_PROP_MIN_D, L"2"));
        ASSERT_TRUE(d.Click(IDC_PROP_LINE_NAME));
        d.Key(VK_RETURN);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(Chart().airPressure, 90000.0);
    EXPECT_EQ(Chart().View().GetRange().minD, 2.0);
    EXPECT_EQ(Chart().HasProcessLineName, 1);
    EXPECT_EQ(Chart().renderPending(), 1);
    EXPECT_TRUE(RepaintRequested());
}

TEST_F(DialogWindowTest, GraphPropertyFrameOnlyRepaintsWithoutANewImage) {
    const INT_PTR result = RunProperty([&](DialogDriver& d) {
        ASSERT_TRUE(d.Click(IDC_PROP_FRAME));
        ASSERT_TRUE(d.Click(IDC_PROP_APPLY));
        EXPECT_FALSE(d.Enabled(IDC_PROP_APPLY));
        ASSERT_TRUE(d.Click(IDCANCEL));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Chart().HasBorder, 1) << "Cancel keeps what was applied";
    EXPECT_EQ(Chart().renderPending(), 0);
    EXPECT_TRUE(RepaintRequested());
}

// Control positions relative to the dialog, by id.
std::map<int, RECT> Layout(HWND dialog) {
    std::map<int, RECT> layout;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id <= 0 || id == 0xFFFF) continue;
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        layout[id] = rect;
    }
    return layout;
}

bool SameLayout(const std::map<int, RECT>& a, const std::map<int, RECT>& b) {
    if (a.size() != b.size()) return false;
    for (const auto& [id, rect] : a) {
        auto found = b.find(id);
        if (found == b.end() || !EqualRect(&rect, &found->second)) return false;
    }
    return true;
}

TEST_F(DialogWindowTest, ChineseTemplatesHaveTheSameControlsAndWork) {
    std::map<int, RECT> english[2], chinese[2];
    {
        ScopedLanguage language(kEnglish);
        RunPoints([&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), L"Points");
            english[0] = Layout(d.Dialog());
        });
        RunProperty([&](DialogDriver& d) { english[1] = Layout(d.Dialog()); });
    }
    {
        ScopedLanguage language(kChinese);
        const INT_PTR result = RunPoints([&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), L"状态点管理");
            EXPECT_EQ(d.Text(IDC_POINTS_CHECK_DBT), L"干球温度(℃)");
            EXPECT_EQ(d.Text(IDOK), L"确定");
            chinese[0] = Layout(d.Dialog());
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_DBT));
            ASSERT_TRUE(d.Click(IDC_POINTS_CHECK_RH));
            ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_DBT, L"18.5"));
            ASSERT_TRUE(d.Type(IDC_POINTS_EDIT_RH, L"60"));
            ASSERT_TRUE(d.Type(kName, L"送风"));
            ASSERT_TRUE(d.Click(IDC_POINTS_ADD));
            EXPECT_EQ(d.Text(IDC_POINTS_EDIT_DBT), L"18.50");
            ASSERT_TRUE(d.Click(IDOK));
        });
        EXPECT_EQ(result, IDOK);
        RunProperty([&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), L"焓湿图属性");
            EXPECT_EQ(d.Text(IDC_PROP_T_LINE), L"等温线");
            chinese[1] = Layout(d.Dialog());
            ASSERT_TRUE(d.Type(IDC_PROP_MIN_T, L"20"));
            ASSERT_TRUE(d.Type(IDC_PROP_MAX_T, L"20.5"));
            ASSERT_TRUE(d.Click(IDOK));
            EXPECT_EQ(d.ExpectBox(IDOK).text, L"Small range!\n\nThe valid T range should be larger than 1 ℃.");
            EXPECT_EQ(d.FocusId(), IDC_PROP_MAX_T);
        });
    }
    EXPECT_GT(english[0].size(), 20u);
    EXPECT_TRUE(SameLayout(english[0], chinese[0]));
    EXPECT_TRUE(SameLayout(english[1], chinese[1]));
    EXPECT_EQ(ChartNames(), std::vector<std::wstring>{L"送风"});
}

// The template of dialog id in language, created hidden with no rules.
HWND CreateFromTemplate(UINT id, LANGID language) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), language);
    if (!found) return nullptr;
    const auto* bytes = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    return CreateDialogIndirectParamW(module, bytes, nullptr, AsDlgProc([](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return 0; }), 0);
}

// Dialog units of the template's size (DLGTEMPLATEEX: cx and cy at 22 and 24).
SIZE TemplateSize(UINT id, LANGID language) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(id), language);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    short cx = 0, cy = 0;
    memcpy(&cx, bytes + 22, 2);
    memcpy(&cy, bytes + 24, 2);
    return {cx, cy};
}

TEST_F(DialogWindowTest, TemplatesHoldEveryControlOfTheRulesWithItsKindAndStyle) {
    struct Dialog {
        UINT id;
        DialogControlTable controls;
        SIZE size;
    };
    const Dialog dialogs[] = {{IDD_POINTS, CPointDialogRules::Controls(), {195, 161}},
                              {IDD_GRAPH_PROPERTY, CGraphPropertyRules::Controls(), {262, 105}}};
    for (LANGID language : {kEnglish, kChinese}) {
        for (const Dialog& dialog : dialogs) {
            SCOPED_TRACE(testing::Message() << "dialog " << dialog.id << " language " << language);
            const SIZE size = TemplateSize(dialog.id, language);
            EXPECT_EQ(size.cx, dialog.size.cx);
            EXPECT_EQ(size.cy, dialog.size.cy);
            HWND window = CreateFromTemplate(dialog.id, language);
            ASSERT_TRUE(window);
            for (const DialogControl& control : dialog.controls) {
                HWND item = GetDlgItem(window, control.id);
                ASSERT_TRUE(item) << control.id;
                wchar_t name[32] = {};
                GetClassNameW(item, name, 32);
                const LONG style = GetWindowLongW(item, GWL_STYLE);
                switch (control.kind) {
                case ControlKind::Edit:
                    EXPECT_STREQ(name, L"Edit") << control.id;
                    EXPECT_TRUE(style & ES_AUTOHSCROLL) << control.id;
                    if (dialog.id == IDD_POINTS) {
                        EXPECT_EQ(style & (ES_RIGHT | ES_READONLY), ES_RIGHT | ES_READONLY);
                    }
                    break;
                case ControlKind::CheckBox:
                    EXPECT_STREQ(name, L"Button") << control.id;
                    EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX) << control.id;
                    EXPECT_EQ((style & BS_LEFTTEXT) != 0, dialog.id == IDD_POINTS) << control.id;
                    break;
                case ControlKind::Button:
                    EXPECT_STREQ(name, L"Button") << control.id;
                    EXPECT_EQ(style & BS_TYPEMASK, control.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) << control.id;
                    break;
                case ControlKind::SimpleCombo:
                    EXPECT_STREQ(name, L"ComboBox") << control.id;
                    EXPECT_EQ(style & 3, CBS_SIMPLE);
                    EXPECT_FALSE(style & CBS_SORT);
                    EXPECT_TRUE(style & CBS_AUTOHSCROLL);
                    break;
                default:
                    ADD_FAILURE() << "unexpected kind for " << control.id;
                }
                EXPECT_TRUE(style & WS_TABSTOP) << control.id;
            }
            if (dialog.id == IDD_POINTS) {
                EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_POINTS_APPLY)));
                EnableWindow(GetDlgItem(window, IDC_POINTS_APPLY), TRUE);
            }
            // Tab order reads down a column, along a row, or on to the next
            // column to the right, and reaches every control of the rules.
            std::vector<HWND> order;
            HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
            for (HWND at = first; at && order.size() < 100; at = GetNextDlgTabItem(window, at, FALSE)) {
                if (!order.empty() && at == first) break;
                order.push_back(at);
            }
            EXPECT_EQ(order.size(), dialog.controls.size());
            for (size_t i = 1; i < order.size(); ++i) {
                RECT a, b;
                GetWindowRect(order[i - 1], &a);
                GetWindowRect(order[i], &b);
                const bool down = b.top > a.top + 2;
                const bool along = std::abs(b.top - a.top) <= 2 && b.left > a.left;
                const bool nextColumn = b.left >= a.right;
                EXPECT_TRUE(down || along || nextColumn)
                    << GetDlgCtrlID(order[i - 1]) << " then " << GetDlgCtrlID(order[i]);
            }
            DestroyWindow(window);
        }
    }
}

}  // namespace
}  // namespace humichart::test
