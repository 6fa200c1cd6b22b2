// Drives modal dialogs of the test's own thread from a second thread, as a
// user would: waits for a window by caption, clicks its buttons, types into
// the common file dialogs, answers message boxes and reads trees and lists.
// Everything is posted, so the dialog thread's modal loops run as usual; a
// step that times out closes every dialog so the test ends instead of hanging.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>
#include "../Win32Callbacks.h"

namespace humichart::test {

class DialogDriver {
public:
    explicit DialogDriver(DWORD dialogThread) : thread_(dialogThread) {}

    std::vector<std::string> problems;

    // The visible top-level window of the dialog thread with this caption
    // (and, when given, a child with this text), or null after the timeout.
    HWND Wait(const std::wstring& caption, int timeoutMs = 30000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            if (HWND found = Find(caption)) return found;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Problem("no window \"" + Narrow(caption) + "\"");
        return nullptr;
    }
    // Waits until the window is gone.
    bool Gone(HWND window, int timeoutMs = 30000) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (IsWindow(window) && IsWindowVisible(window)) {
            if (std::chrono::steady_clock::now() > end) {
                Problem("a window stayed open");
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    static void Click(HWND dialog, int id) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    static void Key(HWND control, UINT key) {
        PostMessageW(control, WM_KEYDOWN, key, 1);
        PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    }

    // Types path into a common file dialog's name box and presses its button.
    bool ChooseFile(const std::wstring& caption, const std::wstring& path) {
        HWND dialog = Wait(caption);
        if (!dialog) return false;
        HWND name = FindNameBox(dialog);
        if (!name) {
            Problem("no file name box");
            return false;
        }
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        Click(dialog, IDOK);
        return Gone(dialog);
    }

    // Answers the message box with this caption with OK; its text.
    std::wstring Answer(const std::wstring& caption) {
        HWND box = Wait(caption);
        if (!box) return L"";
        std::wstring text = BoxText(box);
        Click(box, IDOK);
        Gone(box);
        return text;
    }

    // Every item of a tree, roots and children, as "text" and "  text".
    static std::vector<std::wstring> TreeLines(HWND tree) {
        std::vector<std::wstring> lines;
        for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
            lines.push_back(ItemText(tree, root));
            if (TreeView_GetChild(tree, root) && !(TreeView_GetItemState(tree, root, TVIS_EXPANDED) & TVIS_EXPANDED))
                lines.back() += L" [collapsed]";
            for (HTREEITEM child = TreeView_GetChild(tree, root); child; child = TreeView_GetNextSibling(tree, child))
                lines.push_back(L"  " + ItemText(tree, child));
        }
        return lines;
    }

    static std::wstring ListCell(HWND list, int row, int column) {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = 256;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    // A real double click on row of a list view.
    static void DoubleClickRow(HWND list, int row) {
        RECT cell{};
        cell.left = LVIR_LABEL;
        SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
        const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
        PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(list, WM_LBUTTONUP, 0, at);
    }

    // Closes whatever the dialog thread still shows.
    void CloseAll() {
        EnumThreadWindows(thread_, AsEnumProc([](HWND w, LPARAM) -> BOOL {
            if (IsWindowVisible(w)) PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }), 0);
    }

    void Problem(const std::string& what) { problems.push_back(what); }

    static std::string Narrow(const std::wstring& text) {
        std::string out;
        for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
        return out;
    }

private:
    HWND Find(const std::wstring& caption) {
        struct Search { const std::wstring* caption; HWND found; } search{&caption, nullptr};
        EnumThreadWindows(thread_, AsEnumProc([](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t text[256] = {};
            GetWindowTextW(w, text, 256);
            if (IsWindowVisible(w) && *s->caption == text) {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        }), reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    static HWND FindNameBox(HWND dialog) {
        // The name box of the explorer-style dialogs: a combo box (cmb13)
        // holding an edit, or the edit edt1 of the older ones.
        if (HWND combo = GetDlgItem(dialog, 0x47C)) {
            if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr)) return edit;
            return combo;
        }
        return GetDlgItem(dialog, 0x480);
    }

    static std::wstring BoxText(HWND box) {
        std::wstring text;
        EnumChildWindows(box, AsEnumProc([](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(w, cls, 32);
            if (lstrcmpiW(cls, L"Static") == 0) {
                wchar_t t[1024] = {};
                GetWindowTextW(w, t, 1024);
                if (*t) *reinterpret_cast<std::wstring*>(p) += t;
            }
            return TRUE;
        }), reinterpret_cast<LPARAM>(&text));
        return text;
    }

    static std::wstring ItemText(HWND tree, HTREEITEM item) {
        wchar_t text[512] = {};
        TVITEMW data{};
        data.mask = TVIF_TEXT;
        data.hItem = item;
        data.pszText = text;
        data.cchTextMax = 512;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
        return text;
    }

    DWORD thread_;
};

}  // namespace humichart::test
