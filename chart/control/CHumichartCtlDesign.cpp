// CHumichartCtl's design tools: each does what its dialog's OK does, without
// the dialog. A refusal changes nothing, answers E_INVALIDARG and leaves the
// dialog's message, in the interface's language, as the thread's error
// information, which late-bound callers receive as the exception's
// description (Err.Description in a script).
#include "CHumichartCtl.h"
#include "ComPtr.h"
#include "DesignChange.h"
#include "DesignDialogsResource.h"
#include "DesignTexts.h"
#include "DewPointDesign.h"
#include "DialogCalc.h"
#include "FreshAirDesign.h"
#include "HResult.h"
#include "LoadDialogString.h"
#include "RaiseError.h"
#include "SupplyAirDesign.h"

namespace humichart {

namespace {

std::wstring Name(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

// Computes with one calculator session (compute answers a refusal and fills
// change), then adds change to the chart as one.
template <class Compute>
HRESULT Design(CIDWnd& chart, ICalcBinding& binding, DesignChange& change, Compute&& compute) {
    std::unique_ptr<ICalcSession> calc;
    const Status opened = binding.Open(chart.airPressure, calc);
    if (!Succeeded(opened) || !calc) {
        const Status status = Succeeded(opened) ? kStatusFail : opened;
        return RaiseError(status, CalculatorFailureText(status));
    }
    DesignRefusal refusal;
    try {
        refusal = compute(*calc);
    } catch (const CCalcError& error) {
        return RaiseError(error.GetStatus(), CalculatorFailureText(error.GetStatus()));
    }
    calc.reset();
    if (!refusal.Refused()) refusal = ApplyDesignChange(chart, change, binding);
    if (refusal.Refused())
        return RaiseError(E_INVALIDARG, DesignMessage(refusal, [](int id) { return LoadDialogString(static_cast<UINT>(id)); }));
    chart.RequestRepaint();
    return S_OK;
}

}  // namespace

STDMETHODIMP CHumichartCtl::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, IID_IHumichartCtl) ? S_OK : S_FALSE;
}

STDMETHODIMP CHumichartCtl::DesignSupplyState(BSTR room, double loadKW, double moistureKgH, double deltaT,
                                              BSTR supply, BSTR process, double* supplyFlow) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!supplyFlow) return E_POINTER;
        *supplyFlow = 0;
        if (!m_chart) return E_ABORT;
        const SupplyAirInput input{Name(room), loadKW, moistureKgH, deltaT, Name(supply), Name(process)};
        SupplyAirResult result;
        RETURN_IF_FAILED(Design(*m_chart, m_calc, result.change,
                                [&](ICalcSession& calc) { return DesignSupplyAir(calc, *m_chart, input, result); }));
        *supplyFlow = result.volumeFlow;
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::DesignFreshAir(BSTR outdoor, BSTR room, double supplyFlow, double people,
                                           double perPerson, double minSharePercent, double exhaustFlow,
                                           BSTR mixPoint, BSTR mix, double* freshFlow) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!freshFlow) return E_POINTER;
        *freshFlow = 0;
        if (!m_chart) return E_ABORT;
        const FreshAirInput input{Name(outdoor), Name(room),   supplyFlow,     people, perPerson,
                                  minSharePercent, exhaustFlow, Name(mixPoint), Name(mix)};
        FreshAirResult result;
        RETURN_IF_FAILED(Design(*m_chart, m_calc, result.change,
                                [&](ICalcSession& calc) { return humichart::DesignFreshAir(calc, *m_chart, input, result); }));
        *freshFlow = result.freshFlow;
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::DesignDewPointSupply(BSTR room, double loadKW, double moistureKgH, double rhPercent,
                                                 BSTR outdoor, double freshSharePercent, double maxDeltaT,
                                                 BSTR prefix, double* supplyFlow) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!supplyFlow) return E_POINTER;
        *supplyFlow = 0;
        if (!m_chart) return E_ABORT;
        const auto text = [](UINT id) { return LoadDialogString(id); };
        const DewPointInput input{Name(room),        loadKW,    moistureKgH, rhPercent, Name(outdoor),
                                  freshSharePercent, maxDeltaT, Name(prefix),
                                  {text(IDS_DESIGN_NAME_COIL), text(IDS_DESIGN_NAME_REHEAT),
                                   text(IDS_DESIGN_NAME_SUPPLY), text(IDS_DESIGN_NAME_MIX)}};
        DewPointResult result;
        RETURN_IF_FAILED(Design(*m_chart, m_calc, result.change, [&](ICalcSession& calc) {
            return humichart::DesignDewPointSupply(calc, *m_chart, input, result);
        }));
        *supplyFlow = result.volumeFlow;
        return S_OK;
    });
}

}  // namespace humichart
