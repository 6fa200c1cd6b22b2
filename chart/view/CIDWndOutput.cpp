// The chart window's clipboard copy and printing.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>

#include "CChartSceneBuilder.h"
#include "CIDWnd.h"
#include "CScenePainter.h"
#include "ChartPalette.h"
#include "DibSurface.h"
#include "PrintLayout.h"

namespace humichart {

namespace {

const wchar_t kInformation[] = L"Infomation";
const wchar_t kCannotOpen[] = L"Can not open clipboard.";
const wchar_t kCannotClear[] = L"Can not clear clipboard.";
const wchar_t kCopyFailed[] = L"Failed to copy bitmap to clipboard.";
const wchar_t kDocumentName[] = L"Print copy of Humichart";

// OpenClipboard / CloseClipboard.
class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    ~ClipboardScope() {
        if (m_open) CloseClipboard();
    }
    bool Open() const { return m_open; }

private:
    bool m_open;
};

// Lets the window paint again however printing ends.
class PaintSuppression {
public:
    explicit PaintSuppression(std::int32_t& flag) : m_flag(flag), m_previous(flag) { flag = 1; }
    PaintSuppression(const PaintSuppression&) = delete;
    PaintSuppression& operator=(const PaintSuppression&) = delete;
    ~PaintSuppression() { m_flag = m_previous; }

private:
    std::int32_t& m_flag;
    std::int32_t m_previous;
};

// The print dialog's memory and printer DC, freed however printing ends.
struct PrintDialogResult {
    PRINTDLGW dialog{};
    PrintDialogResult() { dialog.lStructSize = sizeof dialog; }
    PrintDialogResult(const PrintDialogResult&) = delete;
    PrintDialogResult& operator=(const PrintDialogResult&) = delete;
    ~PrintDialogResult() {
        if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
        if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
        if (dialog.hDC) DeleteDC(dialog.hDC);
    }
};

}  // namespace

void CIDWnd::CopyToClipboard() {
    const UINT notice = MB_OK | MB_ICONINFORMATION;
    ClipboardScope clipboard(Hwnd());
    if (!clipboard.Open()) {
        AskUser(kCannotOpen, kInformation, notice);
        return;
    }
    if (!EmptyClipboard()) {
        AskUser(kCannotClear, kInformation, notice);
        return;
    }

    WindowDC windowDC(Hwnd());
    // Never painted: there is no image yet, so render the one the first
    // paint would show rather than hand over an empty picture. A pending
    // change over an existing image stays out, as the window has not shown it.
    if (!m_image && windowDC.Get()) RenderChartImage(windowDC.Get());

    const int width = m_view.clientWidth;
    const int height = m_view.clientHeight;
    UniqueMemoryDC memoryDC(windowDC.Get() ? CreateCompatibleDC(windowDC.Get()) : nullptr);
    UniqueBitmap bitmap(windowDC.Get() && width > 0 && height > 0
                            ? CreateCompatibleBitmap(windowDC.Get(), width, height)
                            : nullptr);
    const bool drawn = memoryDC && bitmap;
    if (drawn) {
        SelectedObject selected(memoryDC.Get(), bitmap.Get());
        if (m_image) {
            SelectedObject image(m_imageDC.Get(), m_image.Get());
            BitBlt(memoryDC.Get(), 0, 0, width, height, m_imageDC.Get(), 0, 0, SRCCOPY);
        } else {
            // The chart could not be rendered: the data on a blank page.
            PatBlt(memoryDC.Get(), 0, 0, width, height, WHITENESS);
        }
        DrawChartData(memoryDC.Get());
    }
    // The bitmap is deselected here; on success the clipboard owns it.
    if (drawn && SetClipboardData(CF_BITMAP, bitmap.Get())) {
        bitmap.Release();
        return;
    }
    AskUser(kCopyFailed, kInformation, notice);
}

void CIDWnd::PrintChart() {
    PrintDialogResult print;
    print.dialog.hwndOwner = nullptr;
    print.dialog.Flags = PD_RETURNDC;
    if (!PrintDlgW(&print.dialog) || !print.dialog.hDC) return;

    HDC printer = print.dialog.hDC;
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = kDocumentName;
    StartDocW(printer, &document);
    StartPage(printer);
    RenderForPrint(printer);
    EndPage(printer);
    EndDoc(printer);
}

CIDWnd::PrinterPage CIDWnd::QueryPrinterPage(HDC printer) const {
    return {GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES),
            GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY),
            GetDeviceCaps(printer, NUMCOLORS)};
}

void CIDWnd::RenderForPrint(HDC printer) {
    if (!printer || !m_gdiplus) return;
    PaintSuppression suppressed(paintSuppressed);

    // Everything the page borrows from the window, put back afterwards. The
    // plot rectangle and a pending reset are kept too: the mouse and the next
    // copy read them before the window renders again.
    const int savedWidth = m_view.clientWidth;
    const int savedHeight = m_view.clientHeight;
    const float savedPlot[4] = {m_view.plotX, m_view.plotY, m_view.plotWidth, m_view.plotHeight};
    const CIDPos savedPos = m_view.pos;
    const std::int32_t savedReset = m_view.viewResetPending;
    const std::int32_t savedBackground = HasBackground;
    const std::int32_t savedForeground = HasForeground;

    // The page in hundredths of an inch, the unit the chart is laid out in
    // while printing.
    const PrinterPage page = QueryPrinterPage(printer);
    const int dpiX = page.dpiX;
    const int dpiY = page.dpiY;
    if (dpiX <= 0 || dpiY <= 0) return;
    if (PrintsWithoutTints(page.colours)) HasBackground = HasForeground = 0;
    // The window's plot fitted into the page with the window's proportions.
    const PrintLayout layout = FitToPage(savedWidth, savedHeight, m_view.plotWidth, m_view.plotHeight,
                                         page.width * 100 / dpiX, page.height * 100 / dpiY);
    const int pageWidth = layout.pageWidth;
    const int pageHeight = layout.pageHeight;
    m_view.clientWidth = pageWidth;
    m_view.clientHeight = pageHeight;
    m_view.Zoom(layout.r, {m_view.plotX, m_view.plotY});
    m_view.renderPending = 1;

    // The page is drawn on a sheet of one pixel per hundredth of an inch,
    // exactly as the window draws itself, and the sheet is stretched onto the
    // printer's page: drivers that cannot blend would print the translucent
    // chart-area tint and CSSR region as solid colour over the grid, and
    // vertical titles drawn through a scaled page come out turned the wrong
    // way under Wine.
    DibSurface sheet(std::max(pageWidth, 1), std::max(pageHeight, 1));
    if (sheet.Ok()) {
        {
            Gdiplus::Graphics graphics(sheet.DC());
            Gdiplus::SolidBrush background{Gdiplus::Color(
                HasBackground ? palette::kBackgroundTinted : palette::kBackgroundWhite)};
            graphics.FillRectangle(&background, 0, 0, pageWidth, pageHeight);

            ChartScene scene;
            CChartSceneBuilder builder(*m_calc);
            lastRenderStatus = builder.BuildChart(m_view, scene);
            if (Succeeded(lastRenderStatus)) {
                CScenePainter painter;
                // The page's own chart region: the window's stays for its hit
                // tests until it renders again.
                const UniqueRegion pageRegion = painter.PaintChart(graphics, scene);
                DrawChartData(graphics, pageRegion.Get());
            }
        }
        GdiFlush();
        const int previous = SetStretchBltMode(printer, HALFTONE);
        SetBrushOrgEx(printer, 0, 0, nullptr);
        // The page in hundredths never exceeds the printable area.
        StretchBlt(printer, 0, 0, MulDiv(pageWidth, dpiX, 100), MulDiv(pageHeight, dpiY, 100), sheet.DC(), 0, 0,
                   pageWidth, pageHeight, SRCCOPY);
        if (previous) SetStretchBltMode(printer, previous);
    }

    m_view.clientWidth = savedWidth;
    m_view.clientHeight = savedHeight;
    m_view.plotX = savedPlot[0];
    m_view.plotY = savedPlot[1];
    m_view.plotWidth = savedPlot[2];
    m_view.plotHeight = savedPlot[3];
    m_view.pos = savedPos;
    m_view.viewResetPending = savedReset;
    HasBackground = savedBackground;
    HasForeground = savedForeground;
    m_view.renderPending = 1;
    RequestRepaint();
}

}  // namespace humichart
