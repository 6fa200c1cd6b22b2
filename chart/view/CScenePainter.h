// Turns the chart scene and the data layer into GDI+ calls: exact colours,
// pen widths, fonts and string formats, cardinal splines, the chart region
// and its clip. Drawing resources live only for one call; a failing GDI+ call
// is remembered and drawing goes on.
#pragma once

#include <windows.h>

#include <gdiplus.h>

#include <vector>

#include "CFontCache.h"
#include "ChartScene.h"
#include "DataLayer.h"
#include "GdiHandles.h"
#include "SceneText.h"

namespace humichart {

class CScenePainter {
public:
    CScenePainter() = default;
    CScenePainter(const CScenePainter&) = delete;
    CScenePainter& operator=(const CScenePainter&) = delete;

    // The cached image: the background fill and caption when the scene has
    // them, then PaintChart. Answers the chart region (outline cut to the
    // plot rectangle) as a GDI region for hit testing; null if GDI+ failed.
    UniqueRegion PaintImage(Gdiplus::Graphics& graphics, const ChartScene& scene);
    // Titles and labels, then the grid families and the outline clipped to
    // the widened chart region over the foreground tint.
    UniqueRegion PaintChart(Gdiplus::Graphics& graphics, const ChartScene& scene);
    // Border, CSSR rectangle and process lines clipped to chartRegion (when
    // there is one yet), points and names clipped to the data rectangle.
    void PaintData(Gdiplus::Graphics& graphics, const DataLayer& layer, HRGN chartRegion);

    // The first failing GDI+ status met, Ok when none.
    Gdiplus::Status FirstFailure() const { return m_failure; }
    // Texts drawn with a generic family because theirs is missing.
    int FontFallbacks() const { return m_fonts.Fallbacks(); }

private:
    void DrawTexts(Gdiplus::Graphics& graphics, const std::vector<SceneText>& texts);
    void DrawText(Gdiplus::Graphics& graphics, const SceneText& text);
    void Note(Gdiplus::Status status);

    CFontCache m_fonts;
    Gdiplus::Status m_failure = Gdiplus::Ok;
};

}  // namespace humichart
