// A worksheet: its Name, the Range of one cell and the rows its cells use.
#pragma once

#include "CEngineArea.h"
#include "CEngineRange.h"

namespace humichart::engine {

class CEngineWorksheet final : public CNamedDispatch {
public:
    CEngineWorksheet(std::shared_ptr<EngineBook> book, std::size_t sheet)
        : CNamedDispatch({{L"Name", kIdName}, {L"Range", kIdRange}, {L"UsedRange", kIdUsedRange}}),
          book_(std::move(book)), sheet_(sheet) {}

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override {
        if (!book_->open) return Fail(E_FAIL, L"The workbook of this sheet is closed");
        Sheet& sheet = book_->book.sheets[sheet_];
        if (id == kIdName) {
            if (!IsPut(flags)) {
                SetTextResult(result, sheet.name);
                return S_OK;
            }
            const auto name = TextArg(args.PutValue());
            if (!name) return Fail(DISP_E_TYPEMISMATCH, L"A sheet name must be a text");
            if (name->empty() || name->size() > kBiff8MaxSheetName ||
                name->find_first_of(L":\\/?*[]") != std::wstring::npos || name->front() == L'\'' ||
                name->back() == L'\'')
                return Fail(E_INVALIDARG, L"\"" + *name +
                                              L"\" is not a sheet name: use 1 to 31 characters, none of : \\ / ? * [ ], "
                                              L"not starting or ending with an apostrophe");
            for (std::size_t i = 0; i < book_->book.sheets.size(); ++i)
                if (i != sheet_ && Lower(book_->book.sheets[i].name) == Lower(*name))
                    return Fail(E_INVALIDARG, L"The workbook already has a sheet named " + *name);
            sheet.name = *name;
            book_->saved = false;
            return S_OK;
        }
        if (id == kIdRange) {
            const auto address = TextArg(args.At(0));
            unsigned row = 0, column = 0;
            if (!address || !ParseCellAddress(*address, row, column) || row >= kBiff8MaxRows ||
                column >= kBiff8MaxColumns)
                return Fail(E_INVALIDARG, L"\"" + address.value_or(L"") +
                                              L"\" is not the address of one cell of an Excel 97-2003 sheet (A1 to IV65536)");
            SetDispatchResult(result, new CEngineRange(book_, sheet_, row, column, *address));
            return S_OK;
        }
        if (id == kIdUsedRange && IsGet(flags)) {
            SetDispatchResult(result, CEngineArea::UsedRows(sheet));
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    std::shared_ptr<EngineBook> book_;
    std::size_t sheet_;
};

}  // namespace humichart::engine
