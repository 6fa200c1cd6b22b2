#include "CChartEventSink.h"

#include <new>
#include <utility>

// {8FF68AEB-F577-4F8F-A4A0-755B4DF9B98E}
const IID CChartEventSink::EventsIid = {0x8FF68AEB, 0xF577, 0x4F8F, {0xA4, 0xA0, 0x75, 0x5B, 0x4D, 0xF9, 0xB9, 0x8E}};

CChartEventSink::CChartEventSink(std::function<void()> onDataChanged)
    : ComObjectRoot(nullptr), onDataChanged_(std::move(onDataChanged)) {}

ComPtr<CChartEventSink> CChartEventSink::Create(std::function<void()> onDataChanged) {
    // The construction reference becomes the caller's.
    return ComPtr<CChartEventSink>::Attach(new (std::nothrow) CChartEventSink(std::move(onDataChanged)));
}

void* CChartEventSink::FindOwnInterface(REFIID riid) {
    if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, EventsIid)) return static_cast<IDispatch*>(this);
    return nullptr;
}

HRESULT CChartEventSink::Connect(IUnknown* chart) {
    if (point_) point_->Unadvise(cookie_);
    point_.Reset();
    ComPtr<IConnectionPointContainer> container;
    if (!chart) return E_POINTER;
    HRESULT status = chart->QueryInterface(IID_IConnectionPointContainer, container.PutVoid());
    if (SUCCEEDED(status)) status = container->FindConnectionPoint(EventsIid, point_.Put());
    if (SUCCEEDED(status)) status = point_->Advise(static_cast<IDispatch*>(this), &cookie_);
    if (FAILED(status)) point_.Reset();
    return status;
}

void CChartEventSink::Disconnect() {
    if (point_) point_->Unadvise(cookie_);
    point_.Reset();
    cookie_ = 0;
    onDataChanged_ = nullptr;
}

STDMETHODIMP CChartEventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CChartEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CChartEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CChartEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    // The other events need nothing from Humistart.
    if (id == kOnDataChanged && onDataChanged_) onDataChanged_();
    return S_OK;
}
