#include "CIDProp.h"

#include "PointDialogsResource.h"

namespace humichart {

CIDProp::CIDProp(IChartDocument& chart) : CRulesDialog(IDD_GRAPH_PROPERTY), m_rules(chart, View()) {}

}  // namespace humichart
