// The chart's printed report: the pages ReportLayout lays out, their texts
// and rules drawn with GDI on the printer (text that stays text on paper), the
// chart drawn into its room as the chart's own print draws it.
#include <windows.h>

#include <commdlg.h>

#include <cmath>
#include <iterator>
#include <map>
#include <new>
#include <tuple>
#include <vector>

#include "CCalcError.h"
#include "CIDWnd.h"
#include "ChartWindowResource.h"
#include "DataFaultText.h"
#include "DialogCalc.h"
#include "DocumentsResource.h"
#include "LoadDialogString.h"
#include "ReportLayout.h"
#include "TypedText.h"

namespace humichart {

namespace {

std::wstring Text(int id) { return LoadDialogString(static_cast<UINT>(id)); }

// A number's sign as the minus sign: printed through a PostScript driver the
// hyphen comes out of the PDF as a soft hyphen, and a copied value loses it.
std::wstring Printed(const ReportTextItem& item) {
    std::wstring text = item.text;
    if (item.alignRight && !text.empty() && text[0] == L'-') text[0] = L'\u2212';
    return text;
}

std::wstring SystemText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring words = length ? std::wstring(text, length) : L"error " + std::to_wstring(code);
    if (text) LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) words.pop_back();
    return words;
}

// The print dialog's memory and printer DC, freed however printing ends.
struct PrintDialog {
    PRINTDLGW dialog{};
    PrintDialog() { dialog.lStructSize = sizeof dialog; }
    PrintDialog(const PrintDialog&) = delete;
    PrintDialog& operator=(const PrintDialog&) = delete;
    ~PrintDialog() {
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
        if (dialog.hDC) DeleteDC(dialog.hDC);
    }
    std::wstring PrinterName() const {
        std::wstring name;
        if (const auto* names = static_cast<const DEVNAMES*>(dialog.hDevNames ? GlobalLock(dialog.hDevNames) : nullptr)) {
            name = reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset;
            GlobalUnlock(dialog.hDevNames);
        }
        return name;
    }
};

class PrinterDC {
public:
    explicit PrinterDC(HDC dc) : m_dc(dc) {}
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;
    ~PrinterDC() {
        if (m_dc) DeleteDC(m_dc);
    }
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// Faces that hold the Chinese of the interface and of names, in the order
// tried: Windows' own, then those a Linux machine under Wine has.
constexpr const wchar_t* kWideFaces[] = {L"Microsoft YaHei", L"SimSun", L"WenQuanYi Micro Hei", L"Noto Sans CJK SC",
                                         L"Droid Sans Fallback"};

// The report's fonts on the printer, by style and scale, in the device's
// pixels; texts measured in hundredths of an inch. A printer's driver links
// no fonts as the screen does: a text with letters the report's face lacks
// (Chinese names) is set in a face that has them, never dropped.
class ReportFonts {
public:
    ReportFonts(HDC printer, int dpiX, int dpiY) : m_printer(printer), m_dpiX(dpiX), m_dpiY(dpiY) {}
    ReportFonts(const ReportFonts&) = delete;
    ReportFonts& operator=(const ReportFonts&) = delete;
    ~ReportFonts() {
        for (auto& [key, font] : m_fonts) DeleteObject(font);
    }

    // The font for text in style at scale.
    HFONT For(const std::wstring& text, ReportTextItem::Style style, double scale) {
        HFONT font = Font(style, scale, 0);
        if (Covers(font, text)) return font;
        for (int face = 1; face <= static_cast<int>(std::size(kWideFaces)); ++face) {
            HFONT wide = Font(style, scale, face);
            if (wide && Covers(wide, text)) return wide;
        }
        return font;
    }

    // Points of each style: the title stands out, the tables are small
    // enough for seven columns across a portrait page.
    static double Points(ReportTextItem::Style style) {
        return style == ReportTextItem::Style::Title ? 14.0 : 9.0;
    }
    // A line of the style, hundredths of an inch.
    static double Line(ReportTextItem::Style style) { return std::ceil(Points(style) * 100.0 / 72.0 * 1.4); }

    double Width(const std::wstring& text, ReportTextItem::Style style) {
        const HGDIOBJ old = SelectObject(m_printer, For(text, style, 1.0));
        SIZE size{};
        GetTextExtentPoint32W(m_printer, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(m_printer, old);
        return size.cx * 100.0 / m_dpiX;
    }

private:
    // face 0: the dialogs' face; k: kWideFaces[k - 1], null when the system
    // has no such face.
    HFONT Font(ReportTextItem::Style style, double scale, int face) {
        const auto key = std::make_tuple(static_cast<int>(style), static_cast<int>(std::lround(scale * 1000)), face);
        if (const auto found = m_fonts.find(key); found != m_fonts.end()) return found->second;
        const wchar_t* name = face == 0 ? L"Tahoma" : kWideFaces[face - 1];
        const int height = -static_cast<int>(std::lround(Points(style) * scale * m_dpiY / 72.0));
        const int weight = style == ReportTextItem::Style::Body ? FW_NORMAL : FW_BOLD;
        HFONT font = CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, name);
        if (!font && face == 0) throw std::bad_alloc();
        if (font && face != 0) {
            // Another face put in for a missing one would cover nothing new.
            const HGDIOBJ old = SelectObject(m_printer, font);
            wchar_t chosen[LF_FACESIZE] = {};
            GetTextFaceW(m_printer, LF_FACESIZE, chosen);
            SelectObject(m_printer, old);
            if (_wcsicmp(chosen, name) != 0) {
                DeleteObject(font);
                font = nullptr;
            }
        }
        m_fonts.emplace(key, font);
        return font;
    }

    // Whether font has a glyph for every character of text.
    bool Covers(HFONT font, const std::wstring& text) {
        if (text.empty()) return true;
        std::vector<WORD> glyphs(text.size());
        const HGDIOBJ old = SelectObject(m_printer, font);
        const DWORD done = GetGlyphIndicesW(m_printer, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                            GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(m_printer, old);
        if (done == GDI_ERROR) return true;
        for (std::size_t k = 0; k < text.size(); ++k)
            if (glyphs[k] == 0xFFFF && text[k] >= 0x20) return false;
        return true;
    }

    HDC m_printer;
    int m_dpiX, m_dpiY;
    std::map<std::tuple<int, int, int>, HFONT> m_fonts;
};

}  // namespace

CIDWnd::ReportOutcome CIDWnd::PrintReport(const std::wstring& title, const std::wstring& printer,
                                          std::wstring& message) {
    message.clear();
    BusyScope busy(m_busy);
    const std::wstring documentName = title.empty() ? Text(IDS_REPORT_TITLE) : title;
    PrintDialog print;
    HDC dc = nullptr;
    std::wstring printerName = printer;
    HDC named = nullptr;
    if (printer.empty()) {
        // Modal over the host's window, as the chart's own print is; its page
        // setup gives the orientation and the paper.
        print.dialog.hwndOwner = Hwnd() ? GetAncestor(Hwnd(), GA_ROOT) : nullptr;
        print.dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
        if (!PrintDlgW(&print.dialog)) {
            const DWORD error = CommDlgExtendedError();
            if (error == 0) return ReportOutcome::Cancelled;
            message = FillText(Text(IDS_PRINT_FAILED), {print.PrinterName(), L"error " + std::to_wstring(error)});
            return ReportOutcome::Failed;
        }
        dc = print.dialog.hDC;
        printerName = print.PrinterName();
    } else {
        HANDLE handle = nullptr;
        if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &handle, nullptr)) {
            message = FillText(Text(IDS_PRINTER_NOT_FOUND), {printer});
            return ReportOutcome::Failed;
        }
        ClosePrinter(handle);
        named = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
        dc = named;
    }
    PrinterDC ownNamed(named);
    if (!dc) {
        message = FillText(Text(IDS_PRINT_FAILED), {printerName, SystemText(GetLastError())});
        return ReportOutcome::Failed;
    }

    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (StartDocW(dc, &document) <= 0) {
        message = FillText(Text(IDS_PRINT_FAILED), {printerName, SystemText(GetLastError())});
        return ReportOutcome::Failed;
    }
    bool whole = false;
    try {
        whole = PrintReportPages(dc, documentName, message);
    } catch (const std::bad_alloc&) {
        message = Text(IDS_PRINT_NO_MEMORY);
    }
    if (!whole) {
        // Half a report would pass for the whole one: nothing goes out.
        AbortDoc(dc);
        if (message.empty()) message = Text(IDS_PRINT_NO_MEMORY);
        else message = FillText(Text(IDS_PRINT_FAILED), {printerName, message});
        return ReportOutcome::Failed;
    }
    EndDoc(dc);
    return ReportOutcome::Printed;
}

bool CIDWnd::PrintReportPages(HDC printer, const std::wstring& title, std::wstring& message) {
    const PrinterPage page = QueryPrinterPage(printer);
    if (page.dpiX <= 0 || page.dpiY <= 0 || page.width <= 0 || page.height <= 0) {
        message = SystemText(ERROR_INVALID_PARAMETER);
        return false;
    }
    ReportInput input;
    input.pageWidth = page.width * 100 / page.dpiX;
    input.pageHeight = page.height * 100 / page.dpiY;
    // The window's plot as it was last rendered: the printed chart shows the
    // part of it the window shows, as the chart's own print does.
    if (m_view.renderPending || !m_imageLayer.bitmap) {
        WindowDC windowDC(Hwnd());
        if (windowDC.Get()) RenderChartImage(windowDC.Get());
    }
    input.clientWidth = m_view.clientWidth;
    input.clientHeight = m_view.clientHeight;
    input.plotWidth = m_view.plotWidth;
    input.plotHeight = m_view.plotHeight;
    input.title = title;
    wchar_t date[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, 128, nullptr);
    input.date = FillText(Text(IDS_REPORT_DATE), {date});
    input.pressure = FillText(Text(IDS_REPORT_PRESSURE), {FormatNumber("%.1f", airPressure)});
    input.pageFooter = [](int k, int n) {
        return FillText(Text(IDS_REPORT_PAGE), {std::to_wstring(k), std::to_wstring(n)});
    };
    input.continued = [](const std::wstring& table) { return FillText(Text(IDS_REPORT_CONTINUED), {table}); };
    {
        std::unique_ptr<ICalcSession> calc;
        const Status opened = m_calc->Open(airPressure, calc);
        if (!Succeeded(opened) || !calc) {
            message = CalculatorFailureText(Succeeded(opened) ? kStatusFail : opened);
            return false;
        }
        try {
            input.tables = ReportTables(*this, *calc, [](int id) { return Text(id); });
        } catch (const CCalcError& error) {
            message = CalculatorFailureText(error.GetStatus());
            return false;
        }
    }

    ReportFonts fonts(printer, page.dpiX, page.dpiY);
    ReportMetrics metrics;
    metrics.titleLine = ReportFonts::Line(ReportTextItem::Style::Title);
    metrics.headingLine = ReportFonts::Line(ReportTextItem::Style::Heading);
    metrics.bodyLine = ReportFonts::Line(ReportTextItem::Style::Body);
    metrics.width = [&](const std::wstring& text, ReportTextItem::Style style) { return fonts.Width(text, style); };
    const std::vector<ReportPage> pages = LayoutReport(input, metrics);

    const auto deviceX = [&](double x) { return static_cast<int>(std::lround(x * page.dpiX / 100.0)); };
    const auto deviceY = [&](double y) { return static_cast<int>(std::lround(y * page.dpiY / 100.0)); };
    for (const ReportPage& sheet : pages) {
        if (StartPage(printer) <= 0) {
            message = SystemText(GetLastError());
            return false;
        }
        if (sheet.chart) {
            // Fitted into the room the layout fitted it into: the same fit.
            const PrintFrame frame{sheet.chartLeft, sheet.chartTop, sheet.chartRoomWidth, sheet.chartRoomHeight};
            if (!RenderForPrint(printer, frame)) return false;
        }
        const int saved = SaveDC(printer);
        SetBkMode(printer, TRANSPARENT);
        SetTextColor(printer, RGB(0, 0, 0));
        for (const ReportTextItem& item : sheet.texts) {
            const std::wstring text = Printed(item);
            SelectObject(printer, fonts.For(text, item.style, item.scale));
            SetTextAlign(printer, TA_TOP | TA_NOUPDATECP | (item.alignRight ? TA_RIGHT : TA_LEFT));
            const int x = deviceX(item.x), y = deviceY(item.y);
            if (item.clipWidth > 0) {
                const int width = deviceX(item.clipWidth);
                const RECT clip{item.alignRight ? x - width : x, y, item.alignRight ? x : x + width,
                                y + deviceY(metrics.headingLine)};
                ExtTextOutW(printer, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
            } else {
                ExtTextOutW(printer, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
            }
        }
        HPEN pen = CreatePen(PS_SOLID, std::max(1, page.dpiY / 150), RGB(0, 0, 0));
        if (pen) {
            SelectObject(printer, pen);
            for (const ReportRule& rule : sheet.rules) {
                MoveToEx(printer, deviceX(rule.x0), deviceY(rule.y), nullptr);
                LineTo(printer, deviceX(rule.x1), deviceY(rule.y));
            }
        }
        RestoreDC(printer, saved);
        if (pen) DeleteObject(pen);
        if (EndPage(printer) <= 0) {
            message = SystemText(GetLastError());
            return false;
        }
    }
    return true;
}

}  // namespace humichart
