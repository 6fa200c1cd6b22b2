#include "NameEditorRules.h"

namespace humichart {

bool ApplyEditedName(CHumichartDataObj& data, const std::wstring& text) {
    if (text.empty() || data.points.empty() || data.FindPoint(text)) return false;
    data.points.back().name = text;
    return true;
}

}  // namespace humichart
