// The chart as a picture file: a PNG rendered at the size asked for, or an
// enhanced metafile recorded as the clipboard's copy.
#include <windows.h>
#include <objidl.h>

#include <new>

#include "CChartSceneBuilder.h"
#include "CDataLayerBuilder.h"
#include "CIDWnd.h"
#include "CScenePainter.h"
#include "ComPtr.h"
#include "GdiplusImage.h"

namespace humichart {

namespace {

// A bitmap (selected nowhere) as the bytes of a PNG file; empty on failure.
std::vector<std::uint8_t> PngBytes(HBITMAP bitmap) {
    CLSID png{};
    if (FAILED(FindImageEncoder(L"image/png", png))) return {};
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put()))) return {};
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        if (image.GetLastStatus() != Gdiplus::Ok || image.Save(stream.Get(), &png, nullptr) != Gdiplus::Ok) return {};
    }
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > (1ull << 31)) return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    ULONG read = 0;
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
        return {};
    return bytes;
}

std::vector<std::uint8_t> EmfBytes(HENHMETAFILE picture) {
    if (!picture) return {};
    std::vector<std::uint8_t> bytes(GetEnhMetaFileBits(picture, 0, nullptr));
    if (bytes.empty() || GetEnhMetaFileBits(picture, static_cast<UINT>(bytes.size()), bytes.data()) != bytes.size())
        bytes.clear();
    DeleteEnhMetaFile(picture);
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> CIDWnd::PictureFile(PictureFormat format, int width, int height) {
    if (!m_gdiplus || !Hwnd()) return {};
    WindowDC windowDC(Hwnd());
    if (!windowDC.Get()) return {};
    const bool windowSize = (width == 0 && height == 0) ||
                            (width == m_view.clientWidth && height == m_view.clientHeight);
    try {
        if (windowSize) {
            // What the window shows: its image as the next paint has it, the
            // data drawn over it as a paint draws them.
            if (!m_imageLayer.bitmap || m_view.renderPending) RenderChartImage(windowDC.Get());
            if (!m_imageLayer.bitmap) return {};
            width = m_view.clientWidth;
            height = m_view.clientHeight;
            DataLayer layer;
            lastDataStatus = CDataLayerBuilder(*m_calc).Build(m_view, layer);
            const bool hasData = Succeeded(lastDataStatus);
            if (format == PictureFormat::Emf) return EmfBytes(RecordMetafile(m_imageScene, hasData ? &layer : nullptr));
            UniqueMemoryDC memoryDC(CreateCompatibleDC(windowDC.Get()));
            UniqueBitmap bitmap(width > 0 && height > 0 ? CreateCompatibleBitmap(windowDC.Get(), width, height) : nullptr);
            if (!memoryDC || !bitmap) return {};
            {
                SelectedObject selected(memoryDC.Get(), bitmap.Get());
                {
                    SelectedObject image(m_imageLayer.dc.Get(), m_imageLayer.bitmap.Get());
                    BitBlt(memoryDC.Get(), 0, 0, width, height, m_imageLayer.dc.Get(), 0, 0, SRCCOPY);
                }
                if (hasData) {
                    Gdiplus::Graphics graphics(memoryDC.Get());
                    CScenePainter().PaintData(graphics, layer, m_chartRegion.Get());
                }
            }
            return PngBytes(bitmap.Get());
        }

        // Another size: the part of the chart the window shows, laid out
        // afresh on a client of that size - margins, fonts and pens keep
        // their pixels; only the plot takes the new room.
        CChartView view = m_view;
        const RectD plot = m_view.PlotRect();
        view.clientWidth = width;
        view.clientHeight = height;
        view.UpdatePlotRect();
        if (!m_view.viewResetPending && plot.width > 0 && plot.height > 0 && view.plotWidth > 0 &&
            view.plotHeight > 0) {
            const double kx = view.plotWidth / plot.width, ky = view.plotHeight / plot.height;
            view.pos.x0 = view.plotX + (m_view.pos.x0 - plot.x) * kx;
            view.pos.y0 = view.plotY + (m_view.pos.y0 - plot.y) * ky;
            view.pos.W *= kx;
            view.pos.H *= ky;
            view.viewResetPending = 0;
        } else {
            view.viewResetPending = 1;
        }
        ChartScene scene;
        if (!Succeeded(CChartSceneBuilder(*m_calc).BuildImage(view, captionVisible != 0, scene))) return {};
        DataLayer layer;
        const bool hasData = Succeeded(CDataLayerBuilder(*m_calc).Build(view, layer));
        if (format == PictureFormat::Emf) return EmfBytes(RecordMetafile(scene, hasData ? &layer : nullptr));
        // A device bitmap, as the window's image is, so that the chart is
        // drawn by the same calls that draw it on the screen.
        WindowDC screen(nullptr);
        UniqueMemoryDC memoryDC(CreateCompatibleDC(screen.Get()));
        UniqueBitmap bitmap(screen.Get() ? CreateCompatibleBitmap(screen.Get(), width, height) : nullptr);
        if (!memoryDC || !bitmap) return {};
        {
            SelectedObject selected(memoryDC.Get(), bitmap.Get());
            Gdiplus::Graphics graphics(memoryDC.Get());
            CScenePainter painter;
            const UniqueRegion region = painter.PaintImage(graphics, scene);
            if (hasData) painter.PaintData(graphics, layer, region.Get());
        }
        return PngBytes(bitmap.Get());
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace humichart
