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
    args[0].vt = VT_UI4;
    args[0].ulVal = y;
    args[1].vt = VT_UI4;
    args[1].ulVal = x;
    Fire(3, args, 2);
}

void CHumichartEvents::Fire(DISPID id, VARIANT* args, UINT count) {
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
