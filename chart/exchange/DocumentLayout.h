// A chart document: a workbook in the exchange layout, so that a spreadsheet
// program opens it too, with a second sheet, "Humichart settings", for what
// that layout cannot hold: the display flags, the caption's visibility, the
// CSSR region, the view range as the chart keeps it, and the records the
// layout leaves out (those without a name) with their places in the lists.
// Saved and opened again, a document gives back exactly the chart. Standard
// C++: the workbook goes to and from its file through the file codec.
#pragma once

#include <optional>
#include <string>

#include "CHumichartDataObj.h"
#include "ChartDataCheck.h"
#include "Workbook.h"

namespace humichart {

inline constexpr wchar_t kSettingsSheetName[] = L"Humichart settings";

// The whole document for data, whose caption shows when captionVisible.
Workbook DocumentWorkbook(const CHumichartDataObj& data, bool captionVisible);

// What a document holds, read whole.
struct DocumentContent {
    CHumichartDataObj data;      // from the defaults, then what the workbook says
    bool captionVisible = true;
    bool hasSettings = false;    // the workbook has the settings sheet
    bool recordsInserted = false;  // records without a name came from the settings sheet
};

// Why a workbook gives no document.
struct DocumentFault {
    enum class Kind {
        MissingSheet,  // no "Humichart" sheet
        NoNumber,      // sheet's cell holds no number where one belongs
        NoText,        // sheet's cell holds an error value where a text belongs
        Setting,       // a cell of the settings sheet is not what it should be
    };
    Kind kind = Kind::MissingSheet;
    std::wstring sheet;
    std::wstring cell;
};

// Reads book into content. A workbook without the settings sheet (an export)
// opens with the default flags, caption and no CSSR region. Answers false
// with fault when the workbook cannot be read as a document; trailing is the
// exchange's table that goes on below its end (see ImportCells), for the
// chart-data check's turn (AcceptImport).
bool ReadDocument(const Workbook& book, DocumentContent& content, std::optional<DataFault>& trailing,
                  std::optional<DocumentFault>& fault);

}  // namespace humichart
