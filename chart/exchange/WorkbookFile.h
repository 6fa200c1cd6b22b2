// An Excel 97-2003 workbook file (.xls): the BIFF8 "Workbook" stream inside
// an OLE2 compound file. The compound file is our own standard-C++ code
// (CompoundFile.h), the same bytes in both builds, so that every reader of
// outside bytes is tested and fuzzed natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Workbook.h"

namespace humichart {

// Writes the whole file or nothing: the bytes go to a temporary file beside
// path that then replaces it. error: a message a user can act on.
bool SaveWorkbookFile(const std::wstring& path, const Workbook& workbook, std::wstring& error);

// Reads the file at path into workbook (replaced on success, left empty on
// failure). error: a message a user can act on.
bool LoadWorkbookFile(const std::wstring& path, Workbook& workbook, std::wstring& error);

// The two halves of those for callers that move the bytes themselves: the
// whole file SaveWorkbookFile writes, and a whole file's bytes read as
// LoadWorkbookFile reads them.
std::vector<std::uint8_t> WorkbookFileBytes(const Workbook& workbook);
bool ReadWorkbookBytes(const std::vector<std::uint8_t>& bytes, Workbook& workbook, std::wstring& error);

}  // namespace humichart
