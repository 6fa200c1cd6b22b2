#include "DialogTexts.h"

#include "DataIODialogsResource.h"
#include "PointDialogsResource.h"
#include "ProcessDialogsResource.h"

namespace humichart {

namespace {

struct Text {
    int id;
    const wchar_t* english;
};

// The English texts, as the resource scripts hold them.
constexpr Text kEnglish[] = {
    {IDS_SLOT_EMPTY, L"(empty)"},
    {IDS_SLOT_DAMAGED, L"(cannot be read)"},
    {IDS_SLOT_READ_EMPTY, L"Storage slot %1 is empty."},
    {IDS_SLOT_READ_DAMAGED, L"The file of storage slot %1 cannot be read."},
    {IDS_SLOT_REPLACE,
     L"Storage slot %1 holds a chart of %2 points, %3 processes and %4 mixes (%5).\n\nReplace it with this one?"},
    {IDS_POINTS_DELETE_RECORDS, L"Point \"%1\" is named by %2 processes and %3 mixes, which go with it."},
    {IDS_MIX_FEEDS_ITSELF,
     L"The mix point \"%1\" would feed its own mix. \n\nPlease choose other fresh and return points."},
};

}  // namespace

std::wstring DialogText(int id, const TextSource& texts) {
    if (texts) {
        std::wstring text = texts(id);
        if (!text.empty()) return text;
    }
    for (const Text& t : kEnglish)
        if (t.id == id) return t.english;
    return {};
}

}  // namespace humichart
