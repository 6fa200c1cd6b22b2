#include "WorkingLists.h"

#include <unordered_set>

#include "TypedText.h"

namespace humichart {

int FindWorkingPoint(const std::vector<StatePoint>& points, const std::wstring& name) {
    if (name.empty()) return -1;
    for (std::size_t k = 0; k < points.size(); ++k)
        if (points[k].name == name) return static_cast<int>(k);
    return -1;
}

std::vector<std::wstring> ListItems(IDialogView& view, int id) {
    const int count = view.ItemCount(id);
    std::vector<std::wstring> items;
    items.reserve(count > 0 ? count : 0);
    for (int k = 0; k < count; ++k) items.push_back(view.ItemText(id, k));
    return items;
}

void ReplaceItem(IDialogView& view, int id, int index, const std::wstring& text) {
    view.DeleteItem(id, index);
    view.InsertItem(id, index, text);
}

void ApplyNameRule(IDialogView& view, int nameBox, int selectedIndex, bool& nameIsNew, bool& nameUsable) {
    const std::wstring text = view.Text(nameBox);
    const int found = FindExact(ListItems(view, nameBox), text);
    if (found >= 0) {
        nameIsNew = false;
        nameUsable = found == selectedIndex;
    } else if (text.empty()) {
        nameUsable = false;
    } else {
        nameIsNew = true;
        nameUsable = true;
    }
}

void ApplyWorkingPoints(CHumichartDataObj& chart, const std::vector<StatePoint>& working) {
    // By set rather than by FindPoint per chart point: a chart of thousands of
    // points is written back at once.
    std::unordered_set<std::wstring> names;
    for (const StatePoint& point : working)
        if (!point.name.empty()) names.insert(point.name);
    std::erase_if(chart.points, [&](const StatePoint& point) { return point.name.empty() || !names.count(point.name); });
    for (const StatePoint& point : working) {
        if (StatePoint* existing = chart.FindPoint(point.name)) *existing = point;
        else chart.points.push_back(point);
    }
}

}  // namespace humichart
