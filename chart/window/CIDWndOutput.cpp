// The chart window's clipboard copy and printing.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <new>

#include "CChartSceneBuilder.h"
#include "CDataLayerBuilder.h"
#include "CIDWnd.h"
#include "CScenePainter.h"
#include "ChartPalette.h"
#include "ChartWindowResource.h"
#include "DibSurface.h"
#include "LoadDialogString.h"
#include "PrintLayout.h"

namespace humichart {

namespace {

const wchar_t kInformation[] = L"Infomation";
const wchar_t kCannotOpen[] = L"Can not open clipboard.";
const wchar_t kCannotClear[] = L"Can not clear clipboard.";
const wchar_t kCopyFailed[] = L"Failed to copy bitmap to clipboard.";
const wchar_t kDocumentName[] = L"Print copy of Humichart";
constexpr Status kStatusOutOfMemory = static_cast<Status>(0x8007000Eu);  // E_OUTOFMEMORY

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
    if (!m_imageLayer.bitmap && windowDC.Get()) RenderChartImage(windowDC.Get());

    const int width = m_view.clientWidth;
    const int height = m_view.clientHeight;
    UniqueMemoryDC memoryDC(windowDC.Get() ? CreateCompatibleDC(windowDC.Get()) : nullptr);
    UniqueBitmap bitmap(windowDC.Get() && width > 0 && height > 0
                            ? CreateCompatibleBitmap(windowDC.Get(), width, height)
                            : nullptr);
    const bool drawn = memoryDC && bitmap;
    // One data layer for the bitmap and the metafile: each build asks the
    // calculator for every point again.
    DataLayer layer;
    bool hasData = false;
    if (drawn) {
        SelectedObject selected(memoryDC.Get(), bitmap.Get());
        if (m_imageLayer.bitmap) {
            SelectedObject image(m_imageLayer.dc.Get(), m_imageLayer.bitmap.Get());
            BitBlt(memoryDC.Get(), 0, 0, width, height, m_imageLayer.dc.Get(), 0, 0, SRCCOPY);
        } else {
            // The chart could not be rendered: the data on a blank page.
            PatBlt(memoryDC.Get(), 0, 0, width, height, WHITENESS);
        }
        if (m_gdiplus) {
            lastDataStatus = CDataLayerBuilder(*m_calc).Build(m_view, layer);
            hasData = Succeeded(lastDataStatus);
            if (hasData) {
                Gdiplus::Graphics graphics(memoryDC.Get());
                CScenePainter().PaintData(graphics, layer, m_chartRegion.Get());
                ++dataDraws;
            }
        }
    }
    // The bitmap is deselected here; on success the clipboard owns it.
    if (drawn && SetClipboardData(CF_BITMAP, bitmap.Get())) {
        bitmap.Release();
        // The same chart as a picture that stays sharp however a report
        // scales it, offered now and recorded when a program asks for it:
        // recording through GDI+ takes ten times as long as the whole bitmap
        // copy. What it will show is fixed here - this render and this
        // data. The bitmap is the copy: a metafile that cannot be offered or
        // made later leaves it alone, without a notice.
        if (m_imageLayer.bitmap) {
            try {
                auto picture = std::make_unique<ClipboardPicture>();
                picture->scene = m_imageScene;
                picture->layer = std::move(layer);
                picture->hasData = hasData;
                m_clipboardPicture = std::move(picture);
                SetClipboardData(CF_ENHMETAFILE, nullptr);
            } catch (const std::bad_alloc&) {
                m_clipboardPicture.reset();
            }
        }
        return;
    }
    AskUser(kCopyFailed, kInformation, notice);
}

HENHMETAFILE CIDWnd::RecordChartMetafile() const {
    if (!m_clipboardPicture) return nullptr;
    return RecordMetafile(m_clipboardPicture->scene, m_clipboardPicture->hasData ? &m_clipboardPicture->layer : nullptr);
}

HENHMETAFILE CIDWnd::RecordMetafile(const ChartScene& scene, const DataLayer* layer) const {
    if (!m_gdiplus) return nullptr;
    const int width = scene.clientWidth;
    const int height = scene.clientHeight;
    WindowDC reference(Hwnd());
    if (!reference.Get() || width <= 0 || height <= 0) return nullptr;
    // The frame, in hundredths of a millimetre, is the window's size on the
    // screen, so that a paste comes in at the size the chart shows.
    const int mmWidth = GetDeviceCaps(reference.Get(), HORZSIZE), mmHeight = GetDeviceCaps(reference.Get(), VERTSIZE);
    const int pxWidth = GetDeviceCaps(reference.Get(), HORZRES), pxHeight = GetDeviceCaps(reference.Get(), VERTRES);
    if (mmWidth <= 0 || mmHeight <= 0 || pxWidth <= 0 || pxHeight <= 0) return nullptr;
    const RECT frame{0, 0, MulDiv(width, mmWidth * 100, pxWidth), MulDiv(height, mmHeight * 100, pxHeight)};
    HDC recorder = CreateEnhMetaFileW(reference.Get(), nullptr, &frame, L"Humichart\0Psychrometric chart\0");
    if (!recorder) return nullptr;
    try {
        Gdiplus::Graphics graphics(recorder);
        CScenePainter painter;
        const UniqueRegion region = painter.PaintImage(graphics, scene);
        if (layer) painter.PaintData(graphics, *layer, region.Get());
    } catch (const std::bad_alloc&) {
        DeleteEnhMetaFile(CloseEnhMetaFile(recorder));
        return nullptr;
    }
    return CloseEnhMetaFile(recorder);
}

void CIDWnd::RenderClipboardPicture() {
    if (HENHMETAFILE picture = RecordChartMetafile()) {
        if (!SetClipboardData(CF_ENHMETAFILE, picture)) DeleteEnhMetaFile(picture);
    }
}

void CIDWnd::RenderPendingClipboard() {
    if (!m_clipboardPicture) return;
    if (Hwnd() && GetClipboardOwner() == Hwnd()) {
        ClipboardScope clipboard(Hwnd());
        // Still ours once opened: nobody emptied it in between.
        if (clipboard.Open() && GetClipboardOwner() == Hwnd()) RenderClipboardPicture();
    }
    m_clipboardPicture.reset();
}

void CIDWnd::PrintChart() {
    PrintDialogResult print;
    // Modal over the host's window: otherwise the host stays clickable and
    // can close the chart under its own print.
    print.dialog.hwndOwner = Hwnd() ? GetAncestor(Hwnd(), GA_ROOT) : nullptr;
    print.dialog.Flags = PD_RETURNDC;
    if (!PrintDlgW(&print.dialog) || !print.dialog.hDC) return;

    HDC printer = print.dialog.hDC;
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = kDocumentName;
    StartDocW(printer, &document);
    StartPage(printer);
    if (!RenderForPrint(printer)) {
        // A blank or half-drawn page would look like the chart: none is sent,
        // and the user hears why.
        AbortDoc(printer);
        AskUser(LoadDialogString(IDS_PRINT_NO_MEMORY).c_str(), kInformation, MB_OK | MB_ICONINFORMATION);
        return;
    }
    EndPage(printer);
    EndDoc(printer);
}

CIDWnd::PrinterPage CIDWnd::QueryPrinterPage(HDC printer) const {
    const int blending = GetDeviceCaps(printer, SHADEBLENDCAPS);
    return {GetDeviceCaps(printer, HORZRES),   GetDeviceCaps(printer, VERTRES),
            GetDeviceCaps(printer, LOGPIXELSX), GetDeviceCaps(printer, LOGPIXELSY),
            GetDeviceCaps(printer, NUMCOLORS),  (blending & SB_PIXEL_ALPHA) != 0};
}

namespace {

// Everything a printed page borrows from the window, put back however the
// page ends - an allocation that fails half-way included - so that the
// window goes on showing, hit-testing and copying its own view. The plot
// rectangle and a pending reset are kept too: the mouse and the next copy
// read them before the window renders again.
class BorrowedView {
public:
    explicit BorrowedView(CIDWnd& chart)
        : m_chart(chart),
          m_view(chart.View()),
          m_width(m_view.clientWidth),
          m_height(m_view.clientHeight),
          m_plot(m_view.PlotRect()),
          m_pos(m_view.pos),
          m_reset(m_view.viewResetPending),
          m_dpi(m_view.Dpi()),
          m_background(chart.HasBackground),
          m_foreground(chart.HasForeground) {}
    BorrowedView(const BorrowedView&) = delete;
    BorrowedView& operator=(const BorrowedView&) = delete;
    ~BorrowedView() {
        m_view.SetDpi(m_dpi);
        m_view.clientWidth = m_width;
        m_view.clientHeight = m_height;
        m_view.plotX = static_cast<float>(m_plot.x);
        m_view.plotY = static_cast<float>(m_plot.y);
        m_view.plotWidth = static_cast<float>(m_plot.width);
        m_view.plotHeight = static_cast<float>(m_plot.height);
        m_view.pos = m_pos;
        m_view.viewResetPending = m_reset;
        m_chart.HasBackground = m_background;
        m_chart.HasForeground = m_foreground;
        m_view.renderPending = 1;
        m_chart.RequestRepaint();
    }

private:
    CIDWnd& m_chart;
    CChartView& m_view;
    const int m_width, m_height;
    const RectD m_plot;
    const CIDPos m_pos;
    const std::int32_t m_reset;
    const int m_dpi;
    const std::int32_t m_background, m_foreground;
};

// A band of the page is at most this many bytes (32 bits a pixel): an A3
// page at 600 dpi takes 17 of them.
constexpr long long kBandBytes = 16ll << 20;

}  // namespace

bool CIDWnd::RenderForPrint(HDC printer) { return RenderForPrint(printer, PrintFrame{}); }

bool CIDWnd::RenderForPrint(HDC printer, const PrintFrame& frame) {
    if (!printer || !m_gdiplus) return false;
    PaintSuppression suppressed(paintSuppressed);
    BorrowedView borrowed(*this);
    try {
        if (DrawPrintedPage(printer, frame)) return true;
    } catch (const std::bad_alloc&) {
        // The page is not whole; the window gets its view back all the same.
    }
    lastRenderStatus = kStatusOutOfMemory;
    return false;
}

bool CIDWnd::DrawPrintedPage(HDC printer, const PrintFrame& frame) {
    // The page in hundredths of an inch, the unit the chart is laid out in
    // while printing: margins, fonts and pens keep the sizes they have always
    // had on paper, and the printer's resolution only makes them sharp.
    const PrinterPage page = QueryPrinterPage(printer);
    const int dpiX = page.dpiX;
    const int dpiY = page.dpiY;
    if (dpiX <= 0 || dpiY <= 0) return true;
    if (PrintsWithoutTints(page.colours)) HasBackground = HasForeground = 0;
    const bool wholePage = frame.width < 0 || frame.height < 0;
    const PrintLayout layout =
        FitToPage(m_view.clientWidth, m_view.clientHeight, m_view.plotWidth, m_view.plotHeight,
                  wholePage ? page.width * 100 / dpiX : frame.width, wholePage ? page.height * 100 / dpiY : frame.height);
    // The frame's corner on the device.
    const int frameX = static_cast<int>(std::lround(frame.left * dpiX / 100.0));
    const int frameY = static_cast<int>(std::lround(frame.top * dpiY / 100.0));
    const int pageWidth = layout.pageWidth;
    const int pageHeight = layout.pageHeight;
    m_view.clientWidth = pageWidth;
    m_view.clientHeight = pageHeight;
    const PointD windowPlot{m_view.plotX, m_view.plotY};
    m_view.Zoom(layout.r, windowPlot);
    // Paper keeps the 96-dpi lengths in hundredths of an inch whatever the
    // screen: the window's plot, fitted above, moves to the page's margins.
    const std::int32_t reset = m_view.viewResetPending;
    m_view.SetDpi(CChartView::kBaseDpi);
    m_view.viewResetPending = reset;
    m_view.UpdatePlotRect();
    m_view.Pan(m_view.plotX - windowPlot.x, m_view.plotY - windowPlot.y);
    m_view.renderPending = 1;

    ChartScene scene;
    lastRenderStatus = CChartSceneBuilder(*m_calc).BuildChart(m_view, scene);
    if (!Succeeded(lastRenderStatus)) return true;
    DataLayer layer;
    lastDataStatus = CDataLayerBuilder(*m_calc).Build(m_view, layer);

    // The page in the printer's pixels: never more than its printable area.
    const int deviceWidth = MulDiv(pageWidth, dpiX, 100);
    const int deviceHeight = MulDiv(pageHeight, dpiY, 100);
    const Gdiplus::Color background(HasBackground ? palette::kBackgroundTinted : palette::kBackgroundWhite);
    // One page (or band of it) whose top is at device row top, moved by
    // (x, y) device pixels.
    auto drawPage = [&](Gdiplus::Graphics& graphics, int top, int x = 0, int y = 0) {
        graphics.SetPageUnit(Gdiplus::UnitPixel);
        graphics.TranslateTransform(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(y - top));
        graphics.ScaleTransform(dpiX / 100.0f, dpiY / 100.0f);
        Gdiplus::SolidBrush fill{background};
        graphics.FillRectangle(&fill, 0, 0, pageWidth, pageHeight);
        CScenePainter painter;
        // The page's own chart region: the window's stays for its hit tests
        // until it renders again.
        const UniqueRegion pageRegion = painter.PaintChart(graphics, scene);
        if (Succeeded(lastDataStatus)) painter.PaintData(graphics, layer, pageRegion.Get());
        fontFallbacks = painter.FontFallbacks();
    };

    // A printer that blends gets the page as it is drawn: lines and text as
    // such, at whatever resolution it prints.
    if (page.canBlend) {
        Gdiplus::Graphics graphics(printer);
        drawPage(graphics, 0, frameX, frameY);
        return true;
    }
    // One that cannot would print the translucent chart-area tint and CSSR
    // region as solid colour over the grid: it gets the page as pixels of its
    // own resolution, drawn a band at a time so that memory stays bounded
    // however large the page.
    const long long rowBytes = 4ll * std::max(deviceWidth, 1);
    const int bandRows = static_cast<int>(std::clamp<long long>(kBandBytes / rowBytes, 1, std::max(deviceHeight, 1)));
    WindowDC screen(nullptr);
    UniqueMemoryDC bandDC(CreateCompatibleDC(screen.Get()));
    UniqueBitmap band(screen.Get() ? CreateCompatibleBitmap(screen.Get(), std::max(deviceWidth, 1), bandRows)
                                   : nullptr);
    if (!bandDC || !band) throw std::bad_alloc();
    SelectedObject selected(bandDC.Get(), band.Get());
    for (int top = 0; top < deviceHeight; top += bandRows) {
        const int rows = std::min(bandRows, deviceHeight - top);
        {
            Gdiplus::Graphics graphics(bandDC.Get());
            if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
            drawPage(graphics, top);
        }
        GdiFlush();
        BitBlt(printer, frameX, frameY + top, deviceWidth, rows, bandDC.Get(), 0, 0, SRCCOPY);
    }
    return true;
}

}  // namespace humichart
