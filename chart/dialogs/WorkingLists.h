// What the process and mix dialogs share about their working copies: points
// looked up by exact name, the pair rule over a list, the name rule of the
// process name box, and writing the working points back into the chart.
#pragma once

#include <string>
#include <vector>

#include "CHumichartDataObj.h"
#include "PointReferences.h"
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

// Writes a dialog's working points back into the chart's: a named chart
// point without a counterpart in working is removed (unnamed ones too unless
// keepUnnamed); the k-th working point of a name overwrites the k-th chart
// point of that name, or is appended when the chart has fewer. Names are
// compared exactly, so two points of one name stay two points.
void MergeWorkingPoints(std::vector<StatePoint>& chart, const std::vector<StatePoint>& working, bool keepUnnamed);
// A dialog's write-back of its working points, references and all. origins[k]
// is the chart name working point k was copied from (empty for a point made
// in the dialog). The processes and mixes that name a chart point the dialog
// deleted go with it; those that name a point it renamed take the new name;
// then the points are merged as MergeWorkingPoints does.
void ApplyWorkingPoints(CHumichartDataObj& chart, const std::vector<StatePoint>& working,
                        const std::vector<std::wstring>& origins, bool keepUnnamed);
// The working copy of the chart's named points, in order, and their origins.
void CopyNamedPoints(const CHumichartDataObj& chart, std::vector<StatePoint>& working,
                     std::vector<std::wstring>& origins);

}  // namespace humichart
