#include "CWorkbookEngine.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Biff8.h"
#include "CNamedDispatch.h"
#include "HResult.h"
#include "SheetLayout.h"
#include "WorkbookFile.h"

namespace humichart {

namespace {

// The spreadsheet's constant for a single-worksheet template (xlWBATWorksheet).
constexpr long kWorksheetTemplate = -4167;
// Error values as the spreadsheet hands them out: 0x800A0000 + 2000 + code.
constexpr HRESULT kCellErrorBase = static_cast<HRESULT>(0x800A07D0u);

enum : DISPID {
    kIdVisible = 1, kIdWorkbooks, kIdQuit, kIdName, kIdAdd, kIdOpen, kIdCount, kIdItem, kIdActiveSheet,
    kIdWorksheets, kIdSaveCopyAs, kIdSaved, kIdClose, kIdFullName, kIdRange, kIdValue2, kIdValue, kIdText,
    kIdAddress, kIdApplication,
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

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

const wchar_t* ErrorText(int code) {
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

// Each object below: member table, state it needs, Call.

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

class CEngineWorksheet final : public CNamedDispatch {
public:
    CEngineWorksheet(std::shared_ptr<EngineBook> book, std::size_t sheet)
        : CNamedDispatch({{L"Name", kIdName}, {L"Range", kIdRange}}), book_(std::move(book)), sheet_(sheet) {}

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
        return DISP_E_MEMBERNOTFOUND;
    }

    std::shared_ptr<EngineBook> book_;
    std::size_t sheet_;
};

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

class CEngineWorkbook final : public CNamedDispatch {
public:
    CEngineWorkbook(std::shared_ptr<EngineState> state, std::shared_ptr<EngineBook> book)
        : CNamedDispatch({{L"ActiveSheet", kIdActiveSheet}, {L"Worksheets", kIdWorksheets}, {L"Sheets", kIdWorksheets},
                          {L"SaveCopyAs", kIdSaveCopyAs}, {L"Saved", kIdSaved}, {L"Close", kIdClose},
                          {L"Name", kIdName}, {L"FullName", kIdFullName}}),
          state_(std::move(state)), book_(std::move(book)) {}

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override {
        if (!book_->open) return Fail(E_FAIL, L"The workbook " + book_->name + L" is closed");
        switch (id) {
        case kIdActiveSheet:
            SetDispatchResult(result, new CEngineWorksheet(book_, book_->active));
            return S_OK;
        case kIdWorksheets:
            SetDispatchResult(result, new CEngineWorksheets(book_));
            return S_OK;
        case kIdName:
            SetTextResult(result, book_->name);
            return S_OK;
        case kIdFullName:
            SetTextResult(result, book_->fullName.empty() ? book_->name : book_->fullName);
            return S_OK;
        case kIdSaved:
            if (IsPut(flags)) {
                const auto saved = BoolArg(args.PutValue());
                if (!saved) return Fail(DISP_E_TYPEMISMATCH, L"Saved takes True or False");
                book_->saved = *saved;
            } else {
                SetBoolResult(result, book_->saved);
            }
            return S_OK;
        case kIdSaveCopyAs: {
            const auto path = TextArg(args.At(0));
            if (!path || path->empty()) return Fail(DISP_E_PARAMNOTOPTIONAL, L"SaveCopyAs needs the path of the copy");
            return SaveTo(*path);
        }
        case kIdClose: {
            // Close(SaveChanges, Filename): saving only when asked to.
            const auto save = BoolArg(args.At(0));
            if (save && *save) {
                const std::wstring path = TextArg(args.At(1)).value_or(book_->fullName);
                if (path.empty()) return Fail(E_INVALIDARG, L"The workbook " + book_->name + L" has no file to save to");
                RETURN_IF_FAILED(SaveTo(path));
            }
            book_->open = false;
            std::erase(state_->books, book_);
            return S_OK;
        }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT SaveTo(const std::wstring& path) {
        std::wstring error;
        if (!SaveWorkbookFile(path, book_->book, error)) return Fail(STG_E_CANTSAVE, error);
        return S_OK;
    }

    std::shared_ptr<EngineState> state_;
    std::shared_ptr<EngineBook> book_;
};

class CEngineWorkbooks final : public CNamedDispatch {
public:
    explicit CEngineWorkbooks(std::shared_ptr<EngineState> state)
        : CNamedDispatch({{L"Add", kIdAdd}, {L"Open", kIdOpen}, {L"Count", kIdCount}, {L"Item", kIdItem}}),
          state_(std::move(state)) {}

private:
    HRESULT Call(DISPID id, WORD, const DispatchArgs& args, VARIANT* result) override {
        switch (id) {
        case kIdAdd: {
            auto book = std::make_shared<EngineBook>();
            const VARIANT* kind = args.At(0);
            std::size_t sheets = 3;  // a new workbook's default
            if (kind) {
                const auto value = LongArg(kind);
                if (!value || *value != kWorksheetTemplate)
                    return Fail(E_INVALIDARG, L"This workbook engine makes only workbooks of one worksheet (template -4167)");
                sheets = 1;
            }
            for (std::size_t i = 1; i <= sheets; ++i) book->book.sheets.push_back({L"Sheet" + std::to_wstring(i), {}});
            book->name = L"Book" + std::to_wstring(++state_->untitled);
            return Opened(std::move(book), result);
        }
        case kIdOpen: {
            const auto path = TextArg(args.At(0));
            if (!path || path->empty()) return Fail(DISP_E_PARAMNOTOPTIONAL, L"Open needs the path of a workbook");
            auto book = std::make_shared<EngineBook>();
            std::wstring error;
            if (!LoadWorkbookFile(*path, book->book, error)) return Fail(E_FAIL, error);
            if (book->book.sheets.empty())
                return Fail(E_FAIL, L"The workbook " + *path + L" holds no worksheet");
            book->fullName = *path;
            book->name = path->substr(path->find_last_of(L"\\/") == std::wstring::npos ? 0 : path->find_last_of(L"\\/") + 1);
            return Opened(std::move(book), result);
        }
        case kIdCount:
            if (result) { result->vt = VT_I4; result->lVal = static_cast<long>(state_->books.size()); }
            return S_OK;
        case kIdItem: {
            const auto index = LongArg(args.At(0));
            if (!index || *index < 1 || static_cast<std::size_t>(*index) > state_->books.size())
                return Fail(DISP_E_BADINDEX, L"No open workbook has that number");
            SetDispatchResult(result, new CEngineWorkbook(state_, state_->books[static_cast<std::size_t>(*index - 1)]));
            return S_OK;
        }
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT Opened(std::shared_ptr<EngineBook> book, VARIANT* result) {
        state_->books.push_back(book);
        SetDispatchResult(result, new CEngineWorkbook(state_, std::move(book)));
        return S_OK;
    }

    std::shared_ptr<EngineState> state_;
};

class CEngineApplication final : public CNamedDispatch {
public:
    CEngineApplication()
        : CNamedDispatch({{L"Visible", kIdVisible}, {L"Workbooks", kIdWorkbooks}, {L"Quit", kIdQuit}, {L"Name", kIdName}}),
          state_(std::make_shared<EngineState>()) {}

private:
    HRESULT Call(DISPID id, WORD flags, const DispatchArgs& args, VARIANT* result) override {
        switch (id) {
        case kIdVisible:
            // Nothing to show: the engine has no window. The flag reads back.
            if (IsPut(flags)) {
                const auto visible = BoolArg(args.PutValue());
                if (!visible) return Fail(DISP_E_TYPEMISMATCH, L"Visible takes True or False");
                state_->visible = *visible;
            } else {
                SetBoolResult(result, state_->visible);
            }
            return S_OK;
        case kIdWorkbooks:
            SetDispatchResult(result, new CEngineWorkbooks(state_));
            return S_OK;
        case kIdName:
            SetTextResult(result, kWorkbookSource);
            return S_OK;
        case kIdQuit:
            // Unsaved workbooks go without asking, as the exchange marks them saved first.
            for (const auto& book : state_->books) book->open = false;
            state_->books.clear();
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    std::shared_ptr<EngineState> state_;
};

}  // namespace

HRESULT CreateWorkbookApplication(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    auto* application = new (std::nothrow) CEngineApplication();
    if (!application) return E_OUTOFMEMORY;
    IUnknown* unknown = application->InnerUnknown();
    const HRESULT hr = unknown->QueryInterface(riid, object);
    unknown->Release();
    return hr;
}

}  // namespace humichart
