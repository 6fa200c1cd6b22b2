// A workbook's worksheets: Count and Item by name (any letter case) or number.
#pragma once

#include "CEngineWorksheet.h"

namespace humichart::engine {

class CEngineWorksheets final : public CNamedDispatch {
public:
    explicit CEngineWorksheets(std::shared_ptr<EngineBook> book)
        : CNamedDispatch({{L"Count", kIdCount}, {L"Item", kIdItem}}), book_(std::move(book)) {}

private:
    HRESULT Call(DISPID id, WORD, const DispatchArgs& args, VARIANT* result) override {
        if (!book_->open) return Fail(E_FAIL, L"The workbook is closed");
        const auto& sheets = book_->book.sheets;
        if (id == kIdCount) {
            if (result) { result->vt = VT_I4; result->lVal = static_cast<long>(sheets.size()); }
            return S_OK;
        }
        const VARIANT* key = args.At(0);
        if (!key) return Fail(DISP_E_PARAMNOTOPTIONAL, L"Name the sheet or give its number");
        if (key->vt == VT_BSTR) {
            const std::wstring wanted = Lower(std::wstring(key->bstrVal ? key->bstrVal : L"", SysStringLen(key->bstrVal)));
            for (std::size_t i = 0; i < sheets.size(); ++i)
                if (Lower(sheets[i].name) == wanted) {
                    SetDispatchResult(result, new CEngineWorksheet(book_, i));
                    return S_OK;
                }
            return Fail(DISP_E_BADINDEX, L"The workbook has no sheet named " + std::wstring(key->bstrVal ? key->bstrVal : L""));
        }
        const auto index = LongArg(key);
        if (!index || *index < 1 || static_cast<std::size_t>(*index) > sheets.size())
            return Fail(DISP_E_BADINDEX, L"The workbook has no sheet of that number");
        SetDispatchResult(result, new CEngineWorksheet(book_, static_cast<std::size_t>(*index - 1)));
        return S_OK;
    }

    std::shared_ptr<EngineBook> book_;
};

}  // namespace humichart::engine
