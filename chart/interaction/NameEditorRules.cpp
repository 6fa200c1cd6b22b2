#include "NameEditorRules.h"

namespace humichart {

namespace {

bool IsPlaced(const StatePoint& point, const PlacedPoint& placed) {
    return point.name.empty() && point.I == placed.I && point.D == placed.D;
}

}  // namespace

bool ApplyEditedName(CHumichartDataObj& data, const std::wstring& text, const PlacedPoint& placed) {
    if (text.empty() || data.FindPoint(text)) return false;
    auto& points = data.points;
    std::size_t k = placed.index;
    if (k >= points.size() || !IsPlaced(points[k], placed)) {
        k = points.size();
        while (k > 0 && !IsPlaced(points[k - 1], placed)) --k;
        if (k == 0) return false;
        --k;
    }
    points[k].name = text;
    return true;
}

bool ApplyEditedName(CHumichartDataObj& data, const std::wstring& text) {
    if (data.points.empty()) return false;
    const StatePoint& last = data.points.back();
    return ApplyEditedName(data, text, {data.points.size() - 1, last.I, last.D});
}

}  // namespace humichart
