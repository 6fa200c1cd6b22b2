#include "CChartSceneBuilder.h"

#include <memory>
#include <utility>

#include "CCalcError.h"
#include "CEnthalpyGrid.h"
#include "CHumidityRatioGrid.h"
#include "CIsothermGrid.h"
#include "CRelHumidityGrid.h"
#include "CSaturationOutline.h"
#include "ChartPalette.h"

namespace humichart {

namespace {

// Short enough for two lines of client height / 8 points across a 4:3 window.
const wchar_t kCaptionText[] = L"Humichart\nHumi team";

}  // namespace

Status CChartSceneBuilder::BuildImage(CChartView& view, bool captionVisible, ChartScene& scene) {
    ChartScene built;
    const Status status = BuildChart(view, built);
    if (!Succeeded(status)) return status;

    built.fillBackground = true;
    built.background =
        view.Data().HasBackground ? palette::kBackgroundTinted : palette::kBackgroundWhite;
    built.hasCaption = captionVisible;
    if (captionVisible) {
        SceneText& caption = built.caption;
        caption.text = kCaptionText;
        caption.layout = {0.0, 0.0, static_cast<double>(view.clientWidth),
                          static_cast<double>(view.clientHeight)};
        // In points, which the device already turns into more pixels on a
        // denser display: sized by the client height at 96 dpi, it keeps its
        // share of the window.
        caption.font = palette::CaptionFont(view.Dpi() == CChartView::kBaseDpi
                                                ? view.clientHeight
                                                : static_cast<int>(view.clientHeight / view.Px(1.0)));
        caption.color = palette::kCaption;
        caption.format.alignment = TextFormat::Align::Center;
        caption.format.lineAlignment = TextFormat::Align::Center;
        // Wrapped within the client width, so that a narrow window keeps it.
    }
    scene = std::move(built);
    return kStatusOk;
}

Status CChartSceneBuilder::BuildChart(CChartView& view, ChartScene& scene) {
    const CHumichartDataObj& data = view.Data();
    std::unique_ptr<ICalcSession> session;
    const Status opened = m_calc.Open(data.airPressure, session);
    if (!Succeeded(opened)) return opened;
    if (!session) return kStatusFail;

    view.UpdatePlotRect();
    view.ApplyViewReset();

    ChartScene built;
    built.clientWidth = view.clientWidth;
    built.clientHeight = view.clientHeight;
    GridContext ctx{view,
                    *session,
                    view.GetRange(),
                    view.PlotRect(),
                    view.ChartArea(),
                    view.VisibleArea(),
                    view.ClipRect(),
                    view.StepCodeD(),
                    view.StepCodeT()};
    built.plot = ctx.plot;
    built.visible = ctx.visible;
    built.clip = ctx.clip;
    built.stepD = ctx.a;
    built.stepT = ctx.t;
    built.stepRH = view.StepCodeRH();

    try {
        if (data.HasDLine) CHumidityRatioGrid::Build(ctx, built);
        if (data.HasTLine) CIsothermGrid::Build(ctx, built);
        if (data.HasILine) CEnthalpyGrid::Build(ctx, built);
        if (data.HasFLine) CRelHumidityGrid::Build(ctx, built);
        CSaturationOutline::Build(ctx, built);
    } catch (const CCalcError& error) {
        return error.GetStatus();
    }

    // The outline's pen reaches half its width beyond the figure it strokes.
    const double half = built.outline.pen.width / 2.0;
    built.regionBounds = {ctx.plot.x - half, ctx.plot.y - half, ctx.plot.width + 2.0 * half,
                          ctx.plot.height + 2.0 * half};
    built.widenOffsets = {PointD{half, half}, PointD{-half, -half}, PointD{half, -half}, PointD{-half, half}};
    built.hasForeground = data.HasForeground != 0;
    built.foreground = palette::kForeground;
    scene = std::move(built);
    return kStatusOk;
}

}  // namespace humichart
