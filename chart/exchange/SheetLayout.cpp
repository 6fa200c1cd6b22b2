#include "SheetLayout.h"

#include "CChartView.h"
#include "ChartDataCheck.h"

namespace humichart {

namespace {

// Headings of the sheet, each with its cell.
struct Heading {
    const wchar_t* address;
    const wchar_t* text;
};

constexpr Heading kBasicHeadings[] = {
    {L"B1", L"基本属性"}, {L"B2", L"属性名称"}, {L"B3", L"大气压力"}, {L"B4", L"温度上限"},
    {L"B5", L"温度下限"}, {L"B6", L"湿度上限"}, {L"B7", L"湿度下限"}, {L"C2", L"属性值"},
};
constexpr Heading kPointHeadings[] = {{L"E1", L"状态点"}, {L"E2", L"名称"}, {L"F2", L"焓值"}, {L"G2", L"含湿量"}};
constexpr Heading kProcessHeadings[] = {
    {L"I1", L"热湿过程线"}, {L"I2", L"名称"}, {L"J2", L"起点"}, {L"K2", L"终点"}, {L"L2", L"风量"}};
constexpr Heading kMixHeadings[] = {
    {L"N1", L"混和过程线"}, {L"N2", L"名称"},  {L"O2", L"新风点"}, {L"P2", L"回风点"},
    {L"Q2", L"混和点"},     {L"R2", L"总风量"}, {L"S2", L"新风量"}};

constexpr unsigned kFirstDataRow = 3;

class CellList {
public:
    std::vector<SheetCellWrite> cells;

    template <std::size_t N>
    void Headings(const Heading (&headings)[N]) {
        for (const Heading& h : headings) Text(h.address, h.text);
    }
    void Text(std::wstring address, std::wstring text) {
        cells.push_back({std::move(address), true, std::move(text), 0.0});
    }
    void Number(std::wstring address, double value) { cells.push_back({std::move(address), false, {}, value}); }
};

}  // namespace

std::wstring CellAddress(const wchar_t* column, unsigned row) { return column + std::to_wstring(row); }

bool ParseCellAddress(const std::wstring& address, unsigned& row, unsigned& column) {
    std::size_t at = 0;
    unsigned long col = 0;
    while (at < address.size() && at < 3) {
        wchar_t c = address[at];
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
        if (c < L'A' || c > L'Z') break;
        col = col * 26 + static_cast<unsigned long>(c - L'A' + 1);
        ++at;
    }
    if (at == 0 || col > 16384) return false;
    const std::size_t digits = at;
    unsigned long r = 0;
    while (at < address.size() && address[at] >= L'0' && address[at] <= L'9' && at - digits < 7) {
        r = r * 10 + static_cast<unsigned long>(address[at] - L'0');
        ++at;
    }
    if (at == digits || at != address.size() || r == 0 || r > 1048576 || address[digits] == L'0') return false;
    row = static_cast<unsigned>(r - 1);
    column = static_cast<unsigned>(col - 1);
    return true;
}

std::vector<SheetCellWrite> ExportCells(const CHumichartDataObj& data) {
    // GetRange only reads the data; the view is a throwaway over it.
    const ChartRange range = CChartView(const_cast<CHumichartDataObj&>(data)).GetRange();
    CellList out;
    out.Headings(kBasicHeadings);
    out.Number(L"C3", data.airPressure);
    out.Number(L"C4", range.maxT);
    out.Number(L"C5", range.minT);
    out.Number(L"C6", range.maxD);
    out.Number(L"C7", range.minD);

    out.Headings(kPointHeadings);
    unsigned row = kFirstDataRow;
    for (const StatePoint& p : data.points) {
        if (p.name.empty()) continue;
        out.Text(CellAddress(L"E", row), p.name);
        out.Number(CellAddress(L"F", row), p.I);
        out.Number(CellAddress(L"G", row), p.D);
        ++row;
    }

    out.Headings(kProcessHeadings);
    row = kFirstDataRow;
    for (const TransferProcess& p : data.processes) {
        if (p.name.empty()) continue;
        out.Text(CellAddress(L"I", row), p.name);
        out.Text(CellAddress(L"J", row), p.ptStart);
        out.Text(CellAddress(L"K", row), p.ptEnd);
        out.Number(CellAddress(L"L", row), p.dAirFlow);
        ++row;
    }

    out.Headings(kMixHeadings);
    row = kFirstDataRow;
    for (const MixProcess& m : data.mixes) {
        if (m.name.empty()) continue;
        out.Text(CellAddress(L"N", row), m.name);
        out.Text(CellAddress(L"O", row), m.ptFresh);
        out.Text(CellAddress(L"P", row), m.ptReturn);
        out.Text(CellAddress(L"Q", row), m.ptMix);
        out.Number(CellAddress(L"R", row), m.dAirFlow);
        out.Number(CellAddress(L"S", row), m.dFreshAirFlow);
        ++row;
    }
    return std::move(out.cells);
}

namespace {

// The columns of each table, name first.
struct TableColumns {
    DataList list;
    std::vector<const wchar_t*> columns;
};
const TableColumns kPointColumns{DataList::Points, {L"E", L"F", L"G"}};
const TableColumns kProcessColumns{DataList::Processes, {L"I", L"J", L"K", L"L"}};
const TableColumns kMixColumns{DataList::Mixes, {L"N", L"O", L"P", L"Q", L"R", L"S"}};

// After a table ended at row end (its name cell empty): the first row from
// there to the sheet's last that holds anything in the table's columns.
bool FindRowsAfterEnd(ISheetCellReader& sheet, const TableColumns& table, unsigned end, unsigned last,
                      std::optional<DataFault>& trailing) {
    if (trailing) return true;
    unsigned row = 0;
    if (!sheet.FirstFilledRow(table.columns, end, last, row)) return false;
    if (row == 0) return true;
    DataFault fault;
    fault.rule = DataRule::RowsAfterEnd;
    fault.list = table.list;
    fault.index = row - kFirstDataRow;
    fault.values[0] = end;
    trailing = fault;
    return true;
}

}  // namespace

bool ISheetCellReader::FirstFilledRow(const std::vector<const wchar_t*>& columns, unsigned first, unsigned last,
                                      unsigned& row) {
    row = 0;
    for (unsigned at = first; at <= last; ++at) {
        for (const wchar_t* column : columns) {
            std::wstring text;
            if (!ValueText(CellAddress(column, at), text)) return false;
            if (text.empty()) continue;
            row = at;
            return true;
        }
    }
    return true;
}

bool ImportCells(ISheetCellReader& sheet, CHumichartDataObj& target, std::optional<DataFault>& trailing) {
    trailing.reset();
    if (!sheet.Number(L"C3", target.airPressure)) return false;

    double maxT = 0, minT = 0, maxD = 0, minD = 0;
    if (!sheet.Number(L"C4", maxT) || !sheet.Number(L"C5", minT) || !sheet.Number(L"C6", maxD) ||
        !sheet.Number(L"C7", minD))
        return false;
    target.viewRange = CHumichartDataObj::OrderedRange(minT, maxT, minD, maxD);
    unsigned last = 0;
    if (!sheet.LastRow(last)) return false;

    target.points.clear();
    unsigned row = kFirstDataRow;
    std::wstring name;
    if (!sheet.DisplayText(CellAddress(L"E", row), name)) return false;
    while (!name.empty()) {
        StatePoint p;
        if (!sheet.Number(CellAddress(L"F", row), p.I) || !sheet.Number(CellAddress(L"G", row), p.D)) return false;
        p.name = std::move(name);
        target.points.push_back(std::move(p));
        ++row;
        if (!sheet.DisplayText(CellAddress(L"E", row), name)) return false;
    }
    if (!FindRowsAfterEnd(sheet, kPointColumns, row, last, trailing)) return false;

    target.processes.clear();
    row = kFirstDataRow;
    if (!sheet.ValueText(CellAddress(L"I", row), name)) return false;
    while (!name.empty()) {
        TransferProcess p;
        if (!sheet.ValueText(CellAddress(L"J", row), p.ptStart) || !sheet.ValueText(CellAddress(L"K", row), p.ptEnd) ||
            !sheet.Number(CellAddress(L"L", row), p.dAirFlow))
            return false;
        p.name = std::move(name);
        target.processes.push_back(std::move(p));
        ++row;
        if (!sheet.ValueText(CellAddress(L"I", row), name)) return false;
    }
    if (!FindRowsAfterEnd(sheet, kProcessColumns, row, last, trailing)) return false;

    target.mixes.clear();
    row = kFirstDataRow;
    if (!sheet.ValueText(CellAddress(L"N", row), name)) return false;
    while (!name.empty()) {
        MixProcess m;
        if (!sheet.ValueText(CellAddress(L"O", row), m.ptFresh) || !sheet.ValueText(CellAddress(L"P", row), m.ptReturn) ||
            !sheet.ValueText(CellAddress(L"Q", row), m.ptMix) || !sheet.Number(CellAddress(L"R", row), m.dAirFlow) ||
            !sheet.Number(CellAddress(L"S", row), m.dFreshAirFlow))
            return false;
        m.name = std::move(name);
        target.mixes.push_back(std::move(m));
        ++row;
        if (!sheet.ValueText(CellAddress(L"N", row), name)) return false;
    }
    return FindRowsAfterEnd(sheet, kMixColumns, row, last, trailing);
}

bool AcceptImport(CHumichartDataObj& target, const CHumichartDataObj& incoming, std::optional<DataFault>& fault,
                  ICalcBinding& calc) {
    if (!fault) fault = CheckChartData(incoming, calc);
    if (fault) return false;
    target.CopyData(incoming);
    return true;
}

}  // namespace humichart
