// Drives modal dialogs the way a user would while their own message loops
// run: a thread timer plays a script of steps, each when it is ready (a
// window has appeared, say). Steps send what a user's actions send (typed
// text, list picks, button clicks, answers to message boxes) and never wait,
// so a step whose action opens another modal window is followed by the next
// step inside that window's loop. A script that stalls cancels every window
// of the thread so that the test ends. Everything runs on the dialogs' own
// thread, inside their loops: nothing races them, so nothing depends on
// timing or on where the display puts the focus.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <variant>
#include <vector>
#include "Win32Callbacks.h"

namespace humichart::test {

// Under Wine without a window manager, hiding a window that Wine leaves to
// the window manager waits two seconds for an answer that never comes; a
// program of our own may ask Wine to manage its windows itself. Takes effect
// for the program's next start (Wine reads it at start-up); on Windows the
// key means nothing.
inline void AskWineToManageOurWindows() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* name = wcsrchr(path, L'\\');
    const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + (name ? name + 1 : path) +
                             L"\\X11 Driver";
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Managed", REG_SZ, L"N", 2 * sizeof(wchar_t));
}

// A visible dialog or message box of this thread with exactly this caption,
// ready for the user: a window that waits for a modal window it opened is
// disabled until that one is gone.
inline HWND FindThreadWindow(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found = nullptr;
    } search{&caption};
    EnumThreadWindows(
        GetCurrentThreadId(),
        AsEnumProc([](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            wchar_t text[256] = {};
            GetWindowTextW(window, text, 256);
            if (IsWindowVisible(window) && IsWindowEnabled(window) && *s->caption == text) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        }),
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

// The items of a combo box.
inline std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

// The texts of a message box (its static controls, the icon's empty one left
// out).
inline std::wstring MessageText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Static") == 0) text += WindowText(child);
    }
    return text;
}

// A message box's icon, its buttons in window order and the default one.
inline HICON MessageIcon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    return nullptr;
}
inline std::vector<int> MessageButtons(HWND box) {
    std::vector<int> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child)) buttons.push_back(GetDlgCtrlID(child));
    }
    return buttons;
}
inline int DefaultButton(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return GetDlgCtrlID(child);
    return 0;
}

// The item of dialog that has the keyboard focus (a combo box for its edit
// field), 0 for none. Under Wine the activation follows the X server's focus,
// which any other program's window on the display can take at any moment; the
// thread then has no focus at all, and the dialog manager keeps the control
// the dialog had focused for when the dialog is active again. So the dialog is
// made active first, as a user's click on its caption would; what is read then
// is where the dialog put the focus, whatever the display did meanwhile.
inline int FocusedItem(HWND dialog) {
    if (GetActiveWindow() != dialog) SetActiveWindow(dialog);
    HWND focus = GetFocus();
    if (focus && GetParent(focus) != dialog) focus = GetParent(focus);
    return focus ? GetDlgCtrlID(focus) : 0;
}

// The user's actions on the controls of dialog.
struct User {
    // Types text into an edit box or a combo box's edit field: everything
    // selected, then one character message per character (a backspace for
    // no text), as the keyboard sends them.
    static void Type(HWND dialog, int id, const std::wstring& text) {
        HWND control = GetDlgItem(dialog, id);
        wchar_t className[16] = {};
        GetClassNameW(control, className, 16);
        if (_wcsicmp(className, L"ComboBox") == 0) control = FindWindowExW(control, nullptr, L"Edit", nullptr);
        ASSERT_NE(control, nullptr) << "no edit field " << id;
        ASSERT_TRUE(IsWindowEnabled(control));
        ASSERT_EQ(GetWindowLongW(control, GWL_STYLE) & ES_READONLY, 0) << "read-only field " << id;
        SendMessageW(control, EM_SETSEL, 0, -1);
        if (text.empty()) SendMessageW(control, WM_CHAR, VK_BACK, 0);
        for (wchar_t c : text) SendMessageW(control, WM_CHAR, c, 0);
        ASSERT_EQ(WindowText(control), text);
    }
    // Ctrl+V over the whole text of an edit box or combo box, text on the
    // clipboard.
    static void Paste(HWND dialog, int id, const std::wstring& text) {
        HWND control = GetDlgItem(dialog, id);
        if (HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr)) control = edit;
        ASSERT_TRUE(IsWindowEnabled(control));
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
        SendMessageW(control, EM_SETSEL, 0, -1);
        SendMessageW(control, WM_PASTE, 0, 0);
    }
    // A key pressed and released where the focus is in window (window
    // itself when the display has taken the focus), for the dialog manager
    // to take (Enter, Esc).
    static void Key(HWND window, UINT key) {
        HWND focus = GetFocus();
        HWND target = focus && (focus == window || IsChild(window, focus)) ? focus : window;
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
    }
    // Types path into a common file dialog's name box and presses its
    // default button: cmb13 holding an edit in the explorer-style dialogs,
    // edt1 in the older ones.
    static void ChooseFile(HWND dialog, const std::wstring& path) {
        HWND name = GetDlgItem(dialog, 0x47C);
        if (name) {
            if (HWND edit = FindWindowExW(name, nullptr, L"Edit", nullptr)) name = edit;
        } else {
            name = GetDlgItem(dialog, 0x480);
        }
        ASSERT_NE(name, nullptr) << "no file name box";
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    }
    // Picks item index of a combo box, as its list announces it.
    static void Choose(HWND dialog, int id, int index) {
        HWND combo = GetDlgItem(dialog, id);
        ASSERT_TRUE(IsWindowEnabled(combo));
        SendMessageW(combo, CB_SETCURSEL, index, 0);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    static void DoubleClick(HWND dialog, int id, int index) {
        Choose(dialog, id, index);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_DBLCLK), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    // A click on an enabled button.
    static void Click(HWND dialog, int id) {
        HWND button = GetDlgItem(dialog, id);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(IsWindowEnabled(button)) << "button " << id << " is disabled";
        PostMessageW(button, BM_CLICK, 0, 0);
    }
    // Presses a message box's button.
    static void Press(HWND box, int button) {
        HWND control = GetDlgItem(box, button);
        ASSERT_NE(control, nullptr) << "no button " << button;
        PostMessageW(control, BM_CLICK, 0, 0);
    }
};

// Pieces that a message box's text holds, where the rest of it is not the
// test's to fix (a system's description of an error code).
using Holding = std::vector<std::wstring>;

class ModalScript {
public:
    // act(window) runs once a visible window of this thread has caption.
    void In(const std::wstring& caption, std::string label, std::function<void(HWND)> act) {
        m_steps.push_back({std::move(label), caption, std::move(act)});
    }
    // A message box of caption that shows text (all of it, or the pieces of
    // a Holding) with the buttons, icon and default button of style (a
    // MessageBox style: OK or Yes and No), answered by pressing press.
    void ExpectBox(const std::wstring& caption, std::variant<std::wstring, Holding> text, UINT style, int press) {
        In(caption, "message box " + testing::PrintToString(caption), [text = std::move(text), style, press](HWND box) {
            const std::wstring shown = MessageText(box);
            if (const auto* whole = std::get_if<std::wstring>(&text)) EXPECT_EQ(shown, *whole);
            else for (const std::wstring& piece : std::get<Holding>(text))
                EXPECT_NE(shown.find(piece), std::wstring::npos) << testing::PrintToString(shown);
            const std::vector<int> buttons = (style & MB_TYPEMASK) == MB_YESNO ? std::vector<int>{IDYES, IDNO}
                                                                              : std::vector<int>{IDOK};
            EXPECT_EQ(MessageButtons(box), buttons);
            EXPECT_EQ(DefaultButton(box), (style & MB_DEFBUTTON2) ? buttons.back() : buttons.front());
            // MB_ICONHAND, QUESTION, EXCLAMATION and ASTERISK, 0x10 apart,
            // show IDI_HAND to IDI_ASTERISK, which follow each other.
            const UINT icon = (style & MB_ICONMASK) >> 4;
            EXPECT_EQ(MessageIcon(box), icon ? LoadIconW(nullptr, MAKEINTRESOURCEW(32512 + icon)) : nullptr);
            User::Press(box, press);
        });
    }

    // Runs modal (which opens the first window) while the script plays; fails
    // the test for every step not reached.
    void Run(const std::function<void()>& modal, DWORD timeoutMs = 30000) {
        s_current = this;
        m_start = GetTickCount();
        m_timeout = timeoutMs;
        const UINT_PTR timer = SetTimer(nullptr, 0, 15, &Tick);
        modal();
        KillTimer(nullptr, timer);
        s_current = nullptr;
        for (std::size_t i = m_next; i < m_steps.size(); ++i)
            ADD_FAILURE() << "step not reached: " << m_steps[i].label;
    }

private:
    struct Step {
        std::string label;
        std::wstring caption;
        std::function<void(HWND)> act;
    };

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* script = s_current;
        if (!script) return;
        if (GetTickCount() - script->m_start > script->m_timeout) {
            // Stalled: close whatever is open.
            if (HWND active = GetActiveWindow()) PostMessageW(active, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (script->m_next >= script->m_steps.size()) return;
        Step& step = script->m_steps[script->m_next];
        HWND window = FindThreadWindow(step.caption);
        if (!window) return;
        // Taken before acting: the action may open a window whose loop plays
        // the next steps.
        ++script->m_next;
        if (getenv("MODAL_SCRIPT_TRACE")) fprintf(stderr, "%lu %s\n", GetTickCount() - script->m_start, step.label.c_str());
        SCOPED_TRACE(step.label);
        step.act(window);
    }

    static inline ModalScript* s_current = nullptr;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    DWORD m_start = 0;
    DWORD m_timeout = 30000;
};

}  // namespace humichart::test
