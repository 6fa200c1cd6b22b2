#include "CHumichartCtl.h"

#include <shlobj.h>

#include "HResult.h"
#include "TypeLibrary.h"

namespace humichart {

namespace {

constexpr double kMinPressure = 85000.0;
constexpr double kMaxPressure = 111325.0;

VARIANT_BOOL ToVariantBool(std::int32_t flag) { return flag ? VARIANT_TRUE : VARIANT_FALSE; }

// Slots live with the user's settings, %APPDATA%\Humichart\slots.
std::filesystem::path SlotDirectory() {
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) return {};
    return std::filesystem::path(appData) / L"Humichart" / L"slots";
}

}  // namespace

CHumichartCtl::CHumichartCtl(IUnknown* outer)
    : ComObjectRoot(outer),
      m_events(Controlling()),
      m_persist(Controlling(), m_properties),
      m_ole(Controlling(), *this, m_properties),
      m_window(*this) {}

CHumichartCtl::~CHumichartCtl() {
    // Nobody can hear events any more: the chart and the window just go.
    m_chart.reset();
}

HRESULT CHumichartCtl::Create(IUnknown* outer, REFIID riid, void** ppv) {
    return CreateComObject<CHumichartCtl>(outer, riid, ppv);
}

void* CHumichartCtl::FindOwnInterface(REFIID riid) {
    if (void* own = FindInterface<IHumichartCtl, Via<IDispatch, IHumichartCtl>, IProvideClassInfo2,
                                  Via<IProvideClassInfo, IProvideClassInfo2>, ISupportErrorInfo>(this, riid))
        return own;
    if (void* events = FindInterface<IConnectionPointContainer>(&m_events, riid)) return events;
    if (void* persist = FindInterface<IPersistStreamInit, IPersistStorage, Via<IPersist, IPersistStreamInit>>(
            &m_persist, riid))
        return persist;
    return FindInterface<IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, Via<IOleWindow, IOleInPlaceObject>,
                         IOleControl, IViewObjectEx, Via<IViewObject2, IViewObjectEx>,
                         Via<IViewObject, IViewObjectEx>>(&m_ole, riid);
}

// IDispatch

STDMETHODIMP CHumichartCtl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CHumichartCtl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return type_library::GetTypeInfo(IID_IHumichartCtl, info);
}

STDMETHODIMP CHumichartCtl::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    RETURN_IF_FAILED(type_library::GetTypeInfo(IID_IHumichartCtl, info.Put()));
    return DispGetIDsOfNames(info.Get(), names, count, ids);
}

STDMETHODIMP CHumichartCtl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argError) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ComPtr<ITypeInfo> info;
    RETURN_IF_FAILED(type_library::GetTypeInfo(IID_IHumichartCtl, info.Put()));
    // Script hosts pass their variables for the outputs of GetPoint and its
    // kind as references to VARIANTs.
    return type_library::Invoke(static_cast<IHumichartCtl*>(this), info.Get(), id, flags, params, result, exception,
                                argError);
}

// IProvideClassInfo2

STDMETHODIMP CHumichartCtl::GetClassInfo(ITypeInfo** info) {
    return type_library::GetTypeInfo(CLSID_HumichartCtl, info);
}

STDMETHODIMP CHumichartCtl::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = DIID__IHumichartCtlEvents;
    return S_OK;
}

// Properties

STDMETHODIMP CHumichartCtl::get_AirPressure(double* pVal) {
    if (!pVal) return E_POINTER;
    if (m_chart) m_properties.AirPressure = m_chart->airPressure;
    *pVal = m_properties.AirPressure;
    return S_OK;
}

STDMETHODIMP CHumichartCtl::put_AirPressure(double newVal) {
    if (!(newVal >= kMinPressure && newVal <= kMaxPressure)) return E_INVALIDARG;
    m_properties.AirPressure = newVal;
    if (m_chart) {
        m_chart->airPressure = newVal;
        m_chart->RequestRender();
    }
    return S_OK;
}

HRESULT CHumichartCtl::GetFlag(std::int32_t ControlProperties::*copy, std::int32_t CHumichartDataObj::*chart,
                               VARIANT_BOOL* value) {
    if (!value) return E_POINTER;
    if (m_chart) m_properties.*copy = (*m_chart).*chart ? 1 : 0;
    *value = ToVariantBool(m_properties.*copy);
    return S_OK;
}

HRESULT CHumichartCtl::PutFlag(std::int32_t ControlProperties::*copy, std::int32_t CHumichartDataObj::*chart,
                               VARIANT_BOOL value, bool rebuild) {
    const std::int32_t flag = value ? 1 : 0;
    if (!m_chart) {
        m_properties.*copy = flag;
        return S_OK;
    }
    // The copy follows at the next read.
    std::int32_t& current = (*m_chart).*chart;
    if (current == flag) return S_OK;
    current = flag;
    if (rebuild) m_chart->RequestRender(); else m_chart->RequestRepaint();
    return S_OK;
}

#define HUMICHART_FLAG(Name, rebuild)                                                                      \
    STDMETHODIMP CHumichartCtl::get_##Name(VARIANT_BOOL* pVal) {                                            \
        return GetFlag(&ControlProperties::Name, &CHumichartDataObj::Name, pVal);                           \
    }                                                                                                      \
    STDMETHODIMP CHumichartCtl::put_##Name(VARIANT_BOOL newVal) {                                           \
        return PutFlag(&ControlProperties::Name, &CHumichartDataObj::Name, newVal, rebuild);                \
    }

HUMICHART_FLAG(HasDLine, true)
HUMICHART_FLAG(HasTLine, true)
HUMICHART_FLAG(HasILine, true)
HUMICHART_FLAG(HasFLine, true)
HUMICHART_FLAG(HasProcessLineName, false)
HUMICHART_FLAG(HasBorder, false)
HUMICHART_FLAG(HasBackground, true)
HUMICHART_FLAG(HasForeground, true)
#undef HUMICHART_FLAG

void CHumichartCtl::ReadRangeFromChart() {
    const ChartRange range = m_chart->View().GetRange();
    m_properties.RangeMinT = range.minT;
    m_properties.RangeMaxT = range.maxT;
    m_properties.RangeMinD = range.minD;
    m_properties.RangeMaxD = range.maxD;
}

HRESULT CHumichartCtl::GetRangeBound(double ControlProperties::*copy, double* value) {
    if (!value) return E_POINTER;
    if (m_chart) ReadRangeFromChart();
    *value = m_properties.*copy;
    return S_OK;
}

HRESULT CHumichartCtl::PutRangeBound(double ControlProperties::*copy, double value) {
    // Each bound is limited on its own and kept 10 away from the opposite
    // one, as the copies hold it before the call.
    const ControlProperties& p = m_properties;
    bool accepted = false;
    if (copy == &ControlProperties::RangeMaxT) accepted = value >= -20 && value <= 100 && value >= p.RangeMinT + 10;
    if (copy == &ControlProperties::RangeMinT) accepted = value >= -30 && value <= 90 && value <= p.RangeMaxT - 10;
    if (copy == &ControlProperties::RangeMaxD) accepted = value >= 10 && value <= 80 && value >= p.RangeMinD + 10;
    if (copy == &ControlProperties::RangeMinD) accepted = value >= 0 && value <= 70 && value <= p.RangeMaxD - 10;
    if (!accepted) return E_INVALIDARG;
    if (!m_chart) {
        m_properties.*copy = value;
        return S_OK;
    }
    ReadRangeFromChart();
    m_properties.*copy = value;
    m_chart->View().SetRange(p.RangeMinT, p.RangeMaxT, p.RangeMinD, p.RangeMaxD);
    m_chart->RequestRender();
    return S_OK;
}

STDMETHODIMP CHumichartCtl::get_RangeMaxT(double* pVal) { return GetRangeBound(&ControlProperties::RangeMaxT, pVal); }
STDMETHODIMP CHumichartCtl::put_RangeMaxT(double newVal) { return PutRangeBound(&ControlProperties::RangeMaxT, newVal); }
STDMETHODIMP CHumichartCtl::get_RangeMinT(double* pVal) { return GetRangeBound(&ControlProperties::RangeMinT, pVal); }
STDMETHODIMP CHumichartCtl::put_RangeMinT(double newVal) { return PutRangeBound(&ControlProperties::RangeMinT, newVal); }
STDMETHODIMP CHumichartCtl::get_RangeMaxD(double* pVal) { return GetRangeBound(&ControlProperties::RangeMaxD, pVal); }
STDMETHODIMP CHumichartCtl::put_RangeMaxD(double newVal) { return PutRangeBound(&ControlProperties::RangeMaxD, newVal); }
STDMETHODIMP CHumichartCtl::get_RangeMinD(double* pVal) { return GetRangeBound(&ControlProperties::RangeMinD, pVal); }
STDMETHODIMP CHumichartCtl::put_RangeMinD(double newVal) { return PutRangeBound(&ControlProperties::RangeMinD, newVal); }

STDMETHODIMP CHumichartCtl::get_DataIndex(ULONG* pVal) {
    if (!pVal) return E_POINTER;
    if (m_chart) m_properties.DataIndex = m_chart->dataIndex;
    *pVal = m_properties.DataIndex;
    return S_OK;
}

STDMETHODIMP CHumichartCtl::put_DataIndex(ULONG newVal) {
    m_properties.DataIndex = newVal;
    if (!m_chart) return S_OK;
    m_chart->dataIndex = newVal;
    // A slot that cannot be read (not even for want of memory) is a failed
    // load: the chart keeps what it has.
    NoThrow([&] { return static_cast<HRESULT>(m_chart->LoadSlot(newVal, m_calc)); });
    m_chart->RequestRender();
    return S_OK;
}

ISlotStore* CHumichartCtl::SlotStore() {
    if (!m_slots) {
        std::filesystem::path directory = SlotDirectory();
        if (directory.empty()) return nullptr;
        m_slots = std::make_unique<CSlotFileStore>(std::move(directory));
    }
    return m_slots.get();
}

// The control's window and the chart window in it

HWND CHumichartCtl::CreateControlWindow(HWND parent, const RECT& position) {
    if (m_window.Hwnd()) return m_window.Hwnd();
    return m_window.Create(parent, position);
}

void CHumichartCtl::DestroyControlWindow() { m_window.Destroy(); }

void CHumichartCtl::OnControlWindowCreated(HWND window) {
    auto chart = std::make_unique<CIDWnd>();
    if (!chart->Create(window)) return;  // no chart: the methods answer E_ABORT
    chart->SetSlotStore(SlotStore());
    chart->SetDialogs(&m_dialogs);
    chart->SetFocusObserver(this);
    chart->SetUserChangeObserver([this] { m_events.FireOnDataChanged(); });
    chart->airPressure = m_properties.AirPressure;
    chart->View().SetRange(m_properties.RangeMinT, m_properties.RangeMaxT, m_properties.RangeMinD,
                           m_properties.RangeMaxD);
    // A stream may carry any number for a flag; the chart's flags are on or off.
    chart->HasTLine = m_properties.HasTLine != 0;
    chart->HasDLine = m_properties.HasDLine != 0;
    chart->HasILine = m_properties.HasILine != 0;
    chart->HasFLine = m_properties.HasFLine != 0;
    chart->HasProcessLineName = m_properties.HasProcessLineName != 0;
    chart->HasBorder = m_properties.HasBorder != 0;
    chart->HasBackground = m_properties.HasBackground != 0;
    chart->HasForeground = m_properties.HasForeground != 0;
    RECT client{};
    GetClientRect(window, &client);
    SetWindowPos(chart->Hwnd(), nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(chart->Hwnd(), SW_SHOWNA);
    m_chart = std::move(chart);
    m_events.FireOnInit(m_properties.AirPressure);
}

void CHumichartCtl::OnControlWindowSized(UINT width, UINT height) {
    if (m_chart)
        SetWindowPos(m_chart->Hwnd(), nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    m_events.FireOnSize(width, height);
}

void CHumichartCtl::OnControlWindowDestroying() {
    if (!m_chart) return;
    m_events.FireOnDestroy();
    m_chart.reset();
}

}  // namespace humichart
