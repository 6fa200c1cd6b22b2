// The process dialogs' templates in both languages, created for real: every
// control the rules talk to is there with the kind the rules expect, both
// languages hold the same controls, the sizes are the dialogs' own and the
// tab order never goes back up and to the left.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CDewPointRules.h"
#include "CFreshAirRules.h"
#include "CNewMixerRules.h"
#include "CNewProcessRules.h"
#include "CSubProcessFlowRules.h"
#include "CSubProcessRules.h"
#include "CSupplyAirRules.h"
#include "DesignDialogsResource.h"
#include "ProcessDialogsResource.h"
#include "../Win32Callbacks.h"

namespace humichart {
namespace {

constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

struct Control {
    int id;
    std::wstring className;
    DWORD style;
    RECT rect;  // in the dialog's client coordinates
};

struct Created {
    HWND dialog = nullptr;
    SIZE units{};  // the template's size in pixels
    std::vector<Control> controls;
};

// Creates the template of one language, hidden, and reads its controls.
Created Create(UINT templateId, WORD language) {
    Created created;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, RT_DIALOG, MAKEINTRESOURCEW(templateId), language);
    if (!found) return created;
    auto* bytes = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    created.dialog = CreateDialogIndirectParamW(
        module, bytes, nullptr, test::AsDlgProc([](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }), 0);
    if (!created.dialog) return created;
    // A DLGTEMPLATEEX starts with version 1 and 0xFFFF; cx and cy follow its
    // helpId, exStyle, style, item count, x and y.
    const WORD* words = reinterpret_cast<const WORD*>(bytes);
    const bool extended = words[0] == 1 && words[1] == 0xFFFF;
    const short* size = reinterpret_cast<const short*>(reinterpret_cast<const BYTE*>(bytes) + (extended ? 22 : 14));
    RECT units{0, 0, size[0], size[1]};
    MapDialogRect(created.dialog, &units);
    created.units = {units.right, units.bottom};
    for (HWND child = GetWindow(created.dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        Control control{GetDlgCtrlID(child), {}, static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE)), {}};
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        control.className = className;
        GetWindowRect(child, &control.rect);
        MapWindowPoints(nullptr, created.dialog, reinterpret_cast<POINT*>(&control.rect), 2);
        created.controls.push_back(control);
    }
    return created;
}

bool KindMatches(ControlKind kind, const Control& control) {
    const bool combo = _wcsicmp(control.className.c_str(), L"ComboBox") == 0;
    switch (kind) {
    case ControlKind::Edit: return _wcsicmp(control.className.c_str(), L"Edit") == 0;
    case ControlKind::Button: return _wcsicmp(control.className.c_str(), L"Button") == 0;
    case ControlKind::SimpleCombo: return combo && (control.style & 3) == CBS_SIMPLE;
    case ControlKind::DropDownCombo: return combo && (control.style & 3) == CBS_DROPDOWN;
    case ControlKind::DropDownList: return combo && (control.style & 3) == CBS_DROPDOWNLIST;
    case ControlKind::Static: return _wcsicmp(control.className.c_str(), L"Static") == 0;
    default: return false;
    }
}

TEST(ProcessDialogTemplates, BothLanguagesHoldTheRulesControlsInOrder) {
    struct Dialog {
        const char* name;
        UINT id;
        DialogControlTable table;
        SIZE english, chinese;  // dialog units
    } dialogs[] = {
        {"Transfer processes", IDD_NEW_PROCESS, CNewProcessRules::Controls(), {222, 126}, {222, 126}},
        {"Mix processes", IDD_NEW_MIXER, CNewMixerRules::Controls(), {171, 186}, {148, 185}},
        {"Get point by HOM", IDD_SUB_PROCESS, CSubProcessRules::Controls(), {154, 57}, {154, 57}},
        {"Get air flow", IDD_SUB_PROCESS_FLOW, CSubProcessFlowRules::Controls(), {151, 62}, {151, 62}},
        {"Supply air state", IDD_DESIGN_SUPPLY, CSupplyAirRules::Controls(), {300, 232}, {300, 232}},
        {"Fresh air", IDD_DESIGN_FRESH, CFreshAirRules::Controls(), {300, 302}, {300, 302}},
        {"Dew-point supply", IDD_DESIGN_DEWPOINT, CDewPointRules::Controls(), {300, 354}, {300, 354}},
    };
    for (const Dialog& dialog : dialogs) {
        std::vector<std::pair<int, std::wstring>> englishControls;
        for (WORD language : {kEnglish, kChinese}) {
            SCOPED_TRACE(testing::Message() << dialog.name << (language == kChinese ? " (Chinese)" : ""));
            Created created = Create(dialog.id, language);
            ASSERT_NE(created.dialog, nullptr);
            RECT client{};
            GetClientRect(created.dialog, &client);
            const SIZE expected = language == kChinese ? dialog.chinese : dialog.english;
            RECT units{0, 0, expected.cx, expected.cy};
            MapDialogRect(created.dialog, &units);
            EXPECT_EQ(client.right, units.right);
            EXPECT_EQ(client.bottom, units.bottom);

            for (const DialogControl& wanted : dialog.table) {
                const Control* found = nullptr;
                for (const Control& control : created.controls)
                    if (control.id == wanted.id) found = &control;
                ASSERT_NE(found, nullptr) << "control " << wanted.id;
                EXPECT_TRUE(KindMatches(wanted.kind, *found)) << "control " << wanted.id;
                // Every control lies inside the dialog.
                EXPECT_GE(found->rect.left, 0);
                EXPECT_LE(found->rect.right, client.right);
                EXPECT_LE(found->rect.bottom, client.bottom);
            }
            // Unsorted lists: the rules' item k is entry k of their lists.
            for (const Control& control : created.controls) {
                if (_wcsicmp(control.className.c_str(), L"ComboBox") == 0) {
                    EXPECT_EQ(control.style & CBS_SORT, 0u);
                }
            }

            // Tab order: each stop lies below the one before or to its right.
            const Control* previous = nullptr;
            for (const Control& control : created.controls) {
                if (!(control.style & WS_TABSTOP)) continue;
                if (previous) {
                    const bool below = control.rect.top >= previous->rect.bottom;
                    const bool right = control.rect.left >= previous->rect.right;
                    EXPECT_TRUE(below || right) << "tab from " << previous->id << " to " << control.id;
                }
                previous = &control;
            }

            std::vector<std::pair<int, std::wstring>> controls;
            for (const Control& control : created.controls)
                if (control.id > 0 && control.id != 0xFFFF) controls.emplace_back(control.id, control.className);
            if (language == kEnglish) englishControls = controls;
            else EXPECT_EQ(controls, englishControls);
            DestroyWindow(created.dialog);
        }
    }
}

TEST(ProcessDialogTemplates, ButtonsAndFieldsStartAsTheDialogsNeedThem) {
    Created process = Create(IDD_NEW_PROCESS, kEnglish);
    Created mixer = Create(IDD_NEW_MIXER, kEnglish);
    ASSERT_TRUE(process.dialog && mixer.dialog);
    for (Created* created : {&process, &mixer}) {
        for (int id : {IDC_ITEM_ADD, IDC_ITEM_MODIFY, IDC_ITEM_DELETE, IDC_APPLY})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(created->dialog, id))) << id;
        EXPECT_EQ(GetWindowLongW(GetDlgItem(created->dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    }
    for (int id : {IDC_PROCESS_HEAT, IDC_PROCESS_MOIST, IDC_PROCESS_RATIO})
        EXPECT_NE(GetWindowLongW(GetDlgItem(process.dialog, id), GWL_STYLE) & ES_READONLY, 0) << id;
    for (int id : {IDC_AIR_FLOW, IDC_PROCESS_RATIO})
        EXPECT_NE(GetWindowLongW(GetDlgItem(process.dialog, id), GWL_STYLE) & ES_RIGHT, 0) << id;
    DestroyWindow(process.dialog);
    DestroyWindow(mixer.dialog);
}

}  // namespace
}  // namespace humichart
