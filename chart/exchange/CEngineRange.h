// One cell of a worksheet: Value2 (and Value) read and written, Text as the
// spreadsheet displays it.
#pragma once

#include "EngineState.h"

namespace humichart::engine {

class CEngineRange final : public CNamedDispatch {
public:
    CEngineRange(std::shared_ptr<EngineBook> book, std::size_t sheet, unsigned row, unsigned column,
                 std::wstring address)
        : CNamedDispatch({{L"Value2", kIdValue2}, {L"Value", kIdValue}, {L"Text", kIdText}, {L"Address", kIdAddress}}),
          book_(std::move(book)), sheet_(sheet), row_(row), column_(column), address_(std::move(address)) {}

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override {
        if (!book_->open) return Fail(E_FAIL, L"The workbook of cell " + address_ + L" is closed");
        Sheet& sheet = book_->book.sheets[sheet_];
        switch (id) {
        case kIdValue2:
        case kIdValue:
            if (IsPut(flags)) return Store(sheet, *args.PutValue());
            return Load(sheet, result);
        case kIdText: {
            if (!IsGet(flags)) return DISP_E_MEMBERNOTFOUND;
            const Cell* cell = sheet.Find(row_, column_);
            std::wstring text;
            if (cell) {
                switch (cell->kind) {
                case Cell::Kind::Number: text = std::isfinite(cell->number) ? GeneralText(cell->number) : L"#NUM!"; break;
                case Cell::Kind::Text: text = cell->text; break;
                case Cell::Kind::Boolean: text = cell->number != 0 ? L"TRUE" : L"FALSE"; break;
                case Cell::Kind::Error: text = ErrorText(static_cast<int>(cell->number)); break;
                case Cell::Kind::Empty: break;
                }
            }
            SetTextResult(result, text);
            return S_OK;
        }
        case kIdAddress:
            SetTextResult(result, address_);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT Load(const Sheet& sheet, VARIANT* result) {
        if (!result) return S_OK;
        const Cell* cell = sheet.Find(row_, column_);
        if (!cell) return S_OK;  // VT_EMPTY
        switch (cell->kind) {
        case Cell::Kind::Number: result->vt = VT_R8; result->dblVal = cell->number; break;
        case Cell::Kind::Text: SetTextResult(result, cell->text); break;
        case Cell::Kind::Boolean: SetBoolResult(result, cell->number != 0); break;
        case Cell::Kind::Error:
            result->vt = VT_ERROR;
            result->scode = kCellErrorBase + static_cast<int>(cell->number);
            break;
        case Cell::Kind::Empty: break;
        }
        return S_OK;
    }

    HRESULT Store(Sheet& sheet, const VARIANT& value) {
        Cell cell;
        switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL:
            break;
        case VT_BSTR:
            if (SysStringLen(value.bstrVal) > kBiff8MaxTextLength)
                return Fail(E_INVALIDARG, L"Cell " + address_ + L" cannot hold a text longer than 32767 characters");
            if (SysStringLen(value.bstrVal) > 0) {
                cell.kind = Cell::Kind::Text;
                cell.text.assign(value.bstrVal, SysStringLen(value.bstrVal));
            }
            break;
        case VT_BOOL:
            cell.kind = Cell::Kind::Boolean;
            cell.number = value.boolVal != VARIANT_FALSE ? 1 : 0;
            break;
        case VT_ERROR:
            cell.kind = Cell::Kind::Error;
            cell.number = static_cast<double>(value.scode - kCellErrorBase);
            break;
        default: {
            VARIANT number;
            VariantInit(&number);
            if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_R8)))
                return Fail(DISP_E_TYPEMISMATCH, L"Cell " + address_ + L" takes only a number, a text or a truth value");
            if (!std::isfinite(number.dblVal))
                return Fail(DISP_E_OVERFLOW, L"Cell " + address_ + L" cannot hold a number that is not finite");
            cell.kind = Cell::Kind::Number;
            cell.number = number.dblVal;
        }
        }
        if (cell.kind == Cell::Kind::Empty)
            sheet.cells.erase({row_, column_});
        else
            sheet.cells[{row_, column_}] = std::move(cell);
        book_->saved = false;
        return S_OK;
    }

    std::shared_ptr<EngineBook> book_;
    std::size_t sheet_;
    unsigned row_, column_;
    std::wstring address_;
};

}  // namespace humichart::engine
