#include "DataFaultText.h"

#include <cstdio>
#include <iterator>

#include "../../resources/DataCheckResource.h"

namespace humichart {

namespace {

struct Text {
    int id;
    const wchar_t* english;
};

// The English table, as DataCheck.rc holds it.
constexpr Text kEnglish[] = {
    {IDS_CHECK_AT_PRESSURE_CELL, L"Cell C3"},
    {IDS_CHECK_AT_RANGE_CELLS, L"Cells C4 to C7"},
    {IDS_CHECK_AT_POINT_ROW, L"Points table, row %1"},
    {IDS_CHECK_AT_PROCESS_ROW, L"Processes table, row %1"},
    {IDS_CHECK_AT_MIX_ROW, L"Mixes table, row %1"},
    {IDS_CHECK_AT_PRESSURE, L"Air pressure"},
    {IDS_CHECK_AT_RANGE, L"View range"},
    {IDS_CHECK_AT_FLAGS, L"Display flags"},
    {IDS_CHECK_AT_CSSR, L"CSSR region"},
    {IDS_CHECK_AT_POINT, L"Point \"%1\""},
    {IDS_CHECK_AT_PROCESS, L"Process \"%1\" (from \"%2\" to \"%3\")"},
    {IDS_CHECK_AT_MIX, L"Mix \"%1\" (of \"%2\" and \"%3\" into \"%4\")"},
    {IDS_CHECK_NO_NAME, L"(No name)"},
    {IDS_CHECK_PRESSURE, L"the air pressure %1 Pa lies outside 50000 to 1560000 Pa"},
    {IDS_CHECK_TEMPERATURE_RANGE,
     L"the temperatures %1 to %2 \u2103 are not a range within -100 to 200 \u2103 at least 1 \u2103 wide"},
    {IDS_CHECK_HUMIDITY_RANGE,
     L"the humidity ratios %1 to %2 g/kg are not a range within 0 to 500 g/kg at least 1 g/kg wide"},
    {IDS_CHECK_FLAG, L"a display flag holds %1 where 0 or 1 belongs"},
    {IDS_CHECK_CSSR,
     L"the region %1 to %2 \u2103, %3 to %4 g/kg lies beyond the chart or its humidity above saturation"},
    {IDS_CHECK_POINT_NOT_FINITE, L"its enthalpy or humidity ratio is not a finite number"},
    {IDS_CHECK_POINT_OUTSIDE,
     L"the state I = %1 kJ/kg, D = %2 g/kg lies beyond the chart (-100 to 200 \u2103, 0 to 500 g/kg)"},
    {IDS_CHECK_POINT_ABOVE_SATURATION, L"the state I = %1 kJ/kg, D = %2 g/kg lies above saturation"},
    {IDS_CHECK_POINT_NAME_REPEATED, L"the name \"%1\" is already the name of a point above it"},
    {IDS_CHECK_NO_POINT, L"it lacks one of its point names"},
    {IDS_CHECK_NAMES_NO_POINT, L"it names the point \"%1\", which is not among the points"},
    {IDS_CHECK_PROCESS_SAME_POINT, L"it starts and ends at the same point \"%1\""},
    {IDS_CHECK_PROCESS_REPEATED, L"it joins the same two points as a process above it"},
    {IDS_CHECK_FLOW, L"its air flow is not a finite number"},
    {IDS_CHECK_MIX_SAME_POINT, L"its fresh and return points are both \"%1\""},
    {IDS_CHECK_MIX_REPEATED, L"it mixes the same two points as a mix above it"},
    {IDS_CHECK_MIX_POINT_SHARED, L"its mix point \"%1\" is already the mix point of a mix above it"},
    {IDS_CHECK_MIX_FEEDS_ITSELF, L"its mix point \"%1\" feeds its own mix, so it would never stay in place"},
    {IDS_CHECK_ROWS_AFTER_END, L"it holds data below row %1, whose empty name ends the table"},
    {IDS_CHECK_CALCULATOR, L"the calculator could not be used (code %1)"},
    {IDS_CHECK_ROW_WITHOUT_NAME, L"it holds values but no name, and a row without a name ends the table"},
    {IDS_CHECK_SENTENCE, L"%1: %2."},
    {IDS_CHECK_NOTHING_IMPORTED, L"Nothing was imported."},
    {IDS_CHECK_NOTHING_CHANGED, L"Nothing was changed."},
};

// The first row of every table in the exchange layout.
constexpr std::size_t kFirstRow = 3;

std::wstring Number(double value) {
    wchar_t text[64];
    std::swprintf(text, std::size(text), L"%.6g", value);
    return text;
}

std::wstring Hex(std::int32_t status) {
    wchar_t text[16];
    std::swprintf(text, std::size(text), L"%08X", static_cast<unsigned>(status));
    return text;
}

std::wstring Named(const std::wstring& name, const TextSource& texts) {
    return name.empty() ? CheckText(IDS_CHECK_NO_NAME, texts) : name;
}

}  // namespace

std::wstring FillText(const std::wstring& format, std::initializer_list<std::wstring> args) {
    std::wstring out;
    for (std::size_t at = 0; at < format.size(); ++at) {
        const wchar_t c = format[at];
        if (c == L'%' && at + 1 < format.size() && format[at + 1] >= L'1' && format[at + 1] <= L'9') {
            const std::size_t n = static_cast<std::size_t>(format[at + 1] - L'1');
            if (n < args.size()) out += *(args.begin() + n);
            ++at;
            continue;
        }
        out += c;
    }
    return out;
}

namespace {

std::wstring Where(const DataFault& fault, FaultPlace place, const TextSource& texts) {
    const bool workbook = place == FaultPlace::Workbook;
    const std::wstring row = std::to_wstring(fault.index + kFirstRow);
    const std::wstring name = Named(fault.record, texts);
    switch (fault.list) {
    case DataList::Points:
        return workbook ? FillText(CheckText(IDS_CHECK_AT_POINT_ROW, texts), {row})
                        : FillText(CheckText(IDS_CHECK_AT_POINT, texts), {name});
    case DataList::Processes:
        return workbook ? FillText(CheckText(IDS_CHECK_AT_PROCESS_ROW, texts), {row})
                        : FillText(CheckText(IDS_CHECK_AT_PROCESS, texts), {name, fault.ends[0], fault.ends[1]});
    case DataList::Mixes:
        return workbook ? FillText(CheckText(IDS_CHECK_AT_MIX_ROW, texts), {row})
                        : FillText(CheckText(IDS_CHECK_AT_MIX, texts), {name, fault.ends[0], fault.ends[1], fault.ends[2]});
    case DataList::None:
        break;
    }
    switch (fault.rule) {
    case DataRule::Pressure: return CheckText(workbook ? IDS_CHECK_AT_PRESSURE_CELL : IDS_CHECK_AT_PRESSURE, texts);
    case DataRule::TemperatureRange:
    case DataRule::HumidityRange: return CheckText(workbook ? IDS_CHECK_AT_RANGE_CELLS : IDS_CHECK_AT_RANGE, texts);
    case DataRule::Flag: return CheckText(IDS_CHECK_AT_FLAGS, texts);
    default: return CheckText(IDS_CHECK_AT_CSSR, texts);
    }
}

std::wstring What(const DataFault& fault, const TextSource& texts) {
    const double* v = fault.values;
    switch (fault.rule) {
    case DataRule::Pressure: return FillText(CheckText(IDS_CHECK_PRESSURE, texts), {Number(v[0])});
    case DataRule::TemperatureRange:
        return FillText(CheckText(IDS_CHECK_TEMPERATURE_RANGE, texts), {Number(v[0]), Number(v[1])});
    case DataRule::HumidityRange: return FillText(CheckText(IDS_CHECK_HUMIDITY_RANGE, texts), {Number(v[0]), Number(v[1])});
    case DataRule::Flag: return FillText(CheckText(IDS_CHECK_FLAG, texts), {Number(v[0])});
    case DataRule::Cssr:
        return FillText(CheckText(IDS_CHECK_CSSR, texts), {Number(v[0]), Number(v[1]), Number(v[2]), Number(v[3])});
    case DataRule::PointNotFinite: return CheckText(IDS_CHECK_POINT_NOT_FINITE, texts);
    case DataRule::PointOutside: return FillText(CheckText(IDS_CHECK_POINT_OUTSIDE, texts), {Number(v[0]), Number(v[1])});
    case DataRule::PointAboveSaturation:
        return FillText(CheckText(IDS_CHECK_POINT_ABOVE_SATURATION, texts), {Number(v[0]), Number(v[1])});
    case DataRule::PointNameRepeated: return FillText(CheckText(IDS_CHECK_POINT_NAME_REPEATED, texts), {fault.point});
    case DataRule::ProcessNoPoint:
    case DataRule::MixNoPoint:
        if (fault.point.empty()) return CheckText(IDS_CHECK_NO_POINT, texts);
        return FillText(CheckText(IDS_CHECK_NAMES_NO_POINT, texts), {fault.point});
    case DataRule::ProcessSamePoint: return FillText(CheckText(IDS_CHECK_PROCESS_SAME_POINT, texts), {fault.point});
    case DataRule::ProcessRepeated: return CheckText(IDS_CHECK_PROCESS_REPEATED, texts);
    case DataRule::ProcessFlow:
    case DataRule::MixFlow: return CheckText(IDS_CHECK_FLOW, texts);
    case DataRule::MixSamePoint: return FillText(CheckText(IDS_CHECK_MIX_SAME_POINT, texts), {fault.point});
    case DataRule::MixRepeated: return CheckText(IDS_CHECK_MIX_REPEATED, texts);
    case DataRule::MixPointShared: return FillText(CheckText(IDS_CHECK_MIX_POINT_SHARED, texts), {fault.point});
    case DataRule::MixFeedsItself: return FillText(CheckText(IDS_CHECK_MIX_FEEDS_ITSELF, texts), {fault.point});
    case DataRule::RowsAfterEnd:
        if (v[0] == static_cast<double>(fault.index + kFirstRow)) return CheckText(IDS_CHECK_ROW_WITHOUT_NAME, texts);
        return FillText(CheckText(IDS_CHECK_ROWS_AFTER_END, texts), {Number(v[0])});
    case DataRule::Calculator: return FillText(CheckText(IDS_CHECK_CALCULATOR, texts), {Hex(fault.status)});
    }
    return {};
}

}  // namespace

std::wstring CheckText(int id, const TextSource& texts) {
    if (texts) {
        std::wstring text = texts(id);
        if (!text.empty()) return text;
    }
    for (const Text& t : kEnglish)
        if (t.id == id) return t.english;
    return {};
}

std::wstring DataFaultText(const DataFault& fault, FaultPlace place, const TextSource& texts) {
    return FillText(CheckText(IDS_CHECK_SENTENCE, texts), {Where(fault, place, texts), What(fault, texts)});
}

std::wstring ImportRefusalText(const DataFault& fault, const TextSource& texts) {
    return DataFaultText(fault, FaultPlace::Workbook, texts) + L"\n\n" +
           CheckText(IDS_CHECK_NOTHING_IMPORTED, texts);
}

}  // namespace humichart
