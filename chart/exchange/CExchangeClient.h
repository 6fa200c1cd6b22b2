// Spreadsheet export and import through the spreadsheet's published object
// model, late bound (every member asked for by name through IDispatch), in
// the one fixed order of calls. Where "Excel.Application" is registered that
// application is driven; elsewhere the built-in workbook engine answers the
// same calls. Every outcome is shown to the user in a message box owned by
// the caller's window.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>

#include "CHumichartDataObj.h"
#include "ComPtr.h"
#include "ICalcBinding.h"

namespace humichart {

// Starts the spreadsheet application and answers its IDispatch.
class ISpreadsheetStarter {
public:
    virtual ~ISpreadsheetStarter() = default;
    virtual HRESULT Start(ComPtr<IDispatch>& application) = 0;
    // Whether the application last started is the built-in workbook engine
    // (and not a spreadsheet program), for the source of the failures the
    // import finds in its cells.
    virtual bool BuiltIn() const { return true; }
};

// "Excel.Application" when its class is registered, else the built-in engine;
// either created (class context 23), started (OleRun) and asked for its
// automation interface. Any failure to get there is E_POINTER.
class CSpreadsheetStarter final : public ISpreadsheetStarter {
public:
    HRESULT Start(ComPtr<IDispatch>& application) override;
    bool BuiltIn() const override { return builtIn_; }

private:
    bool builtIn_ = true;
};

// The failure of one call: its status and what the failing object said.
struct ExchangeFailure {
    HRESULT code = S_OK;
    std::wstring source;
    std::wstring description;
};

// The one file type the file dialogs offer: its text and its extension.
struct ExchangeFileType {
    std::wstring text = L"Excel exports(*.xls)";
    std::wstring extension = L"xls";
};

class CExchangeClient {
public:
    // A message box: owner, text, caption, style; answers the button.
    using MessageFn = std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)>;
    // Refused: the workbook was read whole, but what it holds is no sound
    // chart (the chart-data check, or a table going on below its end).
    enum class Outcome { Cancelled, NotXls, Done, MissingSheet, Failed, Refused };

    // starter: not owned; null for CSpreadsheetStarter. message: null for MessageBoxW.
    explicit CExchangeClient(ISpreadsheetStarter* starter = nullptr, MessageFn message = nullptr);

    using FileType = ExchangeFileType;

    // The save dialog (the type's extension added to a name typed without
    // one), then ExportTo.
    Outcome Export(HWND owner, const CHumichartDataObj& data, const FileType& type = {});
    // The open dialog, then ImportFrom.
    Outcome Import(HWND owner, CHumichartDataObj& target, ICalcBinding& calc, const FileType& type = {});

    // Writes data to a new workbook saved as a copy at path (a path not
    // ending in .xls is left alone, without a message).
    Outcome ExportTo(HWND owner, const std::wstring& path, const CHumichartDataObj& data);
    // Reads the workbook at path into a copy of target (its flags and CSSR
    // region stay), closes it, and only when all of that went through and
    // the copy passes the chart-data check (with calc at its pressure) puts
    // the copy into target: all of it or nothing.
    Outcome ImportFrom(HWND owner, const std::wstring& path, CHumichartDataObj& target, ICalcBinding& calc);

    // The last failure shown (for tests and diagnostics).
    const ExchangeFailure& LastFailure() const { return failure_; }

    // The "Exception" message's text for a failure.
    static std::wstring ExceptionText(const ExchangeFailure& failure);

private:
    Outcome Failed(HWND owner);
    Outcome DoExport(HWND owner, const std::wstring& path, const CHumichartDataObj& data);
    Outcome DoImport(HWND owner, const std::wstring& path, CHumichartDataObj& target, ICalcBinding& calc);
    Outcome OutOfMemory(HWND owner);

    ISpreadsheetStarter* starter_;
    CSpreadsheetStarter ownStarter_;
    MessageFn message_;
    ExchangeFailure failure_;
};

}  // namespace humichart
