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
#include "PointDialogsResource.h"
#include "../ModalScript.h"

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

std::wstring Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool ReadOnly(HWND dialog, int id) { return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & ES_READONLY) != 0; }
std::size_t Count(HWND dialog, int combo) { return ComboItems(GetDlgItem(dialog, combo)).size(); }

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
    template <typename Dialog>
    INT_PTR Run(ModalScript& script) {
        Dialog dialog(Chart());
        INT_PTR result = 0;
        script.Run([&] { result = dialog.Run(Chart().Hwnd()); });
        return result;
    }

    BreakableBinding* binding = nullptr;
    std::unique_ptr<render::ChartHost> host;
};

const std::wstring kPoints = L"Points", kProperty = L"Humichart property", kError = L"Error Report",
                   kConfirm = L"Delete Confirm";
constexpr UINT kErrorStyle = MB_OK | MB_ICONERROR, kConfirmStyle = MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2;

TEST_F(DialogWindowTest, PointsFromTheMenuCommandAddsDeletesAndApplies) {
    render::AddDemoData(Chart());  // W, O, R, M, S
    ValidateRect(Chart().Hwnd(), nullptr);
    ModalScript script;
    script.In(kPoints, "opened", [&](HWND d) {
        EXPECT_EQ(ComboItems(GetDlgItem(d, kName)), (std::vector<std::wstring>{L"W", L"O", L"R", L"M", L"S"}));
        for (int id : {IDC_POINTS_ADD, IDC_POINTS_MODIFY, IDC_POINTS_DELETE, IDC_POINTS_APPLY})
            EXPECT_FALSE(Enabled(d, id)) << id;
        for (const auto& parameter : CPointDialogRules::kParameters) EXPECT_TRUE(ReadOnly(d, parameter.edit));
        User::Choose(d, kName, 2);
    });
    script.In(kPoints, "R chosen", [&](HWND d) {
        EXPECT_EQ(Text(d, kName), L"R");
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_DBT), L"26.00");
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_RH), L"55.0");
        EXPECT_TRUE(Enabled(d, IDC_POINTS_DELETE));
        User::Click(d, IDC_POINTS_CHECK_DBT);
        User::Click(d, IDC_POINTS_CHECK_RH);
    });
    script.In(kPoints, "two known: the others are disabled", [&](HWND d) {
        EXPECT_TRUE(Checked(d, IDC_POINTS_CHECK_DBT));
        EXPECT_FALSE(ReadOnly(d, IDC_POINTS_EDIT_DBT));
        EXPECT_FALSE(Enabled(d, IDC_POINTS_CHECK_MC));
        User::Type(d, IDC_POINTS_EDIT_DBT, L"20");
        User::Type(d, IDC_POINTS_EDIT_RH, L"50");
        User::Type(d, kName, L"N");
        EXPECT_TRUE(Enabled(d, IDC_POINTS_ADD));
        User::Click(d, IDC_POINTS_ADD);
    });
    // A message box here would hold the script back: every later step fails.
    script.In(kPoints, "N added", [&](HWND d) {
        EXPECT_EQ(Count(d, kName), 6u);
        EXPECT_EQ(SendDlgItemMessageW(d, kName, CB_GETCURSEL, 0, 0), 5);
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_DBT), L"20.00");
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_RH), L"50.0");
        EXPECT_TRUE(Enabled(d, IDC_POINTS_APPLY));
        User::Click(d, IDC_POINTS_CHECK_RH);
        User::Click(d, IDC_POINTS_CHECK_DBT);
    });
    script.In(kPoints, "enthalpy and moisture known", [&](HWND d) {
        User::Click(d, IDC_POINTS_CHECK_I);
        User::Click(d, IDC_POINTS_CHECK_MC);
    });
    script.In(kPoints, "above saturation", [&](HWND d) {
        User::Type(d, IDC_POINTS_EDIT_I, L"50");
        User::Type(d, IDC_POINTS_EDIT_MC, L"30");
        User::Type(d, kName, L"Wet");
        User::Click(d, IDC_POINTS_ADD);
    });
    script.ExpectBox(kError, L"This point is out of the posible range! \n\nLet me correct it for you?",
                     MB_YESNO | MB_ICONQUESTION, IDYES);
    script.In(kPoints, "Wet added", [&](HWND d) {
        EXPECT_EQ(Count(d, kName), 7u);
        User::Choose(d, kName, 0);
    });
    script.In(kPoints, "W chosen", [&](HWND d) { User::Click(d, IDC_POINTS_DELETE); });
    script.ExpectBox(kConfirm, L"Are you sure?", kConfirmStyle, IDNO);
    script.In(kPoints, "kept", [&](HWND d) {
        EXPECT_EQ(Count(d, kName), 7u);
        User::Click(d, IDC_POINTS_DELETE);
    });
    script.ExpectBox(kConfirm, L"Are you sure?", kConfirmStyle, IDYES);
    script.In(kPoints, "deleted", [&](HWND d) {
        EXPECT_EQ(Count(d, kName), 6u);
        EXPECT_EQ(Text(d, kName), L"O");
        User::Click(d, IDOK);
    });
    script.Run([&] { CChartDialogs().Open(Chart(), 203); });

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
    ModalScript script;
    script.In(kPoints, "two checked", [&](HWND d) {
        User::Click(d, IDC_POINTS_CHECK_DBT);
        User::Click(d, IDC_POINTS_CHECK_RH);
    });
    script.In(kPoints, "one typed", [&](HWND d) {
        User::Type(d, IDC_POINTS_EDIT_DBT, L"99");
        User::Type(d, kName, L"Hot");
        User::Click(d, IDC_POINTS_ADD);
    });
    script.ExpectBox(kError, L"Forget input value?", kErrorStyle, IDOK);
    script.In(kPoints, "the forgotten field has the focus", [&](HWND d) {
        EXPECT_EQ(FocusedItem(d), IDC_POINTS_EDIT_RH);
        User::Type(d, IDC_POINTS_EDIT_RH, L"50");
        User::Click(d, IDC_POINTS_ADD);
    });
    script.ExpectBox(kError, L"One or more input value(s) is not valid or the point is out of our range!", kErrorStyle,
                     IDOK);
    script.In(kPoints, "the bad field has the focus", [&](HWND d) {
        EXPECT_EQ(FocusedItem(d), IDC_POINTS_EDIT_DBT);
        EXPECT_EQ(Count(d, kName), 1u);
        User::Key(d, VK_ESCAPE);
    });
    EXPECT_EQ(Run<CDlgNewPoint>(script), IDCANCEL);
    EXPECT_EQ(ChartNames(), std::vector<std::wstring>{L"A"});
    EXPECT_FALSE(RepaintRequested());
}

TEST_F(DialogWindowTest, PointsTakeLongAndNonBmpNamesAndAThousandPoints) {
    for (int i = 0; i < 1000; ++i) Chart().points.push_back({20.0 + i * 0.01, 5.0, L"P" + std::to_wstring(i)});
    const std::wstring longName(100000, L'n');
    const std::wstring astral = L"\U0001F321\U00020BB7 x";
    ModalScript script;
    script.In(kPoints, "a thousand points", [&](HWND d) {
        EXPECT_EQ(Count(d, kName), 1000u);
        User::Choose(d, kName, 999);
    });
    script.In(kPoints, "the last chosen", [&](HWND d) {
        EXPECT_EQ(Text(d, kName), L"P999");
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_I), L"29.99");
        User::Click(d, IDC_POINTS_CHECK_DBT);
        User::Click(d, IDC_POINTS_CHECK_RH);
    });
    script.In(kPoints, "a long name pasted", [&](HWND d) {
        User::Type(d, IDC_POINTS_EDIT_DBT, L"22");
        User::Type(d, IDC_POINTS_EDIT_RH, L"45");
        User::Paste(d, kName, longName);
        EXPECT_EQ(Text(d, kName).size(), longName.size());
        User::Click(d, IDC_POINTS_ADD);
    });
    script.In(kPoints, "a name beyond the BMP", [&](HWND d) {
        User::Type(d, kName, astral);
        EXPECT_TRUE(Enabled(d, IDC_POINTS_ADD));
        User::Click(d, IDC_POINTS_ADD);
    });
    script.In(kPoints, "both added", [&](HWND d) {
        EXPECT_EQ(Count(d, kName), 1002u);
        User::Key(d, VK_RETURN);
    });
    EXPECT_EQ(Run<CDlgNewPoint>(script), IDOK);
    ASSERT_EQ(Chart().points.size(), 1002u);
    EXPECT_EQ(Chart().points[1000].name, longName);
    EXPECT_EQ(Chart().points[1001].name, astral);
}

TEST_F(DialogWindowTest, ACalculatorThatCannotBeCreatedIsToldAndChangesNothing) {
    Chart().points = {{40, 6, L"A"}};
    binding->broken = true;
    ModalScript script;
    script.In(kPoints, "opened", [&](HWND d) { User::Choose(d, kName, 0); });
    script.ExpectBox(kError, Holding{L"0x80040154"}, kErrorStyle, IDOK);
    script.In(kPoints, "nothing computed", [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_I), L"");
        binding->broken = false;
        User::Choose(d, kName, 0);
    });
    script.In(kPoints, "computed once it can be created", [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_POINTS_EDIT_I), L"40.00");
        User::Click(d, IDCANCEL);
    });
    EXPECT_EQ(Run<CDlgNewPoint>(script), IDCANCEL);
    EXPECT_EQ(ChartNames(), std::vector<std::wstring>{L"A"});
}

TEST_F(DialogWindowTest, GraphPropertyTestsBeforeItStoresAndEnterIsOk) {
    ModalScript script;
    script.In(kProperty, "opened", [&](HWND d) {
        EXPECT_EQ(Text(d, IDC_PROP_PRESSURE), L"101325.0");
        EXPECT_EQ(Text(d, IDC_PROP_MIN_T), L"-30.0");
        EXPECT_EQ(Text(d, IDC_PROP_MAX_T), L"65.0");
        EXPECT_EQ(Text(d, IDC_PROP_MIN_D), L"0.0");
        EXPECT_EQ(Text(d, IDC_PROP_MAX_D), L"42.0");
        EXPECT_TRUE(Checked(d, IDC_PROP_T_LINE));
        EXPECT_FALSE(Checked(d, IDC_PROP_LINE_NAME));
        EXPECT_FALSE(Enabled(d, IDC_PROP_APPLY));
        User::Type(d, IDC_PROP_PRESSURE, L"49999");
        EXPECT_TRUE(Enabled(d, IDC_PROP_APPLY));
        User::Click(d, IDOK);
    });
    script.ExpectBox(kError, L"Value out of range!\n\nThe valid air pressure value covers from 50000 to 1560000 Pa.",
                     kErrorStyle, IDOK);
    script.In(kProperty, "still open on the pressure", [&](HWND d) {
        EXPECT_EQ(FocusedItem(d), IDC_PROP_PRESSURE);
        User::Type(d, IDC_PROP_MIN_D, L"299.5");
        User::Type(d, IDC_PROP_PRESSURE, L"90000");
        User::Click(d, IDC_PROP_APPLY);
    });
    script.ExpectBox(kError, L"Value out of range!\n\nThe valid Min D value covers from 0 to 299 g/kg.", kErrorStyle,
                     IDOK);
    script.In(kProperty, "on the minimum moisture", [&](HWND d) {
        EXPECT_EQ(FocusedItem(d), IDC_PROP_MIN_D);
        User::Type(d, IDC_PROP_MIN_D, L"2");
        User::Click(d, IDC_PROP_LINE_NAME);
        User::Key(d, VK_RETURN);
    });
    EXPECT_EQ(Run<CIDProp>(script), IDOK);
    EXPECT_EQ(Chart().airPressure, 90000.0);
    EXPECT_EQ(Chart().View().GetRange().minD, 2.0);
    EXPECT_EQ(Chart().HasProcessLineName, 1);
    EXPECT_EQ(Chart().renderPending(), 1);
    EXPECT_TRUE(RepaintRequested());
}

TEST_F(DialogWindowTest, GraphPropertyFrameOnlyRepaintsWithoutANewImage) {
    ModalScript script;
    script.In(kProperty, "frame", [&](HWND d) { User::Click(d, IDC_PROP_FRAME); });
    script.In(kProperty, "applied", [&](HWND d) {
        // Clicked and handled at once: the dialog's loop would paint the
        // chart before the next step.
        ValidateRect(Chart().Hwnd(), nullptr);
        SendDlgItemMessageW(d, IDC_PROP_APPLY, BM_CLICK, 0, 0);
        EXPECT_TRUE(RepaintRequested());
        EXPECT_FALSE(Enabled(d, IDC_PROP_APPLY));
        User::Click(d, IDCANCEL);
    });
    EXPECT_EQ(Run<CIDProp>(script), IDCANCEL);
    EXPECT_EQ(Chart().HasBorder, 1) << "Cancel keeps what was applied";
    EXPECT_EQ(Chart().renderPending(), 0);
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
    // Takes the layout of the dialog of caption and cancels it.
    auto layout = [&](const std::wstring& caption, std::map<int, RECT>& into) {
        ModalScript script;
        script.In(caption, "layout", [&](HWND d) {
            into = Layout(d);
            User::Click(d, IDCANCEL);
        });
        return script;
    };
    {
        ScopedLanguage language(kEnglish);
        ModalScript points = layout(kPoints, english[0]), property = layout(kProperty, english[1]);
        Run<CDlgNewPoint>(points);
        Run<CIDProp>(property);
    }
    {
        ScopedLanguage language(kChinese);
        ModalScript points;
        points.In(L"状态点管理", "opened", [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_POINTS_CHECK_DBT), L"干球温度(℃)");
            EXPECT_EQ(Text(d, IDOK), L"确定");
            chinese[0] = Layout(d);
            User::Click(d, IDC_POINTS_CHECK_DBT);
            User::Click(d, IDC_POINTS_CHECK_RH);
        });
        points.In(L"状态点管理", "a point added", [&](HWND d) {
            User::Type(d, IDC_POINTS_EDIT_DBT, L"18.5");
            User::Type(d, IDC_POINTS_EDIT_RH, L"60");
            User::Type(d, kName, L"送风");
            User::Click(d, IDC_POINTS_ADD);
        });
        points.In(L"状态点管理", "added", [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_POINTS_EDIT_DBT), L"18.50");
            User::Click(d, IDOK);
        });
        EXPECT_EQ(Run<CDlgNewPoint>(points), IDOK);
        ModalScript property;
        property.In(L"焓湿图属性", "opened", [&](HWND d) {
            EXPECT_EQ(Text(d, IDC_PROP_T_LINE), L"等温线");
            chinese[1] = Layout(d);
            User::Type(d, IDC_PROP_MIN_T, L"20");
            User::Type(d, IDC_PROP_MAX_T, L"20.5");
            User::Click(d, IDOK);
        });
        property.ExpectBox(kError, L"Small range!\n\nThe valid T range should be larger than 1 ℃.", kErrorStyle,
                           IDOK);
        property.In(L"焓湿图属性", "on the maximum temperature", [&](HWND d) {
            EXPECT_EQ(FocusedItem(d), IDC_PROP_MAX_T);
            User::Click(d, IDCANCEL);
        });
        Run<CIDProp>(property);
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
