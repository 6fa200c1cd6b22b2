#include "WorkingLists.h"

#include <map>
#include <unordered_map>
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
    const std::vector<std::wstring> items = ListItems(view, nameBox);
    const int found = FindExact(items, text);
    if (found >= 0) {
        nameIsNew = false;
        // The typing aid finds "a" for "A"; a name is the item's own only
        // when no other item carries it exactly.
        bool carriedElsewhere = false;
        for (std::size_t k = 0; k < items.size(); ++k)
            carriedElsewhere = carriedElsewhere || (static_cast<int>(k) != selectedIndex && items[k] == text);
        nameUsable = found == selectedIndex && !carriedElsewhere;
    } else if (text.empty()) {
        nameUsable = false;
    } else {
        nameIsNew = true;
        nameUsable = true;
    }
}

void MergeWorkingPoints(std::vector<StatePoint>& chart, const std::vector<StatePoint>& working, bool keepUnnamed) {
    // The k-th point of a name in working is the k-th point of that name in
    // the chart: a name that two points share never merges their data. With
    // unique names this is the lookup by name. By map rather than FindPoint
    // per point: a chart of thousands of points is written back at once.
    std::unordered_map<std::wstring, std::size_t> wanted;
    for (const StatePoint& point : working)
        if (!point.name.empty()) ++wanted[point.name];
    std::unordered_map<std::wstring, std::size_t> kept;
    std::erase_if(chart, [&](const StatePoint& point) {
        if (point.name.empty()) return !keepUnnamed;
        const auto found = wanted.find(point.name);
        return found == wanted.end() || ++kept[point.name] > found->second;
    });
    std::unordered_map<std::wstring, std::vector<std::size_t>> places;
    for (std::size_t k = 0; k < chart.size(); ++k)
        if (!chart[k].name.empty()) places[chart[k].name].push_back(k);
    std::unordered_map<std::wstring, std::size_t> used;
    for (const StatePoint& point : working) {
        if (!point.name.empty()) {
            const auto found = places.find(point.name);
            std::size_t& next = used[point.name];
            if (found != places.end() && next < found->second.size()) {
                chart[found->second[next++]] = point;
                continue;
            }
        }
        chart.push_back(point);
    }
}

void ApplyWorkingPoints(CHumichartDataObj& chart, const std::vector<StatePoint>& working,
                        const std::vector<std::wstring>& origins, bool keepUnnamed) {
    std::unordered_set<std::wstring> kept;
    std::map<std::wstring, std::wstring> renamed;
    for (std::size_t k = 0; k < working.size() && k < origins.size(); ++k) {
        if (origins[k].empty()) continue;
        kept.insert(origins[k]);
        if (working[k].name != origins[k]) renamed.emplace(origins[k], working[k].name);
    }
    // A name the dialog deleted may be taken by a point it renamed: the
    // deleted point's records go before the renamed one's take that name.
    const auto deleted = [&](const std::wstring& name) { return !name.empty() && !kept.count(name); };
    std::erase_if(chart.processes, [&](const TransferProcess& p) { return deleted(p.ptStart) || deleted(p.ptEnd); });
    std::erase_if(chart.mixes, [&](const MixProcess& m) {
        return deleted(m.ptFresh) || deleted(m.ptReturn) || deleted(m.ptMix);
    });
    RenamePointReferences(chart, renamed);
    MergeWorkingPoints(chart.points, working, keepUnnamed);
    DropDanglingRecords(chart);
}

void CopyNamedPoints(const CHumichartDataObj& chart, std::vector<StatePoint>& working,
                     std::vector<std::wstring>& origins) {
    working.clear();
    origins.clear();
    for (const StatePoint& point : chart.points) {
        if (point.name.empty()) continue;
        working.push_back(point);
        origins.push_back(point.name);
    }
}

}  // namespace humichart
