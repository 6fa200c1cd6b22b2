// FindPoint for many lines at once: the first point of each name, found in
// constant time, so that a paint stays linear in the size of the lists. Valid
// while the point list is not changed.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "StatePoint.h"

namespace humichart {

class CPointIndex {
public:
    explicit CPointIndex(const std::vector<StatePoint>& points) {
        m_first.reserve(points.size());
        for (const StatePoint& point : points)
            if (!point.name.empty()) m_first.emplace(point.name, &point);
    }
    const StatePoint* Find(const std::wstring& name) const {
        const auto found = m_first.find(name);
        return found == m_first.end() ? nullptr : found->second;
    }

private:
    std::unordered_map<std::wstring, const StatePoint*> m_first;
};


}  // namespace humichart
