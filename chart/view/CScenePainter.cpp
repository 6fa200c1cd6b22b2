#include "CScenePainter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>

#include "GdiMask.h"
#include "GdiplusDC.h"

namespace humichart {

namespace {

Gdiplus::PointF ToPointF(const PointD& p) {
    return {static_cast<Gdiplus::REAL>(p.x), static_cast<Gdiplus::REAL>(p.y)};
}

Gdiplus::RectF ToRectF(const RectD& r) {
    return {static_cast<Gdiplus::REAL>(r.x), static_cast<Gdiplus::REAL>(r.y),
            static_cast<Gdiplus::REAL>(r.width), static_cast<Gdiplus::REAL>(r.height)};
}

std::vector<Gdiplus::PointF> ToPointsF(const std::vector<PointD>& points) {
    std::vector<Gdiplus::PointF> result;
    result.reserve(points.size());
    for (const PointD& p : points) result.push_back(ToPointF(p));
    return result;
}

Gdiplus::StringAlignment ToAlignment(TextFormat::Align align) {
    switch (align) {
    case TextFormat::Align::Center: return Gdiplus::StringAlignmentCenter;
    case TextFormat::Align::Far: return Gdiplus::StringAlignmentFar;
    default: return Gdiplus::StringAlignmentNear;
    }
}

// The closed outline: corners P0..P4 as a polyline, then the saturation
// spline back up to P0.
void AddOutline(Gdiplus::GraphicsPath& path, const ChartOutline& outline) {
    const std::vector<Gdiplus::PointF> corners = ToPointsF(outline.corners);
    if (corners.size() >= 2)
        path.AddLines(corners.data(), static_cast<INT>(corners.size()));
    const std::vector<Gdiplus::PointF> saturation = ToPointsF(outline.saturation);
    if (saturation.size() >= 2)
        path.AddCurve(saturation.data(), static_cast<INT>(saturation.size()), outline.tension);
    else if (saturation.size() == 1 && !corners.empty())
        path.AddLine(corners.back(), saturation.front());
    path.CloseFigure();
}

// The settings that decide how the second graphics of a rebuild rasterises.
void CopyRenderingSettings(Gdiplus::Graphics& from, Gdiplus::Graphics& to) {
    to.SetSmoothingMode(from.GetSmoothingMode());
    to.SetPixelOffsetMode(from.GetPixelOffsetMode());
    to.SetCompositingQuality(from.GetCompositingQuality());
    to.SetCompositingMode(from.GetCompositingMode());
}

}  // namespace

void CScenePainter::Note(Gdiplus::Status status) {
    if (status != Gdiplus::Ok && m_failure == Gdiplus::Ok) m_failure = status;
}

UniqueRegion CScenePainter::PaintImage(Gdiplus::Graphics& graphics, const ChartScene& scene) {
    PaintBackdrop(graphics, scene);
    return PaintChart(graphics, scene);
}

void CScenePainter::PaintBackdrop(Gdiplus::Graphics& graphics, const ChartScene& scene) {
    if (scene.fillBackground) {
        Gdiplus::SolidBrush background{Gdiplus::Color(scene.background)};
        Note(graphics.FillRectangle(&background, 0, 0, scene.clientWidth, scene.clientHeight));
    }
    if (scene.hasCaption) DrawText(graphics, scene.caption);
}

UniqueRegion CScenePainter::PaintChart(Gdiplus::Graphics& graphics, const ChartScene& scene,
                                       const TintLayer* tintLayer) {
    // Titles and labels sit outside the chart and are drawn before any clip.
    DrawTexts(graphics, scene.texts);

    Gdiplus::GraphicsPath outline;
    AddOutline(outline, scene.outline);
    Gdiplus::Region region(&outline);
    Note(region.Intersect(ToRectF(scene.regionBounds)));
    UniqueRegion chartRegion(region.GetHRGN(&graphics));
    Note(region.GetLastStatus());

    // The widened clip on the DC itself, for a second graphics drawing the
    // grid: Wine's GDI+ turns a clip region made of curves back into pixels
    // for every single call, a few milliseconds of every rebuild.
    // The one-pixel widening is made from the pixels of the chart region;
    // moving by whole pixels commutes with rasterising, so the clip is the
    // same pixels either way.
    if (chartRegion && PlainPage(graphics)) {
        UniqueRegion widened(CreateRectRgn(0, 0, 0, 0));
        UniqueRegion moved(CreateRectRgn(0, 0, 0, 0));
        bool built = widened && moved && CombineRgn(widened.Get(), chartRegion.Get(), nullptr, RGN_COPY) != ERROR;
        for (const PointD& offset : scene.widenOffsets) {
            if (!built) break;
            built = CombineRgn(moved.Get(), chartRegion.Get(), nullptr, RGN_COPY) != ERROR &&
                    OffsetRgn(moved.Get(), static_cast<int>(offset.x), static_cast<int>(offset.y)) != ERROR &&
                    CombineRgn(widened.Get(), widened.Get(), moved.Get(), RGN_OR) != ERROR &&
                    offset.x == std::trunc(offset.x) && offset.y == std::trunc(offset.y);
        }
        if (built) {
            GraphicsDC gdi(graphics);
            if (HDC dc = gdi.Get(); dc && ExtSelectClipRgn(dc, widened.Get(), RGN_AND) != ERROR) {
                Gdiplus::Graphics clipped(dc);
                RECT box{};
                GetRgnBox(widened.Get(), &box);
                const Gdiplus::RectF bounds(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top),
                                            static_cast<Gdiplus::REAL>(box.right - box.left),
                                            static_cast<Gdiplus::REAL>(box.bottom - box.top));
                CopyRenderingSettings(graphics, clipped);
                StrokeGrid(clipped, dc, scene, outline, [&](const Gdiplus::Brush& tint) {
                    if (tintLayer && BlendTint(clipped, dc, scene.foreground, *tintLayer)) return Gdiplus::Ok;
                    return clipped.FillRectangle(&tint, bounds);
                });
                Note(clipped.GetLastStatus());
                return chartRegion;
            }
        }
    }

    // One pixel wider on every side, so that lines along the edge of the
    // chart are not cut in half.
    std::unique_ptr<Gdiplus::Region> widened(region.Clone());
    if (!widened) {
        Note(Gdiplus::OutOfMemory);
        return chartRegion;
    }
    for (const PointD& offset : scene.widenOffsets) {
        std::unique_ptr<Gdiplus::Region> moved(region.Clone());
        if (!moved) continue;
        Note(moved->Translate(static_cast<Gdiplus::REAL>(offset.x),
                              static_cast<Gdiplus::REAL>(offset.y)));
        Note(widened->Union(moved.get()));
    }
    Note(graphics.SetClip(widened.get()));
    // The tint is the clip filled, as on the screen: Wine's GDI+ fills a
    // region one row and one column short of the bitmap's edge, which put a
    // line of background across the chart where two bands of a printed page
    // met.
    StrokeGrid(graphics, nullptr, scene, outline, [&](const Gdiplus::Brush& tint) {
        Gdiplus::RectF bounds;
        const Gdiplus::Status status = widened->GetBounds(&bounds, &graphics);
        return status == Gdiplus::Ok ? graphics.FillRectangle(&tint, bounds) : status;
    });
    Note(graphics.ResetClip());
    return chartRegion;
}

template <class FillChart>
void CScenePainter::StrokeGrid(Gdiplus::Graphics& graphics, HDC dc, const ChartScene& scene,
                               const Gdiplus::GraphicsPath& outline, FillChart fillChart) {
    if (scene.hasForeground) {
        Gdiplus::SolidBrush tint{Gdiplus::Color(scene.foreground)};
        Note(fillChart(tint));
    }

    for (const SegmentFamily* family :
         {&scene.humidityRatio, &scene.isotherms, &scene.enthalpy}) {
        if (family->segments.empty()) continue;
        Gdiplus::GraphicsPath minor, major;
        for (const SceneSegment& segment : family->segments) {
            Gdiplus::GraphicsPath& path = segment.major ? major : minor;
            path.StartFigure();
            path.AddLine(ToPointF(segment.from), ToPointF(segment.to));
        }
        // Each kind on its own: GDI may take the minor lines and leave the
        // major ones (a wider pen, say) to GDI+, which must not draw the
        // minor ones a second time.
        const bool minorDone = dc && StrokeThinWithGdi(graphics, dc, family->segments, false, family->minorPen);
        const bool majorDone = dc && StrokeThinWithGdi(graphics, dc, family->segments, true, family->majorPen);
        Gdiplus::Pen minorPen(Gdiplus::Color(family->minorPen.color), family->minorPen.width);
        Gdiplus::Pen majorPen(Gdiplus::Color(family->majorPen.color), family->majorPen.width);
        if (!minorDone && minor.GetPointCount() > 0) {
            Note(graphics.DrawPath(&minorPen, &minor));
            ++m_gridPathStrokes;
        }
        if (!majorDone && major.GetPointCount() > 0) {
            Note(graphics.DrawPath(&majorPen, &major));
            ++m_gridPathStrokes;
        }
    }

    const CurveFamily& rh = scene.relativeHumidity;
    Gdiplus::GraphicsPath curves;
    for (const std::vector<PointD>& curve : rh.curves) {
        if (curve.size() < 2) continue;
        const std::vector<Gdiplus::PointF> points = ToPointsF(curve);
        curves.StartFigure();
        curves.AddCurve(points.data(), static_cast<INT>(points.size()), rh.tension);
    }
    if (curves.GetPointCount() > 0 && !(dc && StrokeCurvesThinWithGdi(graphics, dc, curves, rh.pen))) {
        Gdiplus::Pen pen(Gdiplus::Color(rh.pen.color), rh.pen.width);
        Note(graphics.DrawPath(&pen, &curves));
    }

    Gdiplus::Pen outlinePen(Gdiplus::Color(scene.outline.pen.color), scene.outline.pen.width);
    Note(graphics.DrawPath(&outlinePen, &outline));
}

void CScenePainter::PaintData(Gdiplus::Graphics& graphics, const DataLayer& layer,
                              HRGN chartRegion) {
    if (layer.hasBorder) {
        Gdiplus::Pen border(Gdiplus::Color(layer.borderPen.color), layer.borderPen.width);
        Note(graphics.DrawRectangle(&border, ToRectF(layer.border)));
    }

    // The region is in the device's pixels, as PaintChart answers it: on a
    // scaled page (a printer's) it must not be scaled a second time.
    auto clipToChart = [&] {
        if (chartRegion)
            Note(graphics.SetClip(chartRegion, Gdiplus::CombineModeReplace));
        else
            Note(graphics.ResetClip());
    };

    if (layer.hasCssr && !FillCssrWithGdi(graphics, layer, chartRegion)) {
        clipToChart();
        Gdiplus::SolidBrush cssr{Gdiplus::Color(layer.cssrColor)};
        Note(graphics.FillRectangle(&cssr, ToRectF(layer.cssr)));
    }

    Note(graphics.SetClip(ToRectF(layer.dataClip)));
    if (!layer.dots.empty() && !FillDotsWithGdi(graphics, layer)) {
        // One fill for all dots; winding keeps overlapping dots filled.
        Gdiplus::GraphicsPath dots(Gdiplus::FillModeWinding);
        for (const RectD& dot : layer.dots) dots.AddEllipse(ToRectF(dot));
        Gdiplus::SolidBrush brush{Gdiplus::Color(layer.dotColor)};
        Note(graphics.FillPath(&brush, &dots));
    }
    DrawTexts(graphics, layer.names, &layer.dataClip);

    clipToChart();
    if (!layer.lines.empty() && !StrokeLinesWithGdi(graphics, layer, chartRegion)) {
        Gdiplus::GraphicsPath lines;
        for (const SceneSegment& line : layer.lines) {
            lines.StartFigure();
            lines.AddLine(ToPointF(line.from), ToPointF(line.to));
        }
        Gdiplus::Pen pen(Gdiplus::Color(layer.linePen.color), layer.linePen.width);
        Note(graphics.DrawPath(&pen, &lines));
    }
    Note(graphics.ResetClip());
}

bool CScenePainter::PlainPage(const Gdiplus::Graphics& graphics) {
    Gdiplus::Matrix transform;
    return graphics.GetTransform(&transform) == Gdiplus::Ok && transform.IsIdentity() &&
           graphics.GetPageScale() == 1.0f &&
           (graphics.GetPageUnit() == Gdiplus::UnitDisplay || graphics.GetPageUnit() == Gdiplus::UnitPixel);
}

bool CScenePainter::HardEdges(const Gdiplus::Graphics& graphics, ArgbColor colour) {
    if ((colour >> 24) != 0xFF || !PlainPage(graphics)) return false;
    const Gdiplus::SmoothingMode mode = graphics.GetSmoothingMode();
    return mode == Gdiplus::SmoothingModeDefault || mode == Gdiplus::SmoothingModeNone ||
           mode == Gdiplus::SmoothingModeHighSpeed;
}

namespace {

// Whether dc's logical pixels are its device pixels, as a mask needs.
bool DevicePixels(HDC dc) {
    POINT windowOrigin{}, viewportOrigin{};
    return GetMapMode(dc) == MM_TEXT && GetWindowOrgEx(dc, &windowOrigin) &&
           GetViewportOrgEx(dc, &viewportOrigin) && windowOrigin.x == 0 && windowOrigin.y == 0 &&
           viewportOrigin.x == 0 && viewportOrigin.y == 0 && GetGraphicsMode(dc) == GM_COMPATIBLE;
}

// A DC that draws into the screen's pixels (a window or a bitmap), not one
// that records or prints.
bool Raster(HDC dc) {
    const DWORD kind = GetObjectType(dc);
    return (kind == OBJ_DC || kind == OBJ_MEMDC) && GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY;
}

// Whole device pixels that shapes within boxes can touch, cut to a rectangle.
struct Bounds {
    int left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};
Bounds BoundsOf(const std::vector<RectD>& boxes, int left, int top, int right, int bottom) {
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (const RectD& box : boxes) {
        minX = std::min(minX, box.x), minY = std::min(minY, box.y);
        maxX = std::max(maxX, box.x + box.width), maxY = std::max(maxY, box.y + box.height);
    }
    if (!(minX <= maxX && minY <= maxY)) return {0, 0, 0, 0};
    auto cut = [](double value, int low, int high) {
        return static_cast<int>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
    };
    return {cut(std::floor(minX) - 1.0, left, right), cut(std::floor(minY) - 1.0, top, bottom),
            cut(std::ceil(maxX) + 1.0, left, right), cut(std::ceil(maxY) + 1.0, top, bottom)};
}

COLORREF ToColorRef(ArgbColor colour) {
    return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// Where GDI+ puts a point of a path on the pixel grid: half a pixel added in
// double, floored in float.
LONG GdiplusRound(Gdiplus::REAL v) {
    return static_cast<LONG>(std::floor(static_cast<float>(static_cast<double>(v) + 0.5)));
}

}  // namespace

std::uint32_t PremultipliedPixel(ArgbColor colour) {
    const std::uint32_t alpha = colour >> 24;
    return alpha << 24 | (((colour >> 16) & 0xFF) * alpha / 255) << 16 | (((colour >> 8) & 0xFF) * alpha / 255) << 8 |
           ((colour & 0xFF) * alpha / 255);
}

// Wine's GDI+ fills ten thousand circles as one polygon set through region
// arithmetic, which takes well over a hundred milliseconds; the same circles
// covered pixel by pixel on the CPU and painted in one blit take a few.
bool CScenePainter::FillDotsWithGdi(Gdiplus::Graphics& graphics, const DataLayer& layer) {
    if (!HardEdges(graphics, layer.dotColor)) return false;
    for (const RectD& dot : layer.dots)
        if (dot.width != dot.height) return false;
    GraphicsDC gdi(graphics);
    HDC dc = gdi.Get();
    if (!dc || !DevicePixels(dc)) return false;
    const RectD& clip = layer.dataClip;
    const int left = static_cast<int>(std::lround(clip.x)), top = static_cast<int>(std::lround(clip.y));
    const int right = static_cast<int>(std::lround(clip.x + clip.width));
    const int bottom = static_cast<int>(std::lround(clip.y + clip.height));
    // The mask spans only the dots: a few of them on a large chart would
    // otherwise cost a blit of the whole chart.
    const Bounds dots = BoundsOf(layer.dots, left, top, right, bottom);
    if (dots.Empty()) return true;
    GdiMask mask(dots.left, dots.top, dots.right, dots.bottom);
    if (!mask.Ok()) return false;
    for (const RectD& dot : layer.dots)
        mask.FillCircle(dot.x + dot.width / 2.0, dot.y + dot.height / 2.0, dot.width / 2.0);
    IntersectClipRect(dc, left, top, right, bottom);
    if (!mask.Paint(dc, ToColorRef(layer.dotColor))) Note(Gdiplus::Win32Error);
    return true;
}

// A two-pixel pen makes Wine widen every segment into a region of its own and
// merge them all: a thousand process lines across the chart take a third of
// a second. The band a flat-capped pen sweeps is covered in a mask instead.
bool CScenePainter::StrokeLinesWithGdi(Gdiplus::Graphics& graphics, const DataLayer& layer,
                                       HRGN chartRegion) {
    if (!HardEdges(graphics, layer.linePen.color)) return false;
    GraphicsDC gdi(graphics);
    HDC dc = gdi.Get();
    if (!dc || !DevicePixels(dc)) return false;
    if (chartRegion && ExtSelectClipRgn(dc, chartRegion, RGN_AND) == ERROR) return false;
    RECT box{};
    if (GetClipBox(dc, &box) == ERROR) return false;
    if (box.right <= box.left || box.bottom <= box.top) return true;  // nothing visible
    std::vector<RectD> reach;
    const double half = layer.linePen.width / 2.0;
    for (const SceneSegment& line : layer.lines)
        reach.push_back({std::min(line.from.x, line.to.x) - half, std::min(line.from.y, line.to.y) - half,
                         std::fabs(line.to.x - line.from.x) + 2.0 * half, std::fabs(line.to.y - line.from.y) + 2.0 * half});
    const Bounds lines = BoundsOf(reach, box.left, box.top, box.right, box.bottom);
    if (lines.Empty()) return true;
    GdiMask mask(lines.left, lines.top, lines.right, lines.bottom);
    if (!mask.Ok()) return false;
    for (const SceneSegment& line : layer.lines)
        mask.FillSegment(line.from.x, line.from.y, line.to.x, line.to.y, layer.linePen.width);
    if (!mask.Paint(dc, ToColorRef(layer.linePen.color))) Note(Gdiplus::Win32Error);
    return true;
}

// Wine's GDI+ strokes even a one-pixel pen as a geometric GDI pen, which
// gathers every pixel of a diagonal into a region first: the enthalpy lines
// alone took twenty milliseconds of a rebuild. A cosmetic GDI pen draws the
// same one-pixel lines straight into the bitmap. Points are rounded to whole
// pixels as Wine's GDI+ rounds them.
bool CScenePainter::StrokeThinWithGdi(Gdiplus::Graphics& graphics, HDC dc,
                                      const std::vector<SceneSegment>& segments, bool major,
                                      const PenStyle& pen) {
    if (pen.width != 1.0f || !HardEdges(graphics, pen.color) || !DevicePixels(dc)) return false;
    std::vector<POINT> points;
    for (const SceneSegment& segment : segments) {
        if (segment.major != major) continue;
        for (const PointD& p : {segment.from, segment.to}) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > 1e7 || std::fabs(p.y) > 1e7)
                return false;
            points.push_back({static_cast<LONG>(std::floor(p.x + 0.5)), static_cast<LONG>(std::floor(p.y + 0.5))});
        }
    }
    if (points.empty()) return true;
    UniquePen gdiPen(CreatePen(PS_SOLID, 0, ToColorRef(pen.color)));
    if (!gdiPen) return false;
    // Whatever GDI+ queued must reach the DC before GDI draws over it.
    graphics.Flush(Gdiplus::FlushIntentionSync);
    SelectedObject selected(dc, gdiPen.Get());
    const std::vector<DWORD> counts(points.size() / 2, 2);
    if (!PolyPolyline(dc, points.data(), counts.data(), static_cast<DWORD>(counts.size())))
        Note(Gdiplus::Win32Error);
    return true;
}

// The relative-humidity curves are the same story as the straight grid
// lines: a one-pixel GDI+ pen is a geometric GDI pen, and Wine gathers the
// pixels of every flattened spline into a region before filling it - about
// seven milliseconds of a 1280 x 960 rebuild. GDI+ hands the path's own
// points, rounded to whole pixels, to PolyDraw; the same call with a
// cosmetic pen flattens the same Beziers and sets the same pixels straight
// into the bitmap.
bool CScenePainter::StrokeCurvesThinWithGdi(Gdiplus::Graphics& graphics, HDC dc,
                                            const Gdiplus::GraphicsPath& path, const PenStyle& pen) {
    // A metafile keeps GDI+'s geometric pen, which scales with the picture.
    if (pen.width != 1.0f || !HardEdges(graphics, pen.color) || !DevicePixels(dc) || !Raster(dc)) return false;
    const INT count = path.GetPointCount();
    if (count <= 0) return true;
    std::vector<Gdiplus::PointF> points(static_cast<size_t>(count));
    std::vector<BYTE> types(static_cast<size_t>(count));
    if (path.GetPathPoints(points.data(), count) != Gdiplus::Ok ||
        path.GetPathTypes(types.data(), count) != Gdiplus::Ok)
        return false;
    std::vector<POINT> rounded(points.size());
    std::vector<BYTE> kinds(types.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const Gdiplus::PointF& p = points[i];
        if (!std::isfinite(p.X) || !std::isfinite(p.Y) || std::fabs(p.X) > 1e7f || std::fabs(p.Y) > 1e7f)
            return false;
        rounded[i] = {GdiplusRound(p.X), GdiplusRound(p.Y)};
        switch (types[i] & Gdiplus::PathPointTypePathTypeMask) {
        case Gdiplus::PathPointTypeStart: kinds[i] = PT_MOVETO; break;
        case Gdiplus::PathPointTypeLine: kinds[i] = PT_LINETO; break;
        case Gdiplus::PathPointTypeBezier: kinds[i] = PT_BEZIERTO; break;
        default: return false;
        }
        if (types[i] & Gdiplus::PathPointTypeCloseSubpath) kinds[i] |= PT_CLOSEFIGURE;
    }
    UniquePen gdiPen(CreatePen(PS_SOLID, 0, ToColorRef(pen.color)));
    if (!gdiPen) return false;
    graphics.Flush(Gdiplus::FlushIntentionSync);
    SelectedObject selected(dc, gdiPen.Get());
    POINT previous{};
    MoveToEx(dc, 0, 0, &previous);
    if (!PolyDraw(dc, rounded.data(), kinds.data(), count)) Note(Gdiplus::Win32Error);
    MoveToEx(dc, previous.x, previous.y, nullptr);
    // GDI+'s stroke ends an open figure on its last pixel, where GDI's line
    // stops one short of it.
    const COLORREF colour = ToColorRef(pen.color);
    for (size_t i = 0; i < kinds.size(); ++i) {
        const bool last = i + 1 == kinds.size() || kinds[i + 1] == PT_MOVETO;
        if (last && !(kinds[i] & PT_CLOSEFIGURE)) SetPixelV(dc, rounded[i].x, rounded[i].y, colour);
    }
    return true;
}

// The translucent CSSR rectangle under a clip of the chart region: Wine's
// GDI+ turns the region into a path of its rectangles and back into a GDI
// region for the one fill, about a millisecond of every paint. The fill
// itself is a one-pixel bitmap of the premultiplied colour stretched over
// the clip box and alpha-blended, which GDI does here the same way with the
// region as it is. The rectangle's corners are rounded as GDI+ rounds the
// points of its path, in single precision.
bool CScenePainter::FillCssrWithGdi(Gdiplus::Graphics& graphics, const DataLayer& layer, HRGN chartRegion) {
    const ArgbColor colour = layer.cssrColor;
    const unsigned alpha = colour >> 24;
    if (!chartRegion || alpha == 0 || alpha == 0xFF || !PlainPage(graphics)) return false;
    const Gdiplus::RectF rect = ToRectF(layer.cssr);
    if (!std::isfinite(rect.X) || !std::isfinite(rect.Y) || !std::isfinite(rect.Width) ||
        !std::isfinite(rect.Height))
        return false;
    const Gdiplus::REAL right = rect.X + rect.Width, bottom = rect.Y + rect.Height;
    if (std::fabs(rect.X) > 1e7f || std::fabs(rect.Y) > 1e7f || std::fabs(right) > 1e7f || std::fabs(bottom) > 1e7f)
        return false;
    const LONG left = GdiplusRound(rect.X), top = GdiplusRound(rect.Y), r = GdiplusRound(right),
               b = GdiplusRound(bottom);
    if (left >= r || top >= b) return false;
    GraphicsDC gdi(graphics);
    HDC dc = gdi.Get();
    if (!dc || !DevicePixels(dc) || !Raster(dc)) return false;
    if (ExtSelectClipRgn(dc, chartRegion, RGN_AND) == ERROR) return false;
    if (IntersectClipRect(dc, left, top, r, b) == ERROR) return false;
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == ERROR) return false;
    if (kind == NULLREGION) return true;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap pixel(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC source(CreateCompatibleDC(nullptr));
    if (!pixel || !bits || !source) return false;
    *static_cast<std::uint32_t*>(bits) = PremultipliedPixel(colour);
    SelectedObject selected(source.Get(), pixel.Get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
    if (!GdiAlphaBlend(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, source.Get(), 0, 0, 1, 1,
                       blend))
        Note(Gdiplus::Win32Error);
    return true;
}

// Wine's GDI+ fills a translucent rectangle by stretching a one-pixel bitmap
// of the premultiplied colour over the clip box and alpha-blending it there:
// the stretch alone is a bitmap of the whole chart made for every rebuild.
// The same blend from a layer that already holds that colour everywhere
// gives the same pixels.
bool CScenePainter::BlendTint(Gdiplus::Graphics& graphics, HDC dc, ArgbColor colour, const TintLayer& layer) {
    const unsigned alpha = colour >> 24;
    if (alpha == 0 || alpha == 0xFF || layer.colour != colour || !layer.dc || !PlainPage(graphics) ||
        !DevicePixels(dc))
        return false;
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind == ERROR) return false;
    if (kind == NULLREGION || box.right <= box.left || box.bottom <= box.top) return true;
    if (box.left < 0 || box.top < 0 || box.right > layer.width || box.bottom > layer.height) return false;
    graphics.Flush(Gdiplus::FlushIntentionSync);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 0xFF, AC_SRC_ALPHA};
    const int width = box.right - box.left, height = box.bottom - box.top;
    if (!GdiAlphaBlend(dc, box.left, box.top, width, height, layer.dc, box.left, box.top, width, height, blend))
        Note(Gdiplus::Win32Error);
    return true;
}

// Wine's GDI+ lays every string out on its own before handing it to GDI,
// about a fifth of a millisecond per DrawString: thousands of names took
// most of a second. Plain texts therefore go
// straight to GDI on the same DC with the face GDI+ itself would use, placed
// by GDI+'s own layout rules; the rest (centred along the line, translucent
// or multi-line) stays with GDI+. Vertical titles go through GDI as well,
// with the face turned: Wine's GDI+ turns them the wrong way round on a
// device bitmap. Order is kept text by text.
void CScenePainter::DrawTexts(Gdiplus::Graphics& graphics, const std::vector<SceneText>& texts,
                              const RectD* clip) {
    const bool plainPage = PlainPage(graphics);
    const bool unclipped = !clip && [&] {
        Gdiplus::Region current;
        return graphics.GetClip(&current) == Gdiplus::Ok && current.IsInfinite(&graphics);
    }();
    const bool useGdi = plainPage && (clip || unclipped);

    std::optional<GraphicsDC> gdi;
    HFONT selected = nullptr;
    COLORREF colour = CLR_INVALID;
    for (const SceneText& text : texts) {
        const CFontCache::GdiFace* face = useGdi ? GdiFaceFor(graphics, text) : nullptr;
        if (!face) {
            gdi.reset();
            selected = nullptr;
            colour = CLR_INVALID;
            DrawText(graphics, text);
            continue;
        }
        if (!gdi) {
            gdi.emplace(graphics);
            HDC dc = gdi->Get();
            if (!dc) {
                gdi.reset();
                DrawText(graphics, text);
                continue;
            }
            SetBkMode(dc, TRANSPARENT);
            SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
            if (clip)
                IntersectClipRect(dc, static_cast<int>(std::lround(clip->x)),
                                  static_cast<int>(std::lround(clip->y)),
                                  static_cast<int>(std::lround(clip->x + clip->width)),
                                  static_cast<int>(std::lround(clip->y + clip->height)));
        }
        HDC dc = gdi->Get();
        const HFONT font = text.format.vertical ? face->turned.Get() : face->font.Get();
        if (font != selected) {
            SelectObject(dc, font);
            selected = font;
        }
        const COLORREF wanted = RGB((text.color >> 16) & 0xFF, (text.color >> 8) & 0xFF, text.color & 0xFF);
        if (wanted != colour) {
            SetTextColor(dc, wanted);
            colour = wanted;
        }
        // The line box is aligned in a rectangle of no height: its top sits
        // at the anchor, or half a line or a whole line above it. A vertical
        // text is the same line turned a quarter clockwise about the anchor,
        // its column left of the anchor when it runs right to left (see
        // DrawText).
        TextFormat::Align across = text.format.lineAlignment;
        if (text.format.vertical)
            across = text.format.rightToLeft ? TextFormat::Align::Near : TextFormat::Align::Far;
        double top = 0.0;
        if (across == TextFormat::Align::Center) top -= face->lineHeight / 2.0;
        else if (across == TextFormat::Align::Far) top -= face->lineHeight;
        const double along = face->leading, baseline = top + face->ascent;
        const double px = text.format.vertical ? text.layout.x - baseline : text.layout.x + along;
        const double py = text.format.vertical ? text.layout.y + along : text.layout.y + baseline;
        const int x = static_cast<int>(std::floor(px + 0.5));
        const int y = static_cast<int>(std::floor(py + 0.5));
        if (!ExtTextOutW(dc, x, y, 0, nullptr, text.text.c_str(), static_cast<UINT>(text.text.size()),
                         nullptr))
            Note(Gdiplus::Win32Error);
    }
}

const CFontCache::GdiFace* CScenePainter::GdiFaceFor(const Gdiplus::Graphics& graphics,
                                                     const SceneText& text) {
    if (text.text.empty() || (text.color >> 24) != 0xFF) return nullptr;
    // Right to left only ever comes with vertical text, where it places the
    // column rather than ordering the characters.
    if ((text.format.rightToLeft && !text.format.vertical) ||
        text.format.alignment != TextFormat::Align::Near)
        return nullptr;
    if (text.layout.width != 0.0 || text.layout.height != 0.0) return nullptr;
    if (text.text.find_first_of(L"\r\n\t") != std::wstring::npos) return nullptr;
    return m_fonts.GetGdi(text.font, graphics);
}

void CScenePainter::DrawText(Gdiplus::Graphics& graphics, const SceneText& text) {
    if (text.text.empty()) return;
    const Gdiplus::Font* font = m_fonts.Get(text.font);
    if (!font) {
        Note(Gdiplus::FontFamilyNotFound);
        return;
    }
    Gdiplus::StringFormat format;
    format.SetAlignment(ToAlignment(text.format.alignment));
    format.SetLineAlignment(ToAlignment(text.format.lineAlignment));
    if (text.format.noWrap) format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    Gdiplus::SolidBrush brush{Gdiplus::Color(text.color)};
    const INT length = static_cast<INT>(text.text.size());

    if (!text.format.vertical) {
        if (text.format.rightToLeft) format.SetFormatFlags(Gdiplus::StringFormatFlagsDirectionRightToLeft);
        Note(graphics.DrawString(text.text.c_str(), length, font, ToRectF(text.layout), &format,
                                 &brush));
        return;
    }
    // Vertical text: the line runs down from the layout corner with its glyphs
    // turned a quarter clockwise; right-to-left puts the column left of the
    // corner, otherwise right of it. Wine's GDI+ lays vertical formats out
    // horizontally, so the turn is made here and reads alike everywhere.
    const Gdiplus::GraphicsState saved = graphics.Save();
    Note(graphics.TranslateTransform(static_cast<Gdiplus::REAL>(text.layout.x),
                                     static_cast<Gdiplus::REAL>(text.layout.y)));
    Note(graphics.RotateTransform(90.0f));
    format.SetLineAlignment(text.format.rightToLeft ? Gdiplus::StringAlignmentNear
                                                    : Gdiplus::StringAlignmentFar);
    const Gdiplus::RectF turned(0.0f, 0.0f, static_cast<Gdiplus::REAL>(text.layout.height),
                                static_cast<Gdiplus::REAL>(text.layout.width));
    Note(graphics.DrawString(text.text.c_str(), length, font, turned, &format, &brush));
    Note(graphics.Restore(saved));
}

}  // namespace humichart
