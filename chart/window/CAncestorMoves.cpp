#include "CAncestorMoves.h"

#include <commctrl.h>

namespace humichart {

void CAncestorMoves::Watch(HWND window, std::function<void()> moved) {
    Stop();
    m_moved = std::move(moved);
    for (HWND ancestor = window ? GetAncestor(window, GA_PARENT) : nullptr;
         ancestor && ancestor != GetDesktopWindow(); ancestor = GetAncestor(ancestor, GA_PARENT)) {
        // comctl32 keeps a chain, so a host that subclasses too is not
        // disturbed, and drops the hook by itself if the window goes first.
        if (SetWindowSubclass(ancestor, Subclass, reinterpret_cast<UINT_PTR>(this),
                              reinterpret_cast<DWORD_PTR>(this)))
            m_watched.push_back(ancestor);
    }
}

void CAncestorMoves::Stop() {
    for (HWND window : m_watched) RemoveWindowSubclass(window, Subclass, reinterpret_cast<UINT_PTR>(this));
    m_watched.clear();
}

LRESULT CALLBACK CAncestorMoves::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_WINDOWPOSCHANGED) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        const UINT unchanged = SWP_NOMOVE | SWP_NOSIZE;
        auto* watch = reinterpret_cast<CAncestorMoves*>(self);
        if (position && (position->flags & unchanged) != unchanged && watch->m_moved) {
            // moved may stop the watch: it runs on a copy.
            const std::function<void()> moved = watch->m_moved;
            moved();
        }
    }
    return result;
}

}  // namespace humichart
