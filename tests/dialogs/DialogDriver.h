// Drives a modal dialog the way a user's actions do, from a second thread
// while the test's thread runs the dialog: clicks (BM_CLICK), typing
// (WM_CHAR into the focused edit field), pasting (WM_PASTE), picking a list
// item with the mouse, keys through the dialog manager; and it finds the
// message boxes the dialog opens, reads them and presses their buttons.
//
// Every action is sent without waiting and then settled: a WM_NULL sent to
// the dialog returns once the action is done or a message box waits for an
// answer, so no timing is involved.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#include "../Win32Callbacks.h"

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

struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    HICON icon = nullptr;
    std::vector<int> buttons;  // control ids in window order: IDOK, IDYES, IDNO ...
    int defaultButton = 0;
};

class DialogDriver {
public:
    // Runs open() on this thread (it shows a modal dialog and answers its
    // result) and script(driver) on another once the dialog is up. Whatever
    // the script leaves open is cancelled, so a failing script cannot hang.
    static INT_PTR Run(const std::function<INT_PTR()>& open, const std::function<void(DialogDriver&)>& script,
                       const wchar_t* caption = nullptr) {
        DialogDriver driver(GetCurrentThreadId(), caption);
        std::thread thread([&] {
            if (driver.WaitForDialog()) script(driver);
            driver.Finish();
        });
        const INT_PTR result = open();
        driver.m_done = true;
        thread.join();
        return result;
    }

    HWND Dialog() const { return m_dialog; }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    // --- What the user sees.
    std::wstring Caption() const { return WindowText(m_dialog); }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool ReadOnly(int id) const { return (GetWindowLongW(Item(id), GWL_STYLE) & ES_READONLY) != 0; }
    int Selection(int combo) const { return static_cast<int>(SendMessageW(Item(combo), CB_GETCURSEL, 0, 0)); }
    std::vector<std::wstring> Items(int combo) const {
        std::vector<std::wstring> items;
        const int count = static_cast<int>(SendMessageW(Item(combo), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const LRESULT length = SendMessageW(Item(combo), CB_GETLBTEXTLEN, i, 0);
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(Item(combo), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
            items.push_back(text);
        }
        return items;
    }
    // The control holding the keyboard focus (its dialog item id; an edit
    // field inside a combo box counts as the combo box).
    // After a message box, the window system hands the activation back in
    // its own time (X events under Wine): wait until the focus is somewhere
    // and stays there for a few rounds of the dialog's loop. Another
    // program's window on the shared display may have taken the activation
    // meanwhile; then the dialog is brought back as the user would, and its
    // focus is where the dialog left it.
    int FocusId() {
        int last = -1, same = 0;
        for (int i = 0; i < 400; ++i) {
            Settle();
            const int now = FocusNow();
            if (now == 0 && i % 40 == 39) SetForegroundWindow(m_dialog);
            same = now == last ? same + 1 : 0;
            last = now;
            if (now != 0 && same >= 3) break;
            Sleep(5);
        }
        return last;
    }
    int FocusNow() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(m_threadId, &info) || !info.hwndFocus) return 0;
        HWND focus = info.hwndFocus;
        if (GetParent(focus) != m_dialog && GetParent(focus)) focus = GetParent(focus);
        return GetDlgCtrlID(focus);
    }

    // --- The user's actions; each answers whether the user could do it and
    // settles before returning.
    bool Click(int id) {
        HWND control = Item(id);
        if (!control || !IsWindowEnabled(control) || !IsWindowVisible(control)) return false;
        SendNotifyMessageW(control, BM_CLICK, 0, 0);
        Settle();
        return true;
    }
    // Focuses the edit field of id, selects its text and types text over it.
    bool Type(int id, const std::wstring& text) {
        HWND edit = EditOf(id);
        if (!edit || !IsWindowEnabled(Item(id))) return false;
        Focus(id);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        if (text.empty()) SendNotifyMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (wchar_t c : text) SendNotifyMessageW(edit, WM_CHAR, c, 0);
        Settle();
        return true;
    }
    // Ctrl+V over the whole text of id's edit field, text on the clipboard.
    bool Paste(int id, const std::wstring& text) {
        HWND edit = EditOf(id);
        if (!edit || !IsWindowEnabled(Item(id)) || !ToClipboard(text)) return false;
        Focus(id);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendNotifyMessageW(edit, WM_PASTE, 0, 0);
        Settle();
        return true;
    }
    // A mouse click on item index of a simple combo box's list.
    bool Choose(int combo, int index, bool doubleClick = false) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (!IsWindowEnabled(Item(combo)) || !GetComboBoxInfo(Item(combo), &info) || !info.hwndList) return false;
        SendMessageW(info.hwndList, LB_SETTOPINDEX, index, 0);
        RECT rect{};
        if (SendMessageW(info.hwndList, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)) == LB_ERR) return false;
        const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        SendNotifyMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendNotifyMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
        if (doubleClick) {
            SendNotifyMessageW(info.hwndList, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            SendNotifyMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
        }
        Settle();
        return true;
    }
    // A key pressed where the focus is, through the dialog's message loop
    // (so the dialog manager sees Enter, Esc and Tab). Posted input waits
    // behind what is queued, so a marker posted after it tells when the
    // loop has taken it.
    void Key(UINT key) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(m_threadId, &info);
        HWND target = info.hwndFocus ? info.hwndFocus : m_dialog;
        MarkerEvent() = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, MarkerHook, nullptr, m_threadId);
        PostMessageW(target, WM_KEYDOWN, key, 1);
        PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        PostThreadMessageW(m_threadId, WM_NULL, kMarker, 0);
        while (!m_done && WaitForSingleObject(MarkerEvent(), 10) == WAIT_TIMEOUT) {
        }
        UnhookWindowsHookEx(hook);
        CloseHandle(MarkerEvent());
        MarkerEvent() = nullptr;
        Settle();
    }

    // --- Message boxes: the one waiting for an answer, if any.
    std::optional<MessageBoxSeen> Box() {
        Settle();
        std::optional<MessageBoxSeen> found;
        struct Search {
            DialogDriver* self;
            std::optional<MessageBoxSeen>* found;
        } search{this, &found};
        EnumThreadWindows(
            m_threadId,
            AsEnumProc([](HWND window, LPARAM param) -> BOOL {
                auto* s = reinterpret_cast<Search*>(param);
                wchar_t cls[16] = {};
                GetClassNameW(window, cls, 16);
                if (window == s->self->m_dialog || wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window))
                    return TRUE;
                *s->found = Read(window);
                return FALSE;
            }),
            reinterpret_cast<LPARAM>(&search));
        return found;
    }
    // Presses button (IDOK, IDYES, IDNO ...) of the waiting message box and
    // waits until the box is gone.
    bool Answer(const MessageBoxSeen& box, int button) {
        HWND control = GetDlgItem(box.window, button);
        if (!control) return false;
        SendNotifyMessageW(control, BM_CLICK, 0, 0);
        // Gone, not just hidden: the code after the message box has run once
        // the box's window is destroyed and the dialog answers again.
        for (int i = 0; i < 5000 && IsWindow(box.window); ++i) Sleep(2);
        Settle();
        return true;
    }
    // Expects one message box and answers it.
    MessageBoxSeen ExpectBox(int answer) {
        auto box = Box();
        EXPECT_TRUE(box.has_value()) << "no message box";
        if (!box) return {};
        EXPECT_TRUE(Answer(*box, answer));
        return *box;
    }

    // Waits for the dialog's own handling of everything sent so far.
    void Settle() {
        // In short steps: a dialog that ends while the message waits never
        // answers it, and then there is nothing left to wait for.
        for (int i = 0; i < 400 && !m_done && IsWindow(m_dialog); ++i) {
            DWORD_PTR answer = 0;
            if (SendMessageTimeoutW(m_dialog, WM_NULL, 0, 0, SMTO_NORMAL, 50, &answer)) break;
        }
    }

private:
    DialogDriver(DWORD thread, const wchar_t* caption) : m_threadId(thread), m_caption(caption) {}

    static std::wstring WindowText(HWND window) {
        if (!window) return {};
        const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(copied));
        return text;
    }

    static MessageBoxSeen Read(HWND window) {
        MessageBoxSeen box;
        box.window = window;
        box.caption = WindowText(window);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t cls[16] = {};
            GetClassNameW(child, cls, 16);
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            if (_wcsicmp(cls, L"Static") == 0) {
                if ((style & SS_TYPEMASK) == SS_ICON)
                    box.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
                else if (box.text.empty())
                    box.text = WindowText(child);
            } else if (_wcsicmp(cls, L"Button") == 0 && IsWindowVisible(child)) {
                const int id = GetDlgCtrlID(child);
                box.buttons.push_back(id);
                if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) box.defaultButton = id;
            }
        }
        return box;
    }

    bool WaitForDialog() {
        for (int i = 0; i < 5000; ++i) {
            struct Search {
                const wchar_t* caption;
                HWND found = nullptr;
            } search{m_caption};
            EnumThreadWindows(
                m_threadId,
                AsEnumProc([](HWND window, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(param);
                    wchar_t cls[16] = {};
                    GetClassNameW(window, cls, 16);
                    if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
                    if (s->caption) {
                        wchar_t text[128] = {};
                        GetWindowTextW(window, text, 128);
                        if (wcscmp(text, s->caption) != 0) return TRUE;
                    }
                    s->found = window;
                    return FALSE;
                }),
                reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                m_dialog = search.found;
                Settle();
                return true;
            }
            if (m_done) return false;
            Sleep(2);
        }
        ADD_FAILURE() << "the dialog did not appear";
        return false;
    }

    // Leaves nothing open: answers boxes with their default and cancels.
    void Finish() {
        for (int i = 0; i < 20 && IsWindow(m_dialog) && !m_done; ++i) {
            if (auto box = Box()) {
                Answer(*box, box->defaultButton ? box->defaultButton : box->buttons.empty() ? IDOK : box->buttons[0]);
                continue;
            }
            PostMessageW(m_dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            for (int k = 0; k < 500 && IsWindow(m_dialog) && !m_done; ++k) Sleep(2);
        }
    }

    HWND EditOf(int id) const {
        HWND control = Item(id);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (control && GetComboBoxInfo(control, &info) && info.hwndItem) return info.hwndItem;
        return control;
    }
    void Focus(int id) {
        SendMessageW(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
    }
    static constexpr WPARAM kMarker = 0x5EED;
    static HANDLE& MarkerEvent() {
        static HANDLE event = nullptr;
        return event;
    }
    static LRESULT CALLBACK MarkerHook(int code, WPARAM remove, LPARAM param) {
        const MSG* message = reinterpret_cast<const MSG*>(param);
        if (code == HC_ACTION && remove == PM_REMOVE && message->message == WM_NULL && message->wParam == kMarker &&
            MarkerEvent())
            SetEvent(MarkerEvent());
        return CallNextHookEx(nullptr, code, remove, param);
    }
    static bool ToClipboard(const std::wstring& text) {
        if (!OpenClipboard(nullptr)) return false;
        EmptyClipboard();
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        bool ok = false;
        if (memory) {
            memcpy(GlobalLock(memory), text.c_str(), bytes);
            GlobalUnlock(memory);
            ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            if (!ok) GlobalFree(memory);
        }
        CloseClipboard();
        return ok;
    }

    DWORD m_threadId;
    const wchar_t* m_caption;
    HWND m_dialog = nullptr;
    volatile bool m_done = false;
};

}  // namespace humichart::test
