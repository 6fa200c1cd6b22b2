// The built-in workbook engine: in-process objects that answer the part of
// the spreadsheet object model the exchange drives (application, workbooks,
// workbook, worksheets, worksheet, range), late bound only, over the
// in-memory Workbook that Excel 97-2003 files are read into and written from.
// Used where no spreadsheet program is registered; never registered itself.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace humichart {

// A new application object of the engine, asked for riid (one reference).
HRESULT CreateWorkbookApplication(REFIID riid, void** object);

}  // namespace humichart
