// CHumichartCtl's data methods: the chart's lists through the chart window.
#include "CChartDataCommands.h"
#include "CHumichartCtl.h"
#include "HResult.h"

namespace humichart {

namespace {

// An absent and an empty name are the same; embedded nulls stay.
std::wstring Name(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// A new string for the caller, or null for an absent name.
BSTR NewName(const std::wstring& name) {
    return name.empty() ? nullptr : SysAllocStringLen(name.data(), static_cast<UINT>(name.size()));
}

}  // namespace

HRESULT CHumichartCtl::Repainted(Status status) {
    if (Succeeded(status)) m_chart->RequestRepaint();
    return status;
}

#define REQUIRE_CHART() \
    if (!m_chart) return E_ABORT

STDMETHODIMP CHumichartCtl::Reset() {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        m_chart->ResetChart(true);
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::Refresh() {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        m_chart->RequestRender();
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::AddPoint(double di, double dd, BSTR name) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc).AddPoint(di, dd, Name(name)));
    });
}

STDMETHODIMP CHumichartCtl::RemovePoint(BSTR name) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc).RemovePoint(Name(name)));
    });
}

STDMETHODIMP CHumichartCtl::RemoveAllPoints() {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        CChartDataCommands(*m_chart, m_calc).RemoveAllPoints();
        return Repainted(kStatusOk);
    });
}

STDMETHODIMP CHumichartCtl::RemoveNoNamePoints() {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        CChartDataCommands(*m_chart, m_calc).RemoveNoNamePoints();
        return Repainted(kStatusOk);
    });
}

STDMETHODIMP CHumichartCtl::AddProcess(BSTR ptStart, BSTR ptEnd, BSTR name, double dAirFlow) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc).AddProcess(Name(ptStart), Name(ptEnd), Name(name), dAirFlow));
    });
}

STDMETHODIMP CHumichartCtl::RemoveProcess(BSTR pt1, BSTR pt2) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc).RemoveProcess(Name(pt1), Name(pt2)));
    });
}

STDMETHODIMP CHumichartCtl::RemoveAllProcesses() {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        CChartDataCommands(*m_chart, m_calc).RemoveAllProcesses();
        return Repainted(kStatusOk);
    });
}

STDMETHODIMP CHumichartCtl::AddMixLine(BSTR ptFresh, BSTR ptReturn, BSTR ptMix, BSTR name, double dFreshAirFlow,
                                       double dAirFlow) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc)
                             .AddMixLine(Name(ptFresh), Name(ptReturn), Name(ptMix), Name(name), dFreshAirFlow, dAirFlow));
    });
}

STDMETHODIMP CHumichartCtl::RemoveMixLine(BSTR ptFresh, BSTR ptReturn) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc).RemoveMixLine(Name(ptFresh), Name(ptReturn)));
    });
}

STDMETHODIMP CHumichartCtl::RemoveAllMixLines() {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        CChartDataCommands(*m_chart, m_calc).RemoveAllMixLines();
        return Repainted(kStatusOk);
    });
}

STDMETHODIMP CHumichartCtl::PointCount(ULONG* count) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        if (!count) return E_POINTER;
        *count = static_cast<ULONG>(m_chart->points.size());
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::ProcessCount(ULONG* count) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        if (!count) return E_POINTER;
        *count = static_cast<ULONG>(m_chart->processes.size());
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::MixerCount(ULONG* count) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        if (!count) return E_POINTER;
        *count = static_cast<ULONG>(m_chart->mixes.size());
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::GetPoint(ULONG index, double* di, double* dd, BSTR* name) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        if (!di || !dd || !name) return E_POINTER;
        if (index >= m_chart->points.size()) return E_INVALIDARG;
        const StatePoint& point = m_chart->points[index];
        *di = point.I;
        *dd = point.D;
        *name = NewName(point.name);
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::GetProcess(ULONG index, BSTR* ptStart, BSTR* ptEnd, BSTR* name, double* dAirFlow) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        if (!ptStart || !ptEnd || !name || !dAirFlow) return E_POINTER;
        if (index >= m_chart->processes.size()) return E_INVALIDARG;
        const TransferProcess& process = m_chart->processes[index];
        *ptStart = NewName(process.ptStart);
        *ptEnd = NewName(process.ptEnd);
        *name = NewName(process.name);
        *dAirFlow = process.dAirFlow;
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::GetMixer(ULONG index, BSTR* ptFresh, BSTR* ptReturn, BSTR* ptMix, BSTR* name,
                                     double* dFreshAirFlow, double* dAirFlow) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        if (!ptFresh || !ptReturn || !ptMix || !name || !dFreshAirFlow || !dAirFlow) return E_POINTER;
        if (index >= m_chart->mixes.size()) return E_INVALIDARG;
        const MixProcess& mix = m_chart->mixes[index];
        *ptFresh = NewName(mix.ptFresh);
        *ptReturn = NewName(mix.ptReturn);
        *ptMix = NewName(mix.ptMix);
        *name = NewName(mix.name);
        *dFreshAirFlow = mix.dFreshAirFlow;
        *dAirFlow = mix.dAirFlow;
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::SetCSSR(double minT, double maxT, double minD, double maxD) {
    return NoThrow([&]() -> HRESULT {
        REQUIRE_CHART();
        return Repainted(CChartDataCommands(*m_chart, m_calc).SetCSSR(minT, maxT, minD, maxD));
    });
}

}  // namespace humichart
