// Tells a window when it has moved on the screen without being moved itself:
// a host's top-level window dragged or resized, or a container moving the
// control around the chart. Child windows hear nothing of either, so the
// ancestors' own position changes are watched while someone needs them.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace humichart {

class CAncestorMoves {
public:
    CAncestorMoves() = default;
    CAncestorMoves(const CAncestorMoves&) = delete;
    CAncestorMoves& operator=(const CAncestorMoves&) = delete;
    ~CAncestorMoves() { Stop(); }

    // Calls moved after every move or size change of window's parent and
    // the parent's ancestors up to the top-level window, once the ancestor
    // has answered it (its children resized). Watching again starts afresh.
    void Watch(HWND window, std::function<void()> moved);
    // Leaves the ancestors alone again; safe from within moved.
    void Stop();
    bool Watching() const { return !m_watched.empty(); }

private:
    static LRESULT CALLBACK Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);

    std::vector<HWND> m_watched;
    std::function<void()> m_moved;
};

}  // namespace humichart
