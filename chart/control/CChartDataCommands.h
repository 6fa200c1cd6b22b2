// The data methods of the control's automation interface, on the chart's own
// data: each checks its arguments, applies the list's uniqueness rule and
// answers a status. Nothing is changed when a method refuses, and what they
// leave passes the chart-data check: records name points that exist, so a
// point that goes takes the processes and mixes that name it along.
// Repainting is the caller's business.
#pragma once

#include <string>

#include "CHumichartDataObj.h"
#include "CalcStatus.h"
#include "ICalcBinding.h"

namespace humichart {

inline constexpr Status kStatusInvalidArg = static_cast<Status>(0x80070057u);  // E_INVALIDARG

class CChartDataCommands {
public:
    CChartDataCommands(CHumichartDataObj& data, ICalcBinding& calc) : m_data(data), m_calc(calc) {}

    // Refused off the chart or above the saturation humidity ratio at di; a
    // named point replaces the point of that name.
    Status AddPoint(double di, double dd, const std::wstring& name);
    // With the processes and mixes that name the point (all of them for all).
    Status RemovePoint(const std::wstring& name);
    void RemoveAllPoints();
    void RemoveNoNamePoints();

    // Between two different points the chart holds; replaces the process of
    // the same unordered pair.
    Status AddProcess(const std::wstring& ptStart, const std::wstring& ptEnd, const std::wstring& name,
                      double dAirFlow);
    Status RemoveProcess(const std::wstring& pt1, const std::wstring& pt2);
    void RemoveAllProcesses();

    // Of two different points the chart holds: adds the mix point at (0, 0)
    // and the mix, replacing the mix of the same unordered pair; that mix's
    // point stays.
    Status AddMixLine(const std::wstring& ptFresh, const std::wstring& ptReturn, const std::wstring& ptMix,
                      const std::wstring& name, double dFreshAirFlow, double dAirFlow);
    Status RemoveMixLine(const std::wstring& ptFresh, const std::wstring& ptReturn);
    void RemoveAllMixLines();

    // On the chart, each humidity bound at or below saturation at its temperature.
    Status SetCSSR(double minT, double maxT, double minD, double maxD);

private:
    CHumichartDataObj& m_data;
    ICalcBinding& m_calc;
};

}  // namespace humichart
