// A block of whole rows of a worksheet, as the sheet's UsedRange answers it:
// its first Row (counted from 1) and its Rows, whose Count is the number of
// rows. That is all of a spreadsheet's multi-cell range the exchange uses.
#pragma once

#include "EngineState.h"

namespace humichart::engine {

class CEngineArea final : public CNamedDispatch {
public:
    CEngineArea(long firstRow, long rowCount)
        : CNamedDispatch({{L"Row", kIdRow}, {L"Rows", kIdRows}, {L"Count", kIdCount}}),
          firstRow_(firstRow), rowCount_(rowCount) {}

    // The rows a sheet's cells take: from the first row that holds a cell to
    // the last; a sheet without cells answers A1, as the spreadsheet does.
    static CEngineArea* UsedRows(const Sheet& sheet) {
        if (sheet.cells.empty()) return new CEngineArea(1, 1);
        const long first = static_cast<long>(sheet.cells.begin()->first.first) + 1;
        const long last = static_cast<long>(sheet.cells.rbegin()->first.first) + 1;
        return new CEngineArea(first, last - first + 1);
    }

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs&, VARIANT* result) override {
        if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
        switch (id) {
        case kIdRow:
            SetLongResult(result, firstRow_);
            return S_OK;
        case kIdRows:
            SetDispatchResult(result, new CEngineArea(firstRow_, rowCount_));
            return S_OK;
        case kIdCount:
            SetLongResult(result, rowCount_);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    static void SetLongResult(VARIANT* result, long value) {
        if (!result) return;
        result->vt = VT_I4;
        result->lVal = value;
    }

    long firstRow_;
    long rowCount_;
};

}  // namespace humichart::engine
