// The "Humichart" sheet as the exchange writes and reads it: which cell holds
// what, in the order the cells are written, and the import's walk over the
// cells with its row counters and stops. Standard C++: the automation client
// moves these values through the spreadsheet's object model, and tests run
// the walk over plain data.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CHumichartDataObj.h"
#include "ChartDataCheck.h"

namespace humichart {

inline constexpr wchar_t kSheetName[] = L"Humichart";

// One cell to write: a text or a number at an A1 address.
struct SheetCellWrite {
    std::wstring address;
    bool isText = true;
    std::wstring text;
    double number = 0.0;
};

// Every cell of an export of data, in the order they are written: the basic
// properties (B1-B7, C2-C7), then the points, processes and mixes, each table
// with its headings and one row per named record from row 3.
std::vector<SheetCellWrite> ExportCells(const CHumichartDataObj& data);

// How the import reads one cell. Each answers false when the cell cannot be
// read or converted; the reader keeps the reason for the message.
class ISheetCellReader {
public:
    virtual ~ISheetCellReader() = default;
    // The cell's value as a number (an empty cell reads 0).
    virtual bool Number(const std::wstring& address, double& value) = 0;
    // The text the cell displays.
    virtual bool DisplayText(const std::wstring& address, std::wstring& text) = 0;
    // The cell's value as a text (a number gives its text form).
    virtual bool ValueText(const std::wstring& address, std::wstring& text) = 0;
    // The last row (counted from 1) that holds anything; 0 for an empty sheet.
    virtual bool LastRow(unsigned& row) = 0;
    // The first row from first to last (counted from 1) in which one of the
    // columns shows a value; 0 when none does. This one asks cell by cell;
    // a reader that holds its filled cells walks those instead, so that a
    // stray cell far below the tables costs no more than the cells there are.
    virtual bool FirstFilledRow(const std::vector<const wchar_t*>& columns, unsigned first, unsigned last,
                                unsigned& row);
};

// Reads pressure, view range and the three tables into target, storing each
// value as it is read; flags and the CSSR region are not touched. Answers
// false when a cell cannot be read (the reader keeps why); target is then
// partly written, so callers read into a copy. A table ends at its first
// row without a name; a table with anything in its columns on that row or
// below is not taken as ended there: trailing answers the first such row
// (DataRule::RowsAfterEnd, in the table's list, values[0] the row that
// ends the table).
bool ImportCells(ISheetCellReader& sheet, CHumichartDataObj& target, std::optional<DataFault>& trailing);

// The end of an import: incoming, read whole by ImportCells into a copy of
// target, replaces target only when its tables end where they say (fault
// came back empty from ImportCells) and it passes the chart-data check
// (calc at its pressure). Otherwise target stays as it was and fault says why.
bool AcceptImport(CHumichartDataObj& target, const CHumichartDataObj& incoming, std::optional<DataFault>& fault,
                  ICalcBinding& calc);

// "F12" from column letter(s) and row number; rows and columns of the
// workbook model count from 0 (A1 is 0, 0). Answers false for anything else
// than one cell address (columns A to XFD, rows 1 to 1048576).
std::wstring CellAddress(const wchar_t* column, unsigned row);
bool ParseCellAddress(const std::wstring& address, unsigned& row, unsigned& column);

}  // namespace humichart
