// The control's connection points: its events (the default source) and
// property-change notification. Part of the control object; fires each
// event to every connected sink in turn.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "ComPart.h"
#include "ConnectionPoint.h"

namespace humichart {

class CHumichartEvents final : public IConnectionPointContainer {
public:
    explicit CHumichartEvents(IUnknown* outer);

    void FireOnInit(double airPressure);
    void FireOnDestroy();
    void FireOnSize(unsigned long x, unsigned long y);
    void FireOnDataChanged();
    // IOleControl::FreezeEvents: nested; while any freeze holds, events are
    // not delivered.
    void Freeze(bool freeze);

    COM_PART_IUNKNOWN(m_outer)

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

private:
    // args in dispatch order: last argument first.
    void Fire(DISPID id, VARIANT* args, UINT count);

    IUnknown* m_outer;
    CConnectionPoint m_events;
    CConnectionPoint m_propertyNotify;
    int m_frozen = 0;
};

}  // namespace humichart
