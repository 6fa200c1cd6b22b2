#include "CHumichartEvents.h"

#include "ComPtr.h"
#include "EnumConnectionPoints.h"
#include "Humichart_h.h"
#include "UniqueBstr.h"

namespace humichart {

namespace {

// A failing sink leaves its description where the caller of the event's
// trigger can find it; the control itself carries on.
void RecordSinkFailure(EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    UniqueBstr source, description, helpFile;
    source.Reset(exception.bstrSource);
    description.Reset(exception.bstrDescription);
    helpFile.Reset(exception.bstrHelpFile);
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Put()))) return;
    create->SetGUID(DIID__IHumichartCtlEvents);
    if (source.Get()) create->SetSource(source.Get());
    if (description.Get()) create->SetDescription(description.Get());
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(info))) SetErrorInfo(0, info.Get());
}

}  // namespace

CHumichartEvents::CHumichartEvents(IUnknown* outer)
    : m_outer(outer), m_events(this, DIID__IHumichartCtlEvents), m_propertyNotify(this, IID_IPropertyNotifySink) {}

void CHumichartEvents::FireOnInit(double airPressure) {
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_R8;
    arg.dblVal = airPressure;
    Fire(1, &arg, 1);
}

void CHumichartEvents::FireOnDestroy() { Fire(2, nullptr, 0); }

void CHumichartEvents::FireOnSize(unsigned long x, unsigned long y) {
    VARIANT args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    // Signed: script and Basic handlers take no VT_UI4, and a client size
    // never needs the top bit.
    args[0].vt = VT_I4;
    args[0].lVal = static_cast<LONG>(y);
    args[1].vt = VT_I4;
    args[1].lVal = static_cast<LONG>(x);
    Fire(3, args, 2);
}

void CHumichartEvents::FireOnDataChanged() { Fire(4, nullptr, 0); }

void CHumichartEvents::Freeze(bool freeze) {
    if (freeze) ++m_frozen;
    else if (m_frozen > 0) --m_frozen;
}

void CHumichartEvents::Fire(DISPID id, VARIANT* args, UINT count) {
    if (m_frozen > 0) return;  // the container is not ready for them: dropped, not queued
    m_events.ForEachSink([&](IUnknown* sink) {
        // Advise kept the sink as the event interface, which is a dispatch
        // interface: its vtable is IDispatch's.
        auto* dispatch = reinterpret_cast<IDispatch*>(sink);
        DISPPARAMS params{args, nullptr, count, 0};
        EXCEPINFO exception{};
        const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                                            &exception, nullptr);
        if (hr == DISP_E_EXCEPTION) RecordSinkFailure(exception);
    });
}

STDMETHODIMP CHumichartEvents::EnumConnectionPoints(IEnumConnectionPoints** points) {
    return CEnumConnectionPoints::Create({&m_events, &m_propertyNotify}, 0, points);
}

STDMETHODIMP CHumichartEvents::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    CConnectionPoint* found = IsEqualIID(riid, m_events.Iid())           ? &m_events
                              : IsEqualIID(riid, m_propertyNotify.Iid()) ? &m_propertyNotify
                                                                         : nullptr;
    if (!found) return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *point = found;
    return S_OK;
}

}  // namespace humichart
