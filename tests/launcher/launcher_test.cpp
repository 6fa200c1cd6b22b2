// Humistart's dialogs with the test control standing in for the chart, and the
// program itself started where the chart control is not registered.
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "CHumichartctl1.h"
#include "CHumistartApp.h"
#include "CHumistartDlg.h"
#include "CHumistartSettings.h"
#include "HumistartResource.h"
#include "LauncherTestSupport.h"

namespace {

// Humistart's settings go to a key of the tests' own.
constexpr const wchar_t* kTestSettings = L"Software\\Humichart\\HumistartLauncherTest";

class HumistartTest : public OleTest {
protected:
    void SetUp() override {
        OleTest::SetUp();
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
        registration_ = std::make_unique<TestControlRegistration>(CHumichartctl1::ClassId);
        ASSERT_HRESULT_SUCCEEDED(registration_->Status());
        window_ = dialog_.Create(nullptr);
        ASSERT_NE(window_, nullptr) << std::hex << dialog_.CreationStatus();
        control_ = GetDlgItem(window_, IDC_HUMICHARTCTL1);
        ASSERT_NE(control_, nullptr);
    }
    void TearDown() override {
        if (dialog_.Hwnd()) DestroyWindow(dialog_.Hwnd());
        registration_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, kTestSettings);
        OleTest::TearDown();
    }

    void ExpectControlCoversClientArea(const char* when) {
        RECT client{};
        GetClientRect(window_, &client);
        EXPECT_EQ(ChildRect(control_), client) << when;
        EXPECT_EQ(ControlLog().objectRect, client) << when;
    }

    std::unique_ptr<TestControlRegistration> registration_;
    CHumistartDlg dialog_{kTestSettings};
    HWND window_ = nullptr;
    HWND control_ = nullptr;
};

template <class T>
void Append(std::vector<BYTE>& out, T value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

TEST_F(HumistartTest, ChartReceivesTheTemplatePropertyStream) {
    std::vector<BYTE> expected;
    Append<DWORD>(expected, 0x710);
    Append<DWORD>(expected, 16404);
    Append<DWORD>(expected, 11615);
    for (double value : {101325.0, 65.0, -30.0, 42.0, 0.0}) Append(expected, value);
    for (DWORD flag : {1, 1, 1, 1, 0, 0, 1, 1}) Append(expected, flag);
    Append<DWORD>(expected, 0);
    ASSERT_EQ(expected.size(), 88u);

    EXPECT_EQ(ControlLog().loaded, expected);
    EXPECT_EQ(ControlLog().streamStart.QuadPart, 0u);
    EXPECT_EQ(control_, ControlLog().window);
    EXPECT_EQ(dialog_.Chart().Hwnd(), control_);
    EXPECT_TRUE(ControlLog().userMode);
}

TEST_F(HumistartTest, ControlCoversTheClientAreaThroughResizeAndMaximise) {
    ExpectControlCoversClientArea("after creation");
    SetWindowPos(window_, nullptr, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectControlCoversClientArea("after a resize");
    // Checked before any X event is read: with no window manager on the
    // virtual display, the X driver undoes a maximise when its events arrive.
    SendMessageW(window_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(window_));
    ExpectControlCoversClientArea("maximised");
    SendMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    ExpectControlCoversClientArea("restored");
    SetWindowPos(window_, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ExpectControlCoversClientArea("made small");
}

TEST_F(HumistartTest, SystemMenuEndsWithSeparatorAndAboutEntry) {
    HMENU menu = GetSystemMenu(window_, FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    wchar_t text[64] = {};
    GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"About Humistart(&A)...");

    // The standard commands keep working.
    SendMessageW(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(window_));
    SendMessageW(window_, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(window_));
    ExpectControlCoversClientArea("restored from minimised");
    SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return dialog_.Hwnd() == nullptr; }));
    EXPECT_EQ(ControlLog().live, 0) << "closing the window closes and releases the chart";
}

struct AboutSighting {
    bool seen = false;
    std::vector<std::wstring> texts;
};
AboutSighting g_about;

BOOL CALLBACK CollectText(HWND child, LPARAM) {
    wchar_t text[128] = {};
    GetWindowTextW(child, text, 128);
    if (text[0]) g_about.texts.push_back(text);
    return TRUE;
}

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = FindWindowW(nullptr, L"About Humistart");
    if (!about || !IsWindowVisible(about)) return;
    KillTimer(nullptr, timer);
    g_about.seen = true;
    EnumChildWindows(about, CollectText, 0);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
}

TEST_F(HumistartTest, AboutEntryOpensTheAboutBox) {
    g_about = AboutSighting{};
    SetTimer(nullptr, 0, 20, CloseAboutBox);
    // Low bits of a system command belong to the system; the entry is found
    // without them.
    PostMessageW(window_, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    ASSERT_TRUE(PumpUntil([] { return g_about.seen; }));
    PumpPending();
    EXPECT_EQ(FindWindowW(nullptr, L"About Humistart"), nullptr) << "OK closes it";
    const std::vector<std::wstring> expected{L"Humistart Version 1.0", L"Copyright (C) Humichart", L"OK"};
    for (const auto& text : expected)
        EXPECT_NE(std::find(g_about.texts.begin(), g_about.texts.end(), text), g_about.texts.end()) << "missing";
    EXPECT_TRUE(IsWindow(window_)) << "the main dialog stays";
}

TEST_F(HumistartTest, IconIsTheWindowIconAndTheDragIcon) {
    ASSERT_NE(dialog_.Icon(), nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_BIG, 0)), dialog_.Icon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window_, WM_GETICON, ICON_SMALL, 0)), dialog_.Icon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window_, WM_QUERYDRAGICON, 0, 0)), dialog_.Icon());
}

TEST_F(HumistartTest, WindowComesBackWhereAndAsItWasLeft) {
    // The window left maximised over a normal place of 100, 120 to 740, 600.
    WINDOWPLACEMENT left{};
    left.length = sizeof left;
    left.showCmd = SW_SHOWMAXIMIZED;
    left.rcNormalPosition = {100, 120, 740, 600};
    CHumistartSettings(kTestSettings).SavePlacement(left);

    CHumistartDlg again(kTestSettings);
    ASSERT_NE(again.Create(nullptr), nullptr);
    again.Start(L"");
    EXPECT_TRUE(IsZoomed(again.Hwnd()));
    WINDOWPLACEMENT now{};
    now.length = sizeof now;
    ASSERT_TRUE(GetWindowPlacement(again.Hwnd(), &now));
    EXPECT_EQ(now.rcNormalPosition, left.rcNormalPosition);
    EXPECT_EQ(GetWindowTextLengthW(again.Hwnd()), 20) << "Untitled - Humistart";

    // Restored and moved, then closed: the new place is kept.
    ShowWindow(again.Hwnd(), SW_RESTORE);
    SetWindowPos(again.Hwnd(), nullptr, 60, 70, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(again.Hwnd(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return again.Hwnd() == nullptr; }));
    const auto kept = CHumistartSettings(kTestSettings).LoadPlacement();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->showCmd, static_cast<UINT>(SW_SHOWNORMAL));
    EXPECT_EQ(kept->rcNormalPosition, (RECT{60, 70, 760, 570}));
}

// The Chinese resources: the same dialogs and data, with their own texts.
std::vector<BYTE> LocalisedResource(LPCWSTR type, UINT id, WORD language) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(id), language);
    if (!found) return {};
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
}

std::wstring StringInBlock(const std::vector<BYTE>& block, UINT id) {
    // Sixteen counted strings per block.
    size_t at = 0;
    for (UINT index = 0; index < 16 && at + 2 <= block.size(); ++index) {
        WORD length = 0;
        std::memcpy(&length, block.data() + at, 2);
        at += 2;
        if (index == id % 16) return std::wstring(reinterpret_cast<const wchar_t*>(block.data() + at), length);
        at += length * 2u;
    }
    return {};
}

TEST(HumistartResources, EnglishAndChineseCarryTheSameDialogsAndData) {
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const WORD chinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    const auto englishInit = LocalisedResource(MAKEINTRESOURCEW(RT_HUMISTART_DLGINIT), IDD_HUMISTART_DIALOG, english);
    const auto chineseInit = LocalisedResource(MAKEINTRESOURCEW(RT_HUMISTART_DLGINIT), IDD_HUMISTART_DIALOG, chinese);
    ASSERT_EQ(englishInit.size(), 8u + 92u + 2u);
    EXPECT_EQ(englishInit, chineseInit);
    EXPECT_EQ(LocalisedResource(RT_DIALOG, IDD_HUMISTART_DIALOG, english),
              LocalisedResource(RT_DIALOG, IDD_HUMISTART_DIALOG, chinese));
    EXPECT_FALSE(LocalisedResource(RT_DIALOG, IDD_ABOUTBOX, chinese).empty());

    const UINT block = IDS_ABOUTBOX / 16 + 1;
    EXPECT_EQ(StringInBlock(LocalisedResource(RT_STRING, block, english), IDS_ABOUTBOX), L"About Humistart(&A)...");
    EXPECT_EQ(StringInBlock(LocalisedResource(RT_STRING, block, chinese), IDS_ABOUTBOX), L"关于 Humistart(&A)...");

    // The document window's strings, in both languages.
    for (UINT id = IDS_UNTITLED; id <= IDS_CHART_FAILED; ++id) {
        const UINT at = id / 16 + 1;
        const std::wstring en = StringInBlock(LocalisedResource(RT_STRING, at, english), id);
        const std::wstring zh = StringInBlock(LocalisedResource(RT_STRING, at, chinese), id);
        EXPECT_FALSE(en.empty()) << id;
        EXPECT_FALSE(zh.empty()) << id;
        EXPECT_NE(en, zh) << id;
    }
    EXPECT_EQ(StringInBlock(LocalisedResource(RT_STRING, IDS_UNTITLED / 16 + 1, chinese), IDS_UNTITLED), L"未命名");

    // The menu bar: the same commands in the same places, every item worded
    // in each language.
    const auto englishMenu = LocalisedResource(RT_MENU, IDR_HUMISTART_MENU, english);
    const auto chineseMenu = LocalisedResource(RT_MENU, IDR_HUMISTART_MENU, chinese);
    ASSERT_FALSE(englishMenu.empty());
    ASSERT_FALSE(chineseMenu.empty());
    HMENU en = LoadMenuIndirectW(englishMenu.data());
    HMENU zh = LoadMenuIndirectW(chineseMenu.data());
    std::function<void(HMENU, HMENU, std::string)> same = [&](HMENU a, HMENU b, std::string where) {
        ASSERT_EQ(GetMenuItemCount(a), GetMenuItemCount(b)) << where;
        for (int i = 0; i < GetMenuItemCount(a); ++i) {
            EXPECT_EQ(GetMenuItemID(a, i), GetMenuItemID(b, i)) << where << i;
            wchar_t textA[128] = {}, textB[128] = {};
            GetMenuStringW(a, i, textA, 128, MF_BYPOSITION);
            GetMenuStringW(b, i, textB, 128, MF_BYPOSITION);
            const bool separator = GetMenuState(a, i, MF_BYPOSITION) & MF_SEPARATOR;
            EXPECT_EQ(separator, (GetMenuState(b, i, MF_BYPOSITION) & MF_SEPARATOR) != 0) << where << i;
            if (!separator) {
                EXPECT_TRUE(textA[0] && textB[0] && std::wstring(textA) != textB) << where << i;
            }
            if (HMENU subA = GetSubMenu(a, i)) same(subA, GetSubMenu(b, i), where + std::to_string(i) + "/");
        }
    };
    same(en, zh, "");
    DestroyMenu(en);
    DestroyMenu(zh);
}

std::wstring WindowsPath(const char* unixPath) {
    std::wstring path = L"Z:";
    for (const char* c = unixPath; *c; ++c) path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    return path;
}

struct ProcessWindows {
    DWORD pid;
    bool visible = false;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window)) search->visible = true;
    return TRUE;
}

// While it lives, the chart's registered server points at a library that does
// not exist, so the program meets an unusable chart even in a prefix where the
// real one is registered; the entry comes back as it was. Tests that touch the
// prefix's registry take turns, so nobody else sees the gap.
class ChartServerHidden {
public:
    ChartServerHidden() {
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, KEY_READ | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        wchar_t path[MAX_PATH * 2] = {};
        DWORD size = sizeof path - sizeof(wchar_t);
        if (RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size) != ERROR_SUCCESS)
            return;
        saved_ = path;
        const wchar_t missing[] = L"Z:\\nowhere\\Humichart-missing.dll";
        hidden_ = RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing), sizeof missing) ==
                  ERROR_SUCCESS;
    }
    ~ChartServerHidden() {
        if (hidden_) {
            RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(saved_.c_str()),
                           static_cast<DWORD>((saved_.size() + 1) * sizeof(wchar_t)));
        }
        if (key_) RegCloseKey(key_);
    }
    ChartServerHidden(const ChartServerHidden&) = delete;
    ChartServerHidden& operator=(const ChartServerHidden&) = delete;

private:
    static constexpr const wchar_t* kServerKey = L"CLSID\\{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}\\InprocServer32";
    HKEY key_ = nullptr;
    std::wstring saved_;
    bool hidden_ = false;
};

TEST(HumistartProgram, EndsAtOnceWithoutAWindowWhenTheChartIsNotRegistered) {
    ChartServerHidden hidden;  // a prefix without the chart needs nothing hidden
    std::wstring command = L"\"" + WindowsPath(HUMISTART_EXE) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << GetLastError();
    ProcessWindows search{process.dwProcessId};
    DWORD waited = WAIT_TIMEOUT;
    // A generous bound: the point is that it ends by itself, not how fast.
    for (int i = 0; i < 600 && waited == WAIT_TIMEOUT; ++i) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        waited = WaitForSingleObject(process.hProcess, 50);
    }
    if (waited == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(search.visible);
}

TEST(HumistartApp, SettingsKeyIsTheWizardsNameAndHoldsNothing) {
    // The run ends at once where the chart cannot be made.
    ChartServerHidden hidden;
    CHumistartApp app;
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.SettingsKey(), L"应用程序向导生成的本地应用程序");
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\应用程序向导生成的本地应用程序", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    if (key) RegCloseKey(key);
}

}  // namespace

namespace {

// Not part of the suite: shows the launcher hosting the test control for a
// while so that a screenshot can be taken of it
// (--gtest_also_run_disabled_tests --gtest_filter=*ForALook).
TEST_F(HumistartTest, DISABLED_StaysOpenForALook) {
    SetWindowPos(window_, HWND_TOP, 40, 40, 720, 540, SWP_SHOWWINDOW);
    // With the About box over it: closing the box ends the look.
    SendMessageW(window_, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
}

}  // namespace
