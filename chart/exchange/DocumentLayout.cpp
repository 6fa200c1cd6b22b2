#include "DocumentLayout.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <map>

#include "Biff8.h"
#include "CChartView.h"
#include "SheetLayout.h"

namespace humichart {

namespace {

// The settings sheet: keys in column A with their values in column B from
// row 2, and three tables of the records without a name, each row the
// record's index in its list and its fields, from row 3 down to the first
// row without an index.
constexpr std::uint32_t kKeyColumn = 0, kValueColumn = 1;
constexpr std::uint32_t kFirstRow = 2;  // rows count from 0: row 3 of the sheet

struct FlagKey {
    const wchar_t* key;
    std::int32_t CHumichartDataObj::*flag;
};
constexpr FlagKey kFlagKeys[] = {
    {L"HasTLine", &CHumichartDataObj::HasTLine},
    {L"HasDLine", &CHumichartDataObj::HasDLine},
    {L"HasILine", &CHumichartDataObj::HasILine},
    {L"HasFLine", &CHumichartDataObj::HasFLine},
    {L"HasProcessLineName", &CHumichartDataObj::HasProcessLineName},
    {L"HasBorder", &CHumichartDataObj::HasBorder},
    {L"HasBackground", &CHumichartDataObj::HasBackground},
    {L"HasForeground", &CHumichartDataObj::HasForeground},
};
constexpr wchar_t kCaptionKey[] = L"CaptionVisible";

struct NumberKey {
    const wchar_t* key;
    double (*get)(const CHumichartDataObj&);
    void (*set)(CHumichartDataObj&, double);
};
#define HUMICHART_NUMBER_KEY(name, member)                                     \
    {name, [](const CHumichartDataObj& d) { return d.member; },               \
     [](CHumichartDataObj& d, double v) { d.member = v; }}
constexpr NumberKey kCssrKeys[] = {
    HUMICHART_NUMBER_KEY(L"CssrMaxT", cssrRegion.maxT), HUMICHART_NUMBER_KEY(L"CssrMinT", cssrRegion.minT),
    HUMICHART_NUMBER_KEY(L"CssrMaxD", cssrRegion.maxD), HUMICHART_NUMBER_KEY(L"CssrMinD", cssrRegion.minD)};
// The range as the chart keeps it (temperatures times 1.005): the sheet's
// degrees read back through 1.005 may differ from it in the last bit.
constexpr NumberKey kViewKeys[] = {
    HUMICHART_NUMBER_KEY(L"ViewYmin", viewRange.Ymin), HUMICHART_NUMBER_KEY(L"ViewYmax", viewRange.Ymax),
    HUMICHART_NUMBER_KEY(L"ViewDmin", viewRange.Dmin), HUMICHART_NUMBER_KEY(L"ViewDmax", viewRange.Dmax)};
#undef HUMICHART_NUMBER_KEY

// The three tables: their first column and headings.
constexpr std::uint32_t kPointTable = 3, kProcessTable = 7, kMixTable = 12;
constexpr const wchar_t* kPointHeadings[] = {L"UnnamedPoints", L"Index", L"I", L"D"};
constexpr const wchar_t* kProcessHeadings[] = {L"UnnamedProcesses", L"Index", L"Start", L"End", L"AirFlow"};
constexpr const wchar_t* kMixHeadings[] = {L"UnnamedMixes", L"Index", L"Fresh", L"Return",
                                           L"Mix",          L"AirFlow", L"FreshAirFlow"};

// Indices beyond this are no index of any list the chart can hold.
constexpr double kMaxIndex = 1e9;

Cell TextCell(const std::wstring& text) {
    Cell cell;
    if (!text.empty()) cell.kind = Cell::Kind::Text, cell.text = text;
    return cell;
}
Cell NumberCell(double value) {
    Cell cell;
    cell.kind = Cell::Kind::Number;
    cell.number = value;
    return cell;
}

void Put(Sheet& sheet, std::uint32_t row, std::uint32_t column, Cell cell) {
    if (cell.kind != Cell::Kind::Empty) sheet.cells[{row, column}] = std::move(cell);
}

template <std::size_t N>
void PutHeadings(Sheet& sheet, std::uint32_t column, const wchar_t* const (&headings)[N]) {
    Put(sheet, 0, column, TextCell(headings[0]));
    for (std::size_t k = 1; k < N; ++k) Put(sheet, 1, column + static_cast<std::uint32_t>(k - 1), TextCell(headings[k]));
}

Sheet SettingsSheet(const CHumichartDataObj& data, bool captionVisible) {
    Sheet sheet{kSettingsSheetName, {}};
    Put(sheet, 0, kKeyColumn, TextCell(L"Setting"));
    Put(sheet, 0, kValueColumn, TextCell(L"Value"));
    std::uint32_t row = 1;
    auto setting = [&](const wchar_t* key, double value) {
        Put(sheet, row, kKeyColumn, TextCell(key));
        Put(sheet, row, kValueColumn, NumberCell(value));
        ++row;
    };
    for (const FlagKey& flag : kFlagKeys) setting(flag.key, data.*flag.flag);
    setting(kCaptionKey, captionVisible ? 1 : 0);
    for (const NumberKey& key : kCssrKeys) setting(key.key, key.get(data));
    for (const NumberKey& key : kViewKeys) setting(key.key, key.get(data));

    PutHeadings(sheet, kPointTable, kPointHeadings);
    row = kFirstRow;
    for (std::size_t k = 0; k < data.points.size(); ++k) {
        const StatePoint& p = data.points[k];
        if (!p.name.empty()) continue;
        Put(sheet, row, kPointTable, NumberCell(static_cast<double>(k)));
        Put(sheet, row, kPointTable + 1, NumberCell(p.I));
        Put(sheet, row, kPointTable + 2, NumberCell(p.D));
        ++row;
    }
    PutHeadings(sheet, kProcessTable, kProcessHeadings);
    row = kFirstRow;
    for (std::size_t k = 0; k < data.processes.size(); ++k) {
        const TransferProcess& p = data.processes[k];
        if (!p.name.empty()) continue;
        Put(sheet, row, kProcessTable, NumberCell(static_cast<double>(k)));
        Put(sheet, row, kProcessTable + 1, TextCell(p.ptStart));
        Put(sheet, row, kProcessTable + 2, TextCell(p.ptEnd));
        Put(sheet, row, kProcessTable + 3, NumberCell(p.dAirFlow));
        ++row;
    }
    PutHeadings(sheet, kMixTable, kMixHeadings);
    row = kFirstRow;
    for (std::size_t k = 0; k < data.mixes.size(); ++k) {
        const MixProcess& m = data.mixes[k];
        if (!m.name.empty()) continue;
        Put(sheet, row, kMixTable, NumberCell(static_cast<double>(k)));
        Put(sheet, row, kMixTable + 1, TextCell(m.ptFresh));
        Put(sheet, row, kMixTable + 2, TextCell(m.ptReturn));
        Put(sheet, row, kMixTable + 3, TextCell(m.ptMix));
        Put(sheet, row, kMixTable + 4, NumberCell(m.dAirFlow));
        Put(sheet, row, kMixTable + 5, NumberCell(m.dFreshAirFlow));
        ++row;
    }
    return sheet;
}

std::wstring Address(std::uint32_t row, std::uint32_t column) {
    std::wstring letters;
    for (std::uint32_t c = column + 1; c > 0; c = (c - 1) / 26)
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (c - 1) % 26));
    return letters + std::to_wstring(row + 1);
}

// A sheet of the workbook model read as the spreadsheet's object model
// answers the exchange's import: an empty cell is 0 or "", a number in a text
// cell converts, a name that is a number reads as the spreadsheet shows it.
// What cannot be read is kept for the message.
class WorkbookSheetReader final : public ISheetCellReader {
public:
    explicit WorkbookSheetReader(const Sheet& sheet) : m_sheet(sheet) {}

    bool Number(const std::wstring& address, double& value) override {
        const Cell* cell = Find(address);
        if (!cell) {
            value = 0;
            return true;
        }
        if (NumberOf(*cell, value)) return true;
        return Fail(DocumentFault::Kind::NoNumber, address);
    }
    bool DisplayText(const std::wstring& address, std::wstring& text) override { return ValueText(address, text); }
    bool ValueText(const std::wstring& address, std::wstring& text) override {
        const Cell* cell = Find(address);
        if (!cell) {
            text.clear();
            return true;
        }
        switch (cell->kind) {
        case Cell::Kind::Empty: text.clear(); return true;
        case Cell::Kind::Text: text = cell->text; return true;
        case Cell::Kind::Number: text = GeneralText(cell->number); return true;
        case Cell::Kind::Boolean: text = cell->number != 0 ? L"TRUE" : L"FALSE"; return true;
        case Cell::Kind::Error: break;
        }
        return Fail(DocumentFault::Kind::NoText, address);
    }
    bool LastRow(unsigned& row) override {
        row = 0;
        for (const auto& [place, cell] : m_sheet.cells)
            if (cell.kind != Cell::Kind::Empty) row = std::max(row, static_cast<unsigned>(place.first) + 1);
        return true;
    }
    bool FirstFilledRow(const std::vector<const wchar_t*>& columns, unsigned first, unsigned last,
                        unsigned& row) override {
        row = 0;
        if (first == 0 || first > last) return true;
        std::vector<std::pair<unsigned, const wchar_t*>> wanted;  // (index, letters)
        for (const wchar_t* column : columns) {
            unsigned r = 0, c = 0;
            if (ParseCellAddress(CellAddress(column, 1), r, c)) wanted.emplace_back(c, column);
        }
        // The cells in (row, column) order: the first that shows a value is
        // the one a scan row by row, column by column, would meet first.
        for (auto at = m_sheet.cells.lower_bound({first - 1, 0});
             at != m_sheet.cells.end() && at->first.first < last; ++at) {
            for (const auto& [index, letters] : wanted) {
                if (index != at->first.second) continue;
                std::wstring text;
                if (!ValueText(CellAddress(letters, at->first.first + 1), text)) return false;
                if (text.empty()) continue;
                row = at->first.first + 1;
                return true;
            }
        }
        return true;
    }

    // A cell's value as a number: numbers, TRUE (-1) and FALSE, and texts
    // that are a decimal number; nothing that is not finite.
    static bool NumberOf(const Cell& cell, double& value) {
        switch (cell.kind) {
        case Cell::Kind::Empty: value = 0; return true;
        case Cell::Kind::Number: value = cell.number; return std::isfinite(value);
        case Cell::Kind::Boolean: value = cell.number != 0 ? -1.0 : 0.0; return true;
        case Cell::Kind::Error: return false;
        case Cell::Kind::Text: break;
        }
        std::size_t begin = 0, end = cell.text.size();
        while (begin < end && std::iswspace(cell.text[begin])) ++begin;
        while (end > begin && std::iswspace(cell.text[end - 1])) --end;
        if (begin == end) return false;
        for (std::size_t k = begin; k < end; ++k)
            if (!std::wcschr(L"0123456789+-.eE", cell.text[k])) return false;
        const std::wstring number = cell.text.substr(begin, end - begin);
        wchar_t* stop = nullptr;
        value = std::wcstod(number.c_str(), &stop);
        return stop == number.c_str() + number.size() && std::isfinite(value);
    }

    std::optional<DocumentFault> fault;

private:
    const Cell* Find(const std::wstring& address) const {
        unsigned row = 0, column = 0;
        return ParseCellAddress(address, row, column) ? m_sheet.Find(row, column) : nullptr;
    }
    bool Fail(DocumentFault::Kind kind, const std::wstring& address) {
        if (!fault) fault = DocumentFault{kind, m_sheet.name, address};
        return false;
    }

    const Sheet& m_sheet;
};

const Sheet* FindSheet(const Workbook& book, const wchar_t* name) {
    // Sheet names are the same in any letter case, as the spreadsheet has them.
    const auto lower = [](std::wstring text) {
        for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
        return text;
    };
    const std::wstring wanted = lower(name);
    for (const Sheet& sheet : book.sheets)
        if (lower(sheet.name) == wanted) return &sheet;
    return nullptr;
}

// Reads the settings sheet into content; false with fault at the first cell
// that is not what it should be.
class SettingsReader {
public:
    SettingsReader(const Sheet& sheet, std::optional<DocumentFault>& fault) : m_sheet(sheet), m_fault(fault) {}

    bool Read(DocumentContent& content, const ChartRange& sheetRange) {
        // The keys, in any order; one the reader does not know is left alone,
        // one that is missing keeps its default.
        std::map<std::wstring, double> values;
        for (const auto& [place, cell] : m_sheet.cells) {
            if (place.second != kKeyColumn || place.first == 0 || cell.kind != Cell::Kind::Text ||
                !Known(cell.text) || values.count(cell.text))
                continue;
            double value = 0;
            if (!Number(place.first, kValueColumn, value)) return false;
            values.emplace(cell.text, value);
        }
        CHumichartDataObj& data = content.data;
        for (const FlagKey& flag : kFlagKeys)
            if (const auto found = values.find(flag.key); found != values.end())
                data.*flag.flag = static_cast<std::int32_t>(std::clamp(found->second, -1e9, 1e9));
        if (const auto found = values.find(kCaptionKey); found != values.end()) content.captionVisible = found->second != 0;
        for (const NumberKey& key : kCssrKeys)
            if (const auto found = values.find(key.key); found != values.end()) key.set(data, found->second);
        // The kept range only where it is the range the first sheet shows: a
        // range changed there by hand wins.
        CHumichartDataObj kept;
        kept.viewRange = data.viewRange;
        bool all = true;
        for (const NumberKey& key : kViewKeys) {
            const auto found = values.find(key.key);
            if (found == values.end()) all = false;
            else key.set(kept, found->second);
        }
        if (all) {
            const ChartRange shown = CChartView(kept).GetRange();
            if (shown.minT == sheetRange.minT && shown.maxT == sheetRange.maxT && shown.minD == sheetRange.minD &&
                shown.maxD == sheetRange.maxD)
                data.viewRange = kept.viewRange;
        }

        std::vector<std::pair<std::size_t, StatePoint>> points;
        std::vector<std::pair<std::size_t, TransferProcess>> processes;
        std::vector<std::pair<std::size_t, MixProcess>> mixes;
        for (std::uint32_t row = kFirstRow;; ++row) {
            std::size_t index = 0;
            bool more = false;
            if (!Index(row, kPointTable, index, more)) return false;
            if (!more) break;
            StatePoint p;
            if (!Number(row, kPointTable + 1, p.I) || !Number(row, kPointTable + 2, p.D)) return false;
            points.emplace_back(index, std::move(p));
        }
        for (std::uint32_t row = kFirstRow;; ++row) {
            std::size_t index = 0;
            bool more = false;
            if (!Index(row, kProcessTable, index, more)) return false;
            if (!more) break;
            TransferProcess p;
            if (!Text(row, kProcessTable + 1, p.ptStart) || !Text(row, kProcessTable + 2, p.ptEnd) ||
                !Number(row, kProcessTable + 3, p.dAirFlow))
                return false;
            processes.emplace_back(index, std::move(p));
        }
        for (std::uint32_t row = kFirstRow;; ++row) {
            std::size_t index = 0;
            bool more = false;
            if (!Index(row, kMixTable, index, more)) return false;
            if (!more) break;
            MixProcess m;
            if (!Text(row, kMixTable + 1, m.ptFresh) || !Text(row, kMixTable + 2, m.ptReturn) ||
                !Text(row, kMixTable + 3, m.ptMix) || !Number(row, kMixTable + 4, m.dAirFlow) ||
                !Number(row, kMixTable + 5, m.dFreshAirFlow))
                return false;
            mixes.emplace_back(index, std::move(m));
        }
        content.recordsInserted = !points.empty() || !processes.empty() || !mixes.empty();
        Insert(data.points, points);
        Insert(data.processes, processes);
        Insert(data.mixes, mixes);
        return true;
    }

private:
    static bool Known(const std::wstring& key) {
        for (const FlagKey& flag : kFlagKeys)
            if (key == flag.key) return true;
        for (const NumberKey& number : kCssrKeys)
            if (key == number.key) return true;
        for (const NumberKey& number : kViewKeys)
            if (key == number.key) return true;
        return key == kCaptionKey;
    }

    // The records without a name go back between the named ones at the
    // places they had; indices written by hand beyond the list's end put
    // them at its end.
    template <class Record>
    static void Insert(std::vector<Record>& list, std::vector<std::pair<std::size_t, Record>>& records) {
        for (auto& [index, record] : records)
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(index, list.size())), std::move(record));
    }

    bool Number(std::uint32_t row, std::uint32_t column, double& value) {
        const Cell* cell = m_sheet.Find(row, column);
        if (!cell) {
            value = 0;
            return true;
        }
        return WorkbookSheetReader::NumberOf(*cell, value) || Fail(row, column);
    }
    bool Text(std::uint32_t row, std::uint32_t column, std::wstring& text) {
        const Cell* cell = m_sheet.Find(row, column);
        text.clear();
        if (!cell || cell->kind == Cell::Kind::Empty) return true;
        if (cell->kind == Cell::Kind::Text) text = cell->text;
        else if (cell->kind == Cell::Kind::Number) text = GeneralText(cell->number);
        else return Fail(row, column);
        return true;
    }
    // A row's index: none ends the table; anything but a whole number from
    // 0, larger than the row before's, is a damaged sheet.
    bool Index(std::uint32_t row, std::uint32_t column, std::size_t& index, bool& more) {
        const Cell* cell = m_sheet.Find(row, column);
        more = cell && cell->kind != Cell::Kind::Empty;
        if (!more) {
            m_lastIndex = -1;
            return true;
        }
        double value = 0;
        if (!WorkbookSheetReader::NumberOf(*cell, value) || value < 0 || value > kMaxIndex ||
            value != std::floor(value) || value <= m_lastIndex)
            return Fail(row, column);
        m_lastIndex = value;
        index = static_cast<std::size_t>(value);
        return true;
    }
    bool Fail(std::uint32_t row, std::uint32_t column) {
        m_fault = DocumentFault{DocumentFault::Kind::Setting, m_sheet.name, Address(row, column)};
        return false;
    }

    const Sheet& m_sheet;
    std::optional<DocumentFault>& m_fault;
    double m_lastIndex = -1;
};

}  // namespace

Workbook DocumentWorkbook(const CHumichartDataObj& data, bool captionVisible) {
    Workbook book;
    Sheet chart{kSheetName, {}};
    for (const SheetCellWrite& write : ExportCells(data)) {
        unsigned row = 0, column = 0;
        ParseCellAddress(write.address, row, column);
        Put(chart, row, column, write.isText ? TextCell(write.text) : NumberCell(write.number));
    }
    book.sheets.push_back(std::move(chart));
    book.sheets.push_back(SettingsSheet(data, captionVisible));
    return book;
}

bool ReadDocument(const Workbook& book, DocumentContent& content, std::optional<DataFault>& trailing,
                  std::optional<DocumentFault>& fault) {
    fault.reset();
    trailing.reset();
    content = DocumentContent{};
    const Sheet* chart = FindSheet(book, kSheetName);
    if (!chart) {
        fault = DocumentFault{DocumentFault::Kind::MissingSheet, kSheetName, {}};
        return false;
    }
    WorkbookSheetReader reader(*chart);
    if (!ImportCells(reader, content.data, trailing)) {
        fault = reader.fault;
        return false;
    }
    const Sheet* settings = FindSheet(book, kSettingsSheetName);
    content.hasSettings = settings != nullptr;
    if (!settings) return true;
    ChartRange shown{};
    if (!reader.Number(L"C5", shown.minT) || !reader.Number(L"C4", shown.maxT) || !reader.Number(L"C7", shown.minD) ||
        !reader.Number(L"C6", shown.maxD)) {
        fault = reader.fault;
        return false;
    }
    return SettingsReader(*settings, fault).Read(content, shown);
}

}  // namespace humichart
