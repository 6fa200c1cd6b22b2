// The control's own window while it is active in place: a plain child of the
// container's window that the chart window fills. It draws nothing itself.
#pragma once

#include "IControlWindowOwner.h"
#include "WindowBase.h"

namespace humichart {

class CControlWindow final : public CWindowBase {
public:
    explicit CControlWindow(IControlWindowOwner& owner) : m_owner(owner) {}

    HWND Create(HWND parent, const RECT& rect);
    // Destroys the window with its messages, unlike the destructor, which
    // leaves an owner that is itself going away alone.
    void Destroy();

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    IControlWindowOwner& m_owner;
};

}  // namespace humichart
