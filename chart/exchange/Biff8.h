// The "Workbook" stream of an Excel 97-2003 file (BIFF8 records) to and from
// the in-memory Workbook. Standard C++ with no platform header, so that the
// reader of outside bytes is tested and fuzzed natively.
//
// Sheet names are written as they are: unique, non-empty names without
// []:*?/\ are the caller's to give, as the spreadsheet program requires them.
// What the writer does with what BIFF8 cannot hold (the engine may refuse
// such a workbook before it gets here; the writer never fails):
// - cells beyond kBiff8MaxRows x kBiff8MaxColumns are left out;
// - texts longer than kBiff8MaxTextLength are cut to that length, sheet
//   names longer than kBiff8MaxSheetName likewise;
// - a NaN or infinite number is written as the #NUM! error, since no
//   spreadsheet program takes such a NUMBER record.
//
// What the reader gives back: every worksheet in workbook order with its name
// (charts and macro sheets are skipped), numbers from NUMBER, RK, MULRK and
// cached FORMULA results, texts from the shared strings, LABEL and cached
// FORMULA strings, booleans and error codes. Blank cells (BLANK, MULBLANK)
// are not stored: a missing cell is an empty one. A NUMBER or RK whose bits
// are a NaN or an infinity is kept as such a number: whoever converts cell
// values into chart data must refuse it (std::isfinite).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Workbook.h"

namespace humichart {

inline constexpr std::uint32_t kBiff8MaxRows = 65536;
inline constexpr std::uint32_t kBiff8MaxColumns = 256;
inline constexpr std::size_t kBiff8MaxTextLength = 32767;   // UTF-16 code units, as the spreadsheet program allows
inline constexpr std::size_t kBiff8MaxSheetName = 31;

// Limits against damaged or crafted files: beyond them the reader fails
// with a message instead of allocating without end.
inline constexpr std::size_t kBiff8MaxStreamSize = 64u << 20;    // bytes
inline constexpr std::size_t kBiff8MaxCells = 2'000'000;         // stored cells over all sheets
inline constexpr std::size_t kBiff8MaxTextUnits = 16u << 20;     // characters of all stored texts
inline constexpr std::size_t kBiff8MaxSheets = 4096;

// The whole stream, padded with zero bytes to at least 4096 bytes so that a
// compound file keeps it in regular sectors, where readers of the format
// expect the workbook.
std::vector<std::uint8_t> WriteBiff8(const Workbook& workbook);

// The message of a read that ran out of memory.
inline constexpr wchar_t kBiff8NotEnoughMemory[] = L"There is not enough memory to read the workbook";

// Replaces out with the workbook in data. On failure returns false with a
// message a user can act on in error (e.g. "The file is not an Excel
// 97-2003 workbook"); out is then left empty.
bool ReadBiff8(const std::uint8_t* data, std::size_t size, Workbook& out, std::wstring& error);

// The spreadsheet program's General display of a number in a cell of the
// standard width: 1 -> "1", 12.5 -> "12.5", 1/3 -> "0.333333333",
// 123456789012 -> "1.23457E+11". At most 11 characters; "0" for zero.
std::wstring GeneralText(double value);

}  // namespace humichart
