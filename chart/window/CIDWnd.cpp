#include "CIDWnd.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "CChartSceneBuilder.h"
#include "CComCalcBinding.h"
#include "CDataLayerBuilder.h"
#include "CScenePainter.h"
#include "ChartMenuResource.h"
#include "ChartWindowResource.h"
#include "ModuleInstance.h"
#include "WindowDpi.h"

namespace humichart {

namespace {

const wchar_t kClearAllText[] = L"Ready to clear all data. \n\nAre you sure?";
const wchar_t kDeleteConfirm[] = L"Delete Confirm";

}  // namespace

CIDWnd::CIDWnd() : CIDWnd(std::make_unique<CComCalcBinding>()) {}

CIDWnd::CIDWnd(std::unique_ptr<ICalcBinding> calc)
    : CDialogBase(ThisModuleInstance(), IDD_IDWND),
      m_calc(std::move(calc)),
      m_view(*this),
      m_input(m_view, *this, *this),
      m_params(*m_calc),
      m_editor(*this),
      m_menu(LoadMenuW(ThisModuleInstance(), MAKEINTRESOURCEW(IDR_CHARTMENU))) {}

CIDWnd::~CIDWnd() {
    // Destroy the window while the image, region and GDI+ are still ours.
    if (Hwnd()) DestroyWindow(Hwnd());
}

void CIDWnd::ClearNoNamePoints() {
    std::erase_if(points, [](const StatePoint& point) { return point.name.empty(); });
    RequestRepaint();
}

bool CIDWnd::ClearAll() {
    if (AskUser(kClearAllText, kDeleteConfirm, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return false;
    ClearData();
    RequestRender();
    return true;
}

void CIDWnd::ResetChart(bool clear) {
    captionVisible = 1;
    m_view.viewResetPending = 1;
    moveZoomMode = 0;
    dragMoving = 0;
    RestoreDefaults();
    if (clear) ClearData();
    RequestRender();
}

void CIDWnd::RequestRepaint() {
    if (Hwnd()) InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CIDWnd::RequestRender() {
    m_view.renderPending = 1;
    RequestRepaint();
}

int CIDWnd::AskUser(const wchar_t* text, const wchar_t* caption, UINT type) {
    return MessageBoxW(Hwnd(), text, caption, type);
}

void CIDWnd::PaintInto(HDC dc, const RECT& update) {
    if (paintSuppressed || !m_gdiplus) return;
    if (m_view.renderPending) RenderChartImage(dc);
    if (m_imageLayer.bitmap) {
        SelectedObject selected(m_imageLayer.dc.Get(), m_imageLayer.bitmap.Get());
        BitBlt(dc, update.left, update.top, update.right - update.left, update.bottom - update.top,
               m_imageLayer.dc.Get(), update.left, update.top, SRCCOPY);
    }
    DrawChartData(dc);
}

Status CIDWnd::RenderChartImage(HDC dc) {
    if (!m_gdiplus) return kStatusFail;
    ChartScene scene;
    CChartSceneBuilder builder(*m_calc);
    const Status status = builder.BuildImage(m_view, captionVisible != 0, scene);
    lastRenderStatus = status;
    // A render stopped by the calculator or by a bitmap that cannot be made
    // keeps the previous image, and renderPending stays set so that the next
    // paint tries again.
    if (!Succeeded(status)) return status;

    const int width = std::max(m_view.clientWidth, 1);
    const int height = std::max(m_view.clientHeight, 1);
    // A device bitmap even when dc draws into a DIB section (pictures, tests):
    // compatible with a DIB section would be another DIB section, which
    // Wine's GDI+ blends pixel by pixel in software for every line, where on
    // a device bitmap it draws through GDI as it does on the screen.
    const bool dibTarget = [&] {
        DIBSECTION section{};
        const HGDIOBJ current = GetCurrentObject(dc, OBJ_BITMAP);
        return current && GetObjectW(current, sizeof section, &section) == sizeof section;
    }();
    WindowDC screen(nullptr);
    const HDC reference = dibTarget && screen.Get() ? screen.Get() : dc;
    const int depth = GetDeviceCaps(reference, BITSPIXEL) * GetDeviceCaps(reference, PLANES);
    auto fits = [&](const ImageLayer& layer) {
        return layer.bitmap && layer.dc && layer.width == width && layer.height == height && layer.depth == depth;
    };
    auto make = [&](ImageLayer& layer) {
        layer = {};
        layer.dc.Reset(CreateCompatibleDC(dc));
        layer.bitmap.Reset(CreateCompatibleBitmap(reference, width, height));
        layer.width = width, layer.height = height, layer.depth = depth;
        return layer.dc && layer.bitmap;
    };

    // The background and the caption do not move while the chart pans, and
    // the caption costs Wine's GDI+ more than all the rest of a rebuild: they
    // are painted once into a layer of their own and copied from it while
    // the client size and the caption stay the same. Drawn on the same kind
    // of bitmap by the same calls, the copy has every pixel a direct paint
    // would give.
    if (!fits(m_backdrop) || !(m_backdropScene == Backdrop(scene))) {
        if (!make(m_backdrop)) {
            m_backdrop = {};
            return lastRenderStatus = kStatusFail;
        }
        SelectedObject selected(m_backdrop.dc.Get(), m_backdrop.bitmap.Get());
        Gdiplus::Graphics graphics(m_backdrop.dc.Get());
        CScenePainter painter;
        painter.PaintBackdrop(graphics, scene);
        m_backdropFallbacks = painter.FontFallbacks();
        m_backdropScene = Backdrop(scene);
    }

    // The image is drawn over in full, so the bitmap of the last one is
    // reused when it still has the size: a new one for every pan step costs
    // more than the copy of the backdrop into it.
    ImageLayer image;
    if (fits(m_imageLayer)) image = std::move(m_imageLayer);
    else if (!make(image)) return lastRenderStatus = kStatusFail;
    UniqueRegion region;
    {
        SelectedObject selected(image.dc.Get(), image.bitmap.Get());
        {
            SelectedObject backdrop(m_backdrop.dc.Get(), m_backdrop.bitmap.Get());
            BitBlt(image.dc.Get(), 0, 0, width, height, m_backdrop.dc.Get(), 0, 0, SRCCOPY);
        }
        Gdiplus::Graphics graphics(image.dc.Get());
        CScenePainter painter;
        const TintLayer* tint = TintFor(scene, width, height);
        std::optional<SelectedObject> tintSelected;
        if (tint) tintSelected.emplace(m_tint.dc.Get(), m_tint.bitmap.Get());
        region = painter.PaintChart(graphics, scene, tint);
        fontFallbacks = m_backdropFallbacks + painter.FontFallbacks();
    }
    m_imageLayer = std::move(image);
    m_chartRegion = std::move(region);
    m_imageScene = std::move(scene);
    m_view.renderPending = 0;
    ++imageRebuilds;
    return kStatusOk;
}

const TintLayer* CIDWnd::TintFor(const ChartScene& scene, int width, int height) {
    if (!scene.hasForeground) return nullptr;
    const ArgbColor colour = scene.foreground;
    if (m_tint.dc && m_tint.bitmap && m_tintLayer.colour == colour && m_tint.width >= width &&
        m_tint.height >= height)
        return &m_tintLayer;
    m_tint = {};
    m_tintLayer = {};
    BITMAPINFO info{};
    info.bmiHeader = TopDownDibHeader(width, height, 32);
    void* bits = nullptr;
    m_tint.dc.Reset(CreateCompatibleDC(nullptr));
    m_tint.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!m_tint.dc || !m_tint.bitmap || !bits) {
        m_tint = {};
        return nullptr;
    }
    std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<size_t>(width) * height, PremultipliedPixel(colour));
    m_tint.width = width, m_tint.height = height;
    m_tintLayer = {m_tint.dc.Get(), width, height, colour};
    return &m_tintLayer;
}

Status CIDWnd::DrawChartData(HDC dc) {
    if (!m_gdiplus) return kStatusFail;
    Gdiplus::Graphics graphics(dc);
    return DrawChartData(graphics, m_chartRegion.Get());
}

Status CIDWnd::DrawChartData(Gdiplus::Graphics& graphics, HRGN chartRegion) {
    if (!m_gdiplus) return kStatusFail;
    DataLayer layer;
    CDataLayerBuilder builder(*m_calc);
    const Status status = builder.Build(m_view, layer);
    lastDataStatus = status;
    if (!Succeeded(status)) return status;
    CScenePainter painter;
    painter.PaintData(graphics, layer, chartRegion);
    ++dataDraws;
    return kStatusOk;
}

void CIDWnd::ReleaseImage() {
    m_tintLayer = {};
    m_tint = {};
    m_imageLayer = {};
    m_backdrop = {};
    m_backdropScene = {};
}

void CIDWnd::OnInit() {
    m_gdiplus = std::make_unique<GdiplusSession>();
    // The size notification of creation came before the window was ours.
    RECT client{};
    GetClientRect(Hwnd(), &client);
    m_view.SetDpi(WindowDpi(Hwnd()));
    m_view.SetClientSize(client.right, client.bottom);
}

void CIDWnd::OnPaint() {
    PaintScope paint(Hwnd());
    // While printing the window is only validated, so that it does not ask
    // for the same paint again and again.
    if (paintSuppressed) return;
    PaintInto(paint.Get(), paint.UpdateRect());
    // A band being dragged is XOR on the window: where the paint covered it,
    // it is drawn again, so that the next move still erases it.
    if (m_input.BandShown()) {
        const ChartAction rect = m_input.BandRect();
        const RECT band{rect.left, rect.top, rect.right, rect.bottom};
        DrawFocusRect(paint.Get(), &band);
    }
}

bool CIDWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (HandleInput(message, wParam, lParam, result)) return true;
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        result = TRUE;
        return true;
    case kWmDpiChangedAfterParent:
        // The host moved to a monitor of another scale (or the user changed
        // it); the size notification that usually comes with it may not.
        m_view.SetDpi(WindowDpi(Hwnd()));
        RequestRepaint();
        result = 0;
        return true;
    case WM_SIZE:
        m_view.SetDpi(WindowDpi(Hwnd()));
        m_view.SetClientSize(LOWORD(lParam), HIWORD(lParam));
        if (m_params.Hwnd()) PlaceParamWindow();
        // The whole chart changes with its size, not only the strips a larger
        // window uncovers; containers may move the window without repainting
        // it. No erase: the next paint covers every pixel.
        RequestRepaint();
        result = 0;
        return true;
    case WM_ERASEBKGND:
        // The cached image covers everything; erasing would only flicker.
        result = 1;
        return true;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_RENDERFORMAT:
        if (wParam == CF_ENHMETAFILE) RenderClipboardPicture();
        result = 0;
        return true;
    case WM_RENDERALLFORMATS:
        RenderPendingClipboard();
        result = 0;
        return true;
    case WM_DESTROYCLIPBOARD:
        m_clipboardPicture.reset();
        result = 0;
        return true;
    case WM_DESTROY:
        // A copy's metafile not yet asked for is made while drawing still
        // works, so that it outlives the chart as the bitmap does.
        RenderPendingClipboard();
        CloseInput();
        ReleaseImage();
        m_chartRegion.Reset();
        m_gdiplus.reset();
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace humichart
