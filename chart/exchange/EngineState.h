// What the built-in workbook engine's objects share: the open workbooks with
// their in-memory cells, and the member ids of the object model.
#pragma once

#include <windows.h>

#include <cmath>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "Biff8.h"
#include "CNamedDispatch.h"
#include "HResult.h"
#include "SheetLayout.h"
#include "Workbook.h"

namespace humichart::engine {

// The spreadsheet's constant for a single-worksheet template (xlWBATWorksheet).
inline constexpr long kWorksheetTemplate = -4167;
// Error values as the spreadsheet hands them out: 0x800A0000 + 2000 + code.
inline constexpr HRESULT kCellErrorBase = static_cast<HRESULT>(0x800A07D0u);

enum : DISPID {
    kIdVisible = 1, kIdWorkbooks, kIdQuit, kIdName, kIdAdd, kIdOpen, kIdCount, kIdItem, kIdActiveSheet,
    kIdWorksheets, kIdSaveCopyAs, kIdSaved, kIdClose, kIdFullName, kIdRange, kIdValue2, kIdValue, kIdText,
    kIdAddress, kIdApplication, kIdUsedRange, kIdRow, kIdRows,
};

struct EngineBook {
    Workbook book;
    std::wstring name;
    std::wstring fullName;
    std::size_t active = 0;
    bool saved = true;
    bool open = true;
};

struct EngineState {
    std::vector<std::shared_ptr<EngineBook>> books;
    bool visible = false;
    int untitled = 0;
};

inline std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

inline const wchar_t* ErrorText(int code) {
    switch (code) {
    case 0x00: return L"#NULL!";
    case 0x07: return L"#DIV/0!";
    case 0x0F: return L"#VALUE!";
    case 0x17: return L"#REF!";
    case 0x1D: return L"#NAME?";
    case 0x24: return L"#NUM!";
    default: return L"#N/A";
    }
}

}  // namespace humichart::engine
