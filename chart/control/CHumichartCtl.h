// The chart control: IHumichartCtl over its property copies and, while its
// window exists, over the chart window that holds the chart data. Events,
// persistence and the embedding plumbing are parts of the same object.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <memory>

#include "CComCalcBinding.h"
#include "CControlWindow.h"
#include "CHumichartEvents.h"
#include "CHumichartOle.h"
#include "CHumichartPersist.h"
#include "CChartDialogs.h"
#include "CIDWnd.h"
#include "CSlotFileStore.h"
#include "ComObject.h"
#include "ControlProperties.h"
#include "Humichart_h.h"

namespace humichart {

class CHumichartCtl final : public IHumichartCtl,
                            public IProvideClassInfo2,
                            public ISupportErrorInfo,
                            public ComObjectRoot,
                            private IControlWindowOwner,
                            private IChartFocusObserver,
                            private IOleEmbeddingOwner {
public:
    explicit CHumichartCtl(IUnknown* outer);
    ~CHumichartCtl() override;

    static HRESULT Create(IUnknown* outer, REFIID riid, void** ppv);

    COM_DELEGATING_IUNKNOWN

    // IDispatch, through the type library
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // IHumichartCtl: properties
    STDMETHODIMP get_AirPressure(double* pVal) override;
    STDMETHODIMP put_AirPressure(double newVal) override;
    STDMETHODIMP get_HasDLine(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasDLine(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasTLine(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasTLine(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasILine(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasILine(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasFLine(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasFLine(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasProcessLineName(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasProcessLineName(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasBorder(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasBorder(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasBackground(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasBackground(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_HasForeground(VARIANT_BOOL* pVal) override;
    STDMETHODIMP put_HasForeground(VARIANT_BOOL newVal) override;
    STDMETHODIMP get_RangeMaxT(double* pVal) override;
    STDMETHODIMP put_RangeMaxT(double newVal) override;
    STDMETHODIMP get_RangeMinT(double* pVal) override;
    STDMETHODIMP put_RangeMinT(double newVal) override;
    STDMETHODIMP get_RangeMaxD(double* pVal) override;
    STDMETHODIMP put_RangeMaxD(double newVal) override;
    STDMETHODIMP get_RangeMinD(double* pVal) override;
    STDMETHODIMP put_RangeMinD(double newVal) override;
    STDMETHODIMP get_DataIndex(ULONG* pVal) override;
    STDMETHODIMP put_DataIndex(ULONG newVal) override;

    // IHumichartCtl: methods
    STDMETHODIMP Reset() override;
    STDMETHODIMP Refresh() override;
    STDMETHODIMP AddPoint(double di, double dd, BSTR name) override;
    STDMETHODIMP RemovePoint(BSTR name) override;
    STDMETHODIMP RemoveAllPoints() override;
    STDMETHODIMP RemoveNoNamePoints() override;
    STDMETHODIMP AddProcess(BSTR ptStart, BSTR ptEnd, BSTR name, double dAirFlow) override;
    STDMETHODIMP RemoveProcess(BSTR pt1, BSTR pt2) override;
    STDMETHODIMP RemoveAllProcesses() override;
    STDMETHODIMP AddMixLine(BSTR ptFresh, BSTR ptReturn, BSTR ptMix, BSTR name, double dFreshAirFlow,
                            double dAirFlow) override;
    STDMETHODIMP RemoveMixLine(BSTR ptFresh, BSTR ptReturn) override;
    STDMETHODIMP RemoveAllMixLines() override;
    STDMETHODIMP PointCount(ULONG* count) override;
    STDMETHODIMP ProcessCount(ULONG* count) override;
    STDMETHODIMP MixerCount(ULONG* count) override;
    STDMETHODIMP GetPoint(ULONG index, double* di, double* dd, BSTR* name) override;
    STDMETHODIMP GetProcess(ULONG index, BSTR* ptStart, BSTR* ptEnd, BSTR* name, double* dAirFlow) override;
    STDMETHODIMP GetMixer(ULONG index, BSTR* ptFresh, BSTR* ptReturn, BSTR* ptMix, BSTR* name,
                          double* dFreshAirFlow, double* dAirFlow) override;
    STDMETHODIMP SetCSSR(double minT, double maxT, double minD, double maxD) override;

    // IHumichartCtl: the design tools (CHumichartCtlDesign.cpp). A refusal
    // answers E_INVALIDARG, changes nothing and leaves the dialog's message
    // as the error's description.
    STDMETHODIMP DesignSupplyState(BSTR room, double loadKW, double moistureKgH, double deltaT, BSTR supply,
                                   BSTR process, double* supplyFlow) override;
    STDMETHODIMP DesignFreshAir(BSTR outdoor, BSTR room, double supplyFlow, double people, double perPerson,
                                double minSharePercent, double exhaustFlow, BSTR mixPoint, BSTR mix,
                                double* freshFlow) override;
    STDMETHODIMP DesignDewPointSupply(BSTR room, double loadKW, double moistureKgH, double rhPercent, BSTR outdoor,
                                      double freshSharePercent, double maxDeltaT, BSTR prefix,
                                      double* supplyFlow) override;

    // IHumichartCtl: documents, pictures, the report and the menu's commands
    // (CHumichartCtlDocuments.cpp). A failure changes nothing and leaves the
    // message a dialog would have shown as the error's description.
    STDMETHODIMP ExportWorkbook(BSTR path) override;
    STDMETHODIMP ImportWorkbook(BSTR path) override;
    STDMETHODIMP SavePicture(BSTR path, VARIANT width, VARIANT height) override;
    STDMETHODIMP SaveDocument(BSTR path) override;
    STDMETHODIMP OpenDocument(BSTR path) override;
    STDMETHODIMP PrintReport(BSTR title, VARIANT printer) override;
    STDMETHODIMP ExecuteCommand(LONG command) override;
    STDMETHODIMP CommandState(LONG command, LONG* state) override;

    // ISupportErrorInfo: IHumichartCtl's design tools and documents describe their failures.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

private:
    void* FindOwnInterface(REFIID riid) override;

    // IControlWindowOwner
    void OnControlWindowCreated(HWND window) override;
    void OnControlWindowSized(UINT width, UINT height) override;
    void OnControlWindowDestroying() override;
    // IOleEmbeddingOwner
    HWND CreateControlWindow(HWND parent, const RECT& position) override;
    void DestroyControlWindow() override;
    HWND ControlWindow() const override { return m_window.Hwnd(); }
    bool HasChartWindow() const override { return m_chart != nullptr; }
    bool TranslateChartKey(MSG& message) override { return m_chart && m_chart->TranslateKey(message); }
    // IChartFocusObserver
    void OnChartFocus(bool gotFocus) override { m_ole.OnChartFocus(gotFocus); }
    void FreezeEvents(bool freeze) override { m_events.Freeze(freeze); }

    HRESULT GetFlag(std::int32_t ControlProperties::*copy, std::int32_t CHumichartDataObj::*chart,
                    VARIANT_BOOL* value);
    HRESULT PutFlag(std::int32_t ControlProperties::*copy, std::int32_t CHumichartDataObj::*chart,
                    VARIANT_BOOL value, bool rebuild);
    HRESULT GetRangeBound(double ControlProperties::*copy, double* value);
    HRESULT PutRangeBound(double ControlProperties::*copy, double value);
    void ReadRangeFromChart();
    // After a data method: its status, with a repaint when it changed something.
    HRESULT Repainted(Status status);
    ISlotStore* SlotStore();

    ControlProperties m_properties;
    CHumichartEvents m_events;
    CHumichartPersist m_persist;
    CHumichartOle m_ole;
    CComCalcBinding m_calc;
    std::unique_ptr<CSlotFileStore> m_slots;
    CControlWindow m_window;
    CChartDialogs m_dialogs;
    std::unique_ptr<CIDWnd> m_chart;
};

}  // namespace humichart
