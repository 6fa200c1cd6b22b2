// Who hears that the chart window gained or lost the keyboard focus: the
// control, which becomes the container's active object while the chart has
// the focus, so that the container offers it the keys.
#pragma once

namespace humichart {

class IChartFocusObserver {
public:
    virtual ~IChartFocusObserver() = default;
    virtual void OnChartFocus(bool gotFocus) = 0;
};

}  // namespace humichart
