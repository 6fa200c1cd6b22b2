// What the control's own window tells the control about its life.
#pragma once

#include <windows.h>

namespace humichart {

class IControlWindowOwner {
public:
    virtual ~IControlWindowOwner() = default;
    virtual void OnControlWindowCreated(HWND window) = 0;
    virtual void OnControlWindowSized(UINT width, UINT height) = 0;
    virtual void OnControlWindowDestroying() = 0;
};

}  // namespace humichart
