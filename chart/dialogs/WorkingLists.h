// What the process and mix dialogs share about their working copies: points
// looked up by exact name, the pair rule over a list, the name rule of the
// process name box, and writing the working points back into the chart.
#pragma once

#include <string>
#include <vector>

#include "CHumichartDataObj.h"
#include "IDialogView.h"

namespace humichart {

// First point named name exactly; -1 when none (an empty name finds none).
int FindWorkingPoint(const std::vector<StatePoint>& points, const std::wstring& name);

// The items of a list as texts, for the combo box's exact-match search.
std::vector<std::wstring> ListItems(IDialogView& view, int id);
// Item index of a list gets text; a selection of that item is lost.
void ReplaceItem(IDialogView& view, int id, int index, const std::wstring& text);

// The name rule: the name box's text looked up in its list. Found: a name of
// an item other than the selected one cannot be used. Not found: usable and
// new unless empty.
void ApplyNameRule(IDialogView& view, int nameBox, int selectedIndex, bool& nameIsNew, bool& nameUsable);

// Chart points without a counterpart of the same name in working are removed
// (every unnamed point with them); each working point then overwrites the
// chart point that carries its name, or is appended.
void ApplyWorkingPoints(CHumichartDataObj& chart, const std::vector<StatePoint>& working);

}  // namespace humichart
