// What the control's embedding plumbing needs of the control itself.
#pragma once

#include <windows.h>

namespace humichart {

class IOleEmbeddingOwner {
public:
    virtual ~IOleEmbeddingOwner() = default;
    // The control's window as a child of parent, or the existing one moved
    // there; null when it cannot be created.
    virtual HWND CreateControlWindow(HWND parent, const RECT& position) = 0;
    virtual void DestroyControlWindow() = 0;
    virtual HWND ControlWindow() const = 0;
    virtual bool HasChartWindow() const = 0;
    // A key message offered by the container: answers whether the chart (or
    // one of its popups) took it.
    virtual bool TranslateChartKey(MSG& message) = 0;
    virtual void FreezeEvents(bool freeze) = 0;
};

}  // namespace humichart
