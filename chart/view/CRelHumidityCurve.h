// One relative-humidity curve being sampled: the points so far, and the edge
// rules that end it at the right edge or the top of the chart area and place
// its labels there.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ChartPalette.h"
#include "ChartScene.h"
#include "GridContext.h"
#include "MakeText.h"

namespace humichart {

class CRelHumidityCurve {
public:
    CRelHumidityCurve(const GridContext& ctx, ChartScene& scene, std::int32_t perMille)
        : m_ctx(ctx), m_scene(scene), m_labelled(perMille % 100 == 0),
          m_label(std::to_wstring(perMille / 10)) {
        m_right = std::min(ctx.area.Right(), ctx.plot.Right());
        m_bottom = std::min(ctx.area.Bottom(), ctx.plot.Bottom());
    }

    std::vector<PointD>& Points() { return m_points; }
    bool Ended() const { return m_ended; }

    void Add(PointD p) {
        const PointD last = m_points.back();
        bool atRight = false;
        // A sample capped at Dmax lands exactly on the edge when the whole
        // width is visible; it has reached the edge too and gets its label.
        if (p.x >= m_right) {
            const double y = p.x == last.x ? p.y
                             : last.y + (m_right - last.x) * (p.y - last.y) / (p.x - last.x);
            p = {m_right, y};
            atRight = true;
            if (m_ctx.plot.y < y && y < m_bottom && m_labelled)
                Label(m_right + Px(2.0), y - Px(6.0));
        }
        const double top = m_ctx.area.y;
        if (p.y <= top) {
            const double x = p.y == last.y ? p.x
                             : last.x + (top - last.y) * (p.x - last.x) / (p.y - last.y);
            m_points.push_back({x, top});
            m_ended = true;
            if (x >= m_ctx.area.x + Px(4.0) && m_labelled) Label(x - Px(4.0), top + Px(2.0));
            return;
        }
        m_points.push_back(p);
        // Past the right edge every later sample would land on the same spot.
        if (atRight) m_ended = true;
    }

private:
    double Px(double length) const { return m_ctx.view.Px(length); }
    void Label(double x, double y) {
        m_scene.texts.push_back(MakeText(m_label, x, y, palette::kOlive, m_ctx.view.Font(palette::LabelFont())));
    }

    const GridContext& m_ctx;
    ChartScene& m_scene;
    bool m_labelled;
    std::wstring m_label;
    double m_right = 0.0;
    double m_bottom = 0.0;
    std::vector<PointD> m_points;
    bool m_ended = false;
};

}  // namespace humichart
