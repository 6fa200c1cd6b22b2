// Humistart's ear on the chart: a sink of the chart's events, connected
// through the chart's connection point, that passes OnDataChanged on.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <functional>

#include "ComObject.h"
#include "ComPtr.h"

class CChartEventSink final : public ComObjectRoot, public IDispatch {
public:
    // The chart's event interface, _IHumichartCtlEvents.
    static const IID EventsIid;
    static constexpr DISPID kOnDataChanged = 4;

    // A sink that calls onDataChanged for each OnDataChanged.
    static ComPtr<CChartEventSink> Create(std::function<void()> onDataChanged);

    // Connects to chart's events; S_OK when connected.
    HRESULT Connect(IUnknown* chart);
    // Disconnects and calls nothing more.
    void Disconnect();

    COM_DELEGATING_IUNKNOWN

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

private:
    explicit CChartEventSink(std::function<void()> onDataChanged);
    void* FindOwnInterface(REFIID riid) override;

    std::function<void()> onDataChanged_;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};
