// CHumichartCtl's documents, pictures, report and menu commands: what Data IO,
// the chart's menu and a document program's commands do, without dialogs. A
// failure changes nothing and raises the message a dialog would have shown,
// in the interface's language, as the error's description.
#include <string>

#include "CExchangeClient.h"
#include "CHumichartCtl.h"
#include "DataFaultText.h"
#include "DocumentFiles.h"
#include "DocumentLayout.h"
#include "DocumentsResource.h"
#include "HResult.h"
#include "RaiseError.h"
#include "ResourceString.h"
#include "UserDataChange.h"
#include "WorkbookFile.h"

namespace humichart {

namespace {

std::wstring Text(BSTR text) { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }

std::wstring Message(UINT id, std::initializer_list<std::wstring> args = {}) {
    return FillText(LoadResourceString(id), args);
}

const HRESULT kBusy = HRESULT_FROM_WIN32(ERROR_BUSY);

// Room for the largest workbook the file codec reads.
constexpr std::uint64_t kMaxDocumentBytes = 128ull << 20;

HRESULT FailureStatus(const FileFailure& failure) {
    using Reason = FileFailure::Reason;
    if (failure.code != ERROR_SUCCESS) return HRESULT_FROM_WIN32(failure.code);
    switch (failure.reason) {
    case Reason::NoFolder: return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    case Reason::NoFile: return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    case Reason::Locked: return HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION);
    case Reason::DiskFull: return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    case Reason::TooLarge: return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    case Reason::ReadOnly:
    case Reason::Denied:
    case Reason::IsFolder: return E_ACCESSDENIED;
    default: return E_FAIL;
    }
}

// An optional size argument: 0 when it was left out, 1 with a whole number
// from 1 to 10000 in pixels, -1 for anything else.
int PictureSize(const VARIANT& argument, int& pixels) {
    const VARIANT* value = &argument;
    while (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal) value = value->pvarVal;
    if (value->vt == VT_EMPTY || (value->vt == VT_ERROR && value->scode == DISP_E_PARAMNOTFOUND)) return 0;
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, const_cast<VARIANT*>(value), 0, VT_R8))) return -1;
    const double d = number.dblVal;
    if (!(d >= 1 && d <= 10000) || d != static_cast<int>(d)) return -1;
    pixels = static_cast<int>(d);
    return 1;
}

std::wstring DocumentFaultText(const DocumentFault& fault) {
    switch (fault.kind) {
    case DocumentFault::Kind::MissingSheet: return L"Missing sheet named as Humichart.";
    case DocumentFault::Kind::NoNumber: return Message(IDS_DOC_NO_NUMBER, {fault.cell, fault.sheet});
    case DocumentFault::Kind::NoText: return Message(IDS_DOC_NO_TEXT, {fault.cell, fault.sheet});
    case DocumentFault::Kind::Setting: return Message(IDS_DOC_BAD_SETTING, {fault.cell, fault.sheet});
    }
    return {};
}

// The exchange client as Data IO drives it, its message boxes caught: the
// text the dialog would have shown.
class QuietExchange {
public:
    QuietExchange()
        : m_client(nullptr, [this](HWND, const std::wstring& text, const std::wstring&, UINT) {
              m_message = text;
              return IDOK;
          }) {}
    CExchangeClient* operator->() { return &m_client; }

    // The outcome as the caller's status; a failure raised with its message.
    HRESULT Answer(CExchangeClient::Outcome outcome, const std::wstring& path) {
        using Outcome = CExchangeClient::Outcome;
        switch (outcome) {
        case Outcome::Done:
            return S_OK;
        case Outcome::NotXls:
        case Outcome::Cancelled:
            return RaiseError(E_INVALIDARG, Message(IDS_HOST_NOT_XLS, {path}));
        case Outcome::Refused:
            return RaiseError(E_INVALIDARG, m_message);
        case Outcome::MissingSheet:
            return RaiseError(E_FAIL, m_message);
        case Outcome::Failed: {
            const HRESULT code = m_client.LastFailure().code;
            return RaiseError(FAILED(code) ? code : E_FAIL, m_message);
        }
        }
        return E_UNEXPECTED;
    }

private:
    CExchangeClient m_client;
    std::wstring m_message;
};

}  // namespace

STDMETHODIMP CHumichartCtl::ExportWorkbook(BSTR path) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        QuietExchange exchange;
        return exchange.Answer(exchange->ExportTo(nullptr, Text(path), *m_chart), Text(path));
    });
}

STDMETHODIMP CHumichartCtl::ImportWorkbook(BSTR path) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        // A dialog of the chart holds a copy of the data or a working list
        // that its OK would write over what the import brings.
        if (m_chart->Busy()) return RaiseError(kBusy, Message(IDS_HOST_BUSY));
        QuietExchange exchange;
        RETURN_IF_FAILED(exchange.Answer(exchange->ImportFrom(nullptr, Text(path), *m_chart, m_calc), Text(path)));
        m_chart->RequestRender();
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::SavePicture(BSTR path, VARIANT width, VARIANT height) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        const std::wstring file = Text(path);
        std::wstring extension = file.size() >= 4 ? file.substr(file.size() - 4) : L"";
        for (wchar_t& c : extension) c = static_cast<wchar_t>(towlower(c));
        const bool png = extension == L".png";
        if (!png && extension != L".emf") return RaiseError(E_INVALIDARG, Message(IDS_PICTURE_TYPE, {file}));
        int size[2] = {0, 0};
        const int w = PictureSize(width, size[0]), h = PictureSize(height, size[1]);
        if (w < 0 || h < 0 || w != h) return RaiseError(E_INVALIDARG, Message(IDS_PICTURE_SIZE));
        const std::vector<std::uint8_t> bytes =
            m_chart->PictureFile(png ? CIDWnd::PictureFormat::Png : CIDWnd::PictureFormat::Emf, size[0], size[1]);
        if (bytes.empty())
            return RaiseError(E_FAIL, Message(IDS_PICTURE_CANNOT_SAVE, {file, LoadResourceString(IDS_REASON_NO_PICTURE)}));
        if (const FileFailure failure = WriteWholeFile(file, bytes))
            return RaiseError(FailureStatus(failure), Message(IDS_PICTURE_CANNOT_SAVE, {file, FailureText(failure)}));
        return S_OK;
    });
}
STDMETHODIMP CHumichartCtl::SaveDocument(BSTR path) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        const std::wstring file = Text(path);
        const bool caption = m_chart->captionVisible != 0;
        const std::vector<std::uint8_t> bytes = WorkbookFileBytes(DocumentWorkbook(*m_chart, caption));
        // Read back before anything is written: a document that would open as
        // another chart (a name cut to what a cell holds) is no save.
        Workbook book;
        std::wstring error;
        DocumentContent content;
        std::optional<DataFault> trailing;
        std::optional<DocumentFault> fault;
        if (!ReadWorkbookBytes(bytes, book, error) || !ReadDocument(book, content, trailing, fault) || trailing ||
            !SameChartData(content.data, *m_chart) || content.captionVisible != caption)
            return RaiseError(E_FAIL, Message(IDS_FILE_CANNOT_SAVE, {file, LoadResourceString(IDS_REASON_NOT_KEPT)}));
        if (const FileFailure failure = WriteWholeFile(file, bytes))
            return RaiseError(FailureStatus(failure), Message(IDS_FILE_CANNOT_SAVE, {file, FailureText(failure)}));
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::OpenDocument(BSTR path) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        if (m_chart->Busy()) return RaiseError(kBusy, Message(IDS_HOST_BUSY));
        const std::wstring file = Text(path);
        auto refuse = [&](HRESULT status, const std::wstring& reason) {
            return RaiseError(status, Message(IDS_FILE_CANNOT_OPEN, {file, reason}));
        };
        std::vector<std::uint8_t> bytes;
        if (const FileFailure failure = ReadWholeFile(file, bytes, kMaxDocumentBytes))
            return refuse(FailureStatus(failure), FailureText(failure));
        Workbook book;
        std::wstring error;
        if (!ReadWorkbookBytes(bytes, book, error)) return refuse(E_FAIL, error + L".");
        bytes = {};
        DocumentContent content;
        std::optional<DataFault> trailing;
        std::optional<DocumentFault> fault;
        if (!ReadDocument(book, content, trailing, fault)) return refuse(E_FAIL, DocumentFaultText(*fault));
        // Rows of the workbook name the fault as long as they are the lists'
        // places; records put back from the settings sheet move them.
        if (!trailing) trailing = CheckChartData(content.data, m_calc);
        if (trailing)
            return refuse(E_INVALIDARG,
                          DataFaultText(*trailing, content.recordsInserted ? FaultPlace::Chart : FaultPlace::Workbook,
                                        [](int id) { return LoadResourceString(static_cast<UINT>(id)); }));
        m_chart->CopyData(content.data);
        m_chart->captionVisible = content.captionVisible ? 1 : 0;
        m_chart->View().ResetView();
        m_chart->RequestRender();
        return S_OK;
    });
}
STDMETHODIMP CHumichartCtl::PrintReport(BSTR title, VARIANT printer) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        if (m_chart->Busy()) return RaiseError(kBusy, Message(IDS_HOST_BUSY));
        // The printer by its name, or the print dialog when none is given.
        std::wstring name;
        const VARIANT* given = &printer;
        while (given->vt == (VT_BYREF | VT_VARIANT) && given->pvarVal) given = given->pvarVal;
        if (given->vt != VT_EMPTY && given->vt != VT_NULL &&
            !(given->vt == VT_ERROR && given->scode == DISP_E_PARAMNOTFOUND)) {
            VARIANT text;
            VariantInit(&text);
            if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(given), 0, VT_BSTR)))
                return RaiseError(E_INVALIDARG, Message(IDS_PRINTER_NOT_FOUND, {L"?"}));
            name = Text(text.bstrVal);
            VariantClear(&text);
        }
        std::wstring message;
        switch (m_chart->PrintReport(Text(title), name, message)) {
        case CIDWnd::ReportOutcome::Printed:
        case CIDWnd::ReportOutcome::Cancelled:
            return S_OK;
        case CIDWnd::ReportOutcome::Failed:
            break;
        }
        return RaiseError(E_FAIL, message);
    });
}

STDMETHODIMP CHumichartCtl::ExecuteCommand(LONG command) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!m_chart) return E_ABORT;
        const int state = m_chart->CommandState(static_cast<unsigned>(command));
        if (command < 0 || state < 0)
            return RaiseError(E_INVALIDARG, Message(IDS_HOST_NOT_A_COMMAND, {std::to_wstring(command)}));
        if (!(state & CIDWnd::kCommandCanRun)) return RaiseError(kBusy, Message(IDS_HOST_BUSY));
        m_chart->RunCommand(static_cast<unsigned>(command));
        return S_OK;
    });
}

STDMETHODIMP CHumichartCtl::CommandState(LONG command, LONG* state) {
    return NoThrow([&]() -> HRESULT {
        SetErrorInfo(0, nullptr);
        if (!state) return E_POINTER;
        *state = 0;
        if (!m_chart) return E_ABORT;
        const int known = command < 0 ? -1 : m_chart->CommandState(static_cast<unsigned>(command));
        if (known < 0) return RaiseError(E_INVALIDARG, Message(IDS_HOST_NOT_A_COMMAND, {std::to_wstring(command)}));
        *state = known;
        return S_OK;
    });
}

}  // namespace humichart
