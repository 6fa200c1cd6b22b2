// Turns the chart scene and the data layer into GDI+ calls: exact colours,
// pen widths, fonts and string formats, cardinal splines, the chart region
// and its clip. Drawing resources live only for one call; a failing GDI+ call
// is remembered and drawing goes on.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <cstdint>
#include <vector>

#include "CFontCache.h"
#include "ChartScene.h"
#include "DataLayer.h"
#include "GdiHandles.h"
#include "SceneText.h"

namespace humichart {

// colour as GDI+ premultiplies it before a blend, as a 32-bit DIB pixel:
// each channel times alpha over 255, truncated.
std::uint32_t PremultipliedPixel(ArgbColor colour);

// A bitmap holding the foreground tint as PremultipliedPixel, on every pixel
// of at least the image's size, selected into dc. A window keeps one between
// rebuilds; the tint is blended from it rather than made for every rebuild.
struct TintLayer {
    HDC dc = nullptr;
    int width = 0, height = 0;
    ArgbColor colour = 0;
};

class CScenePainter {
public:
    CScenePainter() = default;
    CScenePainter(const CScenePainter&) = delete;
    CScenePainter& operator=(const CScenePainter&) = delete;

    // The cached image: the background fill and caption when the scene has
    // them, then PaintChart. Answers the chart region (outline cut to the
    // plot rectangle) as a GDI region for hit testing; null if GDI+ failed.
    UniqueRegion PaintImage(Gdiplus::Graphics& graphics, const ChartScene& scene);
    // The part of PaintImage that a pan leaves alone: the background fill and
    // the caption. PaintImage is PaintBackdrop, then PaintChart.
    void PaintBackdrop(Gdiplus::Graphics& graphics, const ChartScene& scene);
    // Titles and labels, then the grid families and the outline clipped to
    // the widened chart region over the foreground tint.
    // tint: the foreground tint ready to blend, when the caller keeps one.
    UniqueRegion PaintChart(Gdiplus::Graphics& graphics, const ChartScene& scene,
                            const TintLayer* tint = nullptr);
    // Border, CSSR rectangle and process lines clipped to chartRegion (when
    // there is one yet), points and names clipped to the data rectangle.
    void PaintData(Gdiplus::Graphics& graphics, const DataLayer& layer, HRGN chartRegion);

    // The first failing GDI+ status met, Ok when none.
    Gdiplus::Status FirstFailure() const { return m_failure; }
    // Texts drawn with a generic family because theirs is missing.
    int FontFallbacks() const { return m_fonts.Fallbacks(); }
    // Major or minor grid lines of a family stroked by GDI+ rather than GDI.
    int GridPathStrokes() const { return m_gridPathStrokes; }

private:
    // clip: the rectangle the graphics is clipped to, null when it is not
    // clipped at all.
    void DrawTexts(Gdiplus::Graphics& graphics, const std::vector<SceneText>& texts,
                   const RectD* clip = nullptr);
    void DrawText(Gdiplus::Graphics& graphics, const SceneText& text);
    // The GDI face of a text that GDI can draw exactly where GDI+ would: one
    // line, anchored at a point, in an opaque colour and a pixel size. Null
    // for anything else.
    const CFontCache::GdiFace* GdiFaceFor(const Gdiplus::Graphics& graphics, const SceneText& text);
    void Note(Gdiplus::Status status);
    // Tint, grid families and outline onto a graphics already clipped to the
    // widened chart region; fillChart fills that region with a brush.
    // dc: the graphics' DC when GDI may draw on it between GDI+ calls.
    template <class FillChart>
    void StrokeGrid(Gdiplus::Graphics& graphics, HDC dc, const ChartScene& scene,
                    const Gdiplus::GraphicsPath& outline, FillChart fillChart);
    // The major or minor segments of a family with a one-pixel GDI pen; false
    // (nothing drawn) when the pen or the page needs GDI+.
    bool StrokeThinWithGdi(Gdiplus::Graphics& graphics, HDC dc, const std::vector<SceneSegment>& segments,
                           bool major, const PenStyle& pen);
    // The relative-humidity splines of path with a one-pixel GDI pen; false
    // (nothing drawn) when the pen or the page needs GDI+.
    bool StrokeCurvesThinWithGdi(Gdiplus::Graphics& graphics, HDC dc, const Gdiplus::GraphicsPath& path,
                                 const PenStyle& pen);
    // The translucent CSSR rectangle clipped to chartRegion through GDI;
    // false (nothing drawn) when it needs GDI+.
    bool FillCssrWithGdi(Gdiplus::Graphics& graphics, const DataLayer& layer, HRGN chartRegion);
    // The foreground tint blended from layer over the DC's clip; false
    // (nothing drawn) when the layer cannot stand in for GDI+'s fill.
    bool BlendTint(Gdiplus::Graphics& graphics, HDC dc, ArgbColor colour, const TintLayer& layer);
    // Dots and data lines through a coverage mask on the graphics' DC; false
    // (nothing drawn) when the graphics needs GDI+ itself: a transformed page,
    // smoothed edges or a translucent colour.
    bool FillDotsWithGdi(Gdiplus::Graphics& graphics, const DataLayer& layer);
    bool StrokeLinesWithGdi(Gdiplus::Graphics& graphics, const DataLayer& layer, HRGN chartRegion);
    // A page whose units are the device's pixels.
    static bool PlainPage(const Gdiplus::Graphics& graphics);
    // Whether shapes in colour are drawn without smoothing on a plain page.
    static bool HardEdges(const Gdiplus::Graphics& graphics, ArgbColor colour);

    CFontCache m_fonts;
    Gdiplus::Status m_failure = Gdiplus::Ok;
    int m_gridPathStrokes = 0;
};

}  // namespace humichart
