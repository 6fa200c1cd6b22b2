#include "CScenePainter.h"

#include <memory>

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

}  // namespace

void CScenePainter::Note(Gdiplus::Status status) {
    if (status != Gdiplus::Ok && m_failure == Gdiplus::Ok) m_failure = status;
}

UniqueRegion CScenePainter::PaintImage(Gdiplus::Graphics& graphics, const ChartScene& scene) {
    if (scene.fillBackground) {
        Gdiplus::SolidBrush background{Gdiplus::Color(scene.background)};
        Note(graphics.FillRectangle(&background, 0, 0, scene.clientWidth, scene.clientHeight));
    }
    if (scene.hasCaption) DrawText(graphics, scene.caption);
    return PaintChart(graphics, scene);
}

UniqueRegion CScenePainter::PaintChart(Gdiplus::Graphics& graphics, const ChartScene& scene) {
    // Titles and labels sit outside the chart and are drawn before any clip.
    DrawTexts(graphics, scene.texts);

    Gdiplus::GraphicsPath outline;
    AddOutline(outline, scene.outline);
    Gdiplus::Region region(&outline);
    Note(region.Intersect(ToRectF(scene.regionBounds)));
    UniqueRegion chartRegion(region.GetHRGN(&graphics));
    Note(region.GetLastStatus());

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

    if (scene.hasForeground) {
        Gdiplus::SolidBrush tint{Gdiplus::Color(scene.foreground)};
        Note(graphics.FillRegion(&tint, widened.get()));
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
        Gdiplus::Pen minorPen(Gdiplus::Color(family->minorPen.color), family->minorPen.width);
        Gdiplus::Pen majorPen(Gdiplus::Color(family->majorPen.color), family->majorPen.width);
        if (minor.GetPointCount() > 0) Note(graphics.DrawPath(&minorPen, &minor));
        if (major.GetPointCount() > 0) Note(graphics.DrawPath(&majorPen, &major));
    }

    const CurveFamily& rh = scene.relativeHumidity;
    Gdiplus::GraphicsPath curves;
    for (const std::vector<PointD>& curve : rh.curves) {
        if (curve.size() < 2) continue;
        const std::vector<Gdiplus::PointF> points = ToPointsF(curve);
        curves.StartFigure();
        curves.AddCurve(points.data(), static_cast<INT>(points.size()), rh.tension);
    }
    if (curves.GetPointCount() > 0) {
        Gdiplus::Pen pen(Gdiplus::Color(rh.pen.color), rh.pen.width);
        Note(graphics.DrawPath(&pen, &curves));
    }

    Gdiplus::Pen outlinePen(Gdiplus::Color(scene.outline.pen.color), scene.outline.pen.width);
    Note(graphics.DrawPath(&outlinePen, &outline));
    Note(graphics.ResetClip());
    return chartRegion;
}

void CScenePainter::PaintData(Gdiplus::Graphics& graphics, const DataLayer& layer,
                              HRGN chartRegion) {
    if (layer.hasBorder) {
        Gdiplus::Pen border(Gdiplus::Color(layer.borderPen.color), layer.borderPen.width);
        Note(graphics.DrawRectangle(&border, ToRectF(layer.border)));
    }

    std::unique_ptr<Gdiplus::Region> chart;
    if (chartRegion) chart = std::make_unique<Gdiplus::Region>(chartRegion);
    auto clipToChart = [&] {
        if (chart)
            Note(graphics.SetClip(chart.get()));
        else
            Note(graphics.ResetClip());
    };

    clipToChart();
    if (layer.hasCssr) {
        Gdiplus::SolidBrush cssr{Gdiplus::Color(layer.cssrColor)};
        Note(graphics.FillRectangle(&cssr, ToRectF(layer.cssr)));
    }

    Note(graphics.SetClip(ToRectF(layer.dataClip)));
    if (!layer.dots.empty()) {
        // One fill for all dots; winding keeps overlapping dots filled.
        Gdiplus::GraphicsPath dots(Gdiplus::FillModeWinding);
        for (const RectD& dot : layer.dots) dots.AddEllipse(ToRectF(dot));
        Gdiplus::SolidBrush brush{Gdiplus::Color(layer.dotColor)};
        Note(graphics.FillPath(&brush, &dots));
    }
    DrawTexts(graphics, layer.names);

    clipToChart();
    if (!layer.lines.empty()) {
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

void CScenePainter::DrawTexts(Gdiplus::Graphics& graphics, const std::vector<SceneText>& texts) {
    for (const SceneText& text : texts) DrawText(graphics, text);
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
