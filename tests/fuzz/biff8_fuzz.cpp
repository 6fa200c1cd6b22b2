// libFuzzer target for the workbook reader: the input as a whole .xls file
// (compound file, then BIFF8) and as a bare Workbook stream. Beyond not
// crashing, what the reader promises: a refused stream leaves no sheet behind
// and says why; an accepted one, written again, reads back to the same cells
// (up to what the writer documents it changes). An accepted workbook is read
// as a chart document as well: what it gives, saved as a document and read
// again, is the same chart.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Biff8.h"
#include "CompoundFile.h"
#include "DocumentLayout.h"
#include "UserDataChange.h"
#include "Utf16.h"

namespace {

using namespace humichart;

[[noreturn]] void Broken(const char* what) {
    std::fprintf(stderr, "workbook reader property broken: %s\n", what);
    std::abort();
}

std::wstring Cut(const std::wstring& text, std::size_t limit) {
    std::u16string units = ToUtf16(text);
    if (units.size() > limit) {
        units.resize(limit);
        if (units.back() >= 0xD800 && units.back() < 0xDC00) units.pop_back();
    }
    return FromUtf16(units);
}

// The workbook as the writer stores it: long texts and names cut, a number
// that is not finite as #NUM!, a truth value as 0 or 1.
Workbook AsWritten(Workbook book) {
    for (Sheet& sheet : book.sheets) {
        sheet.name = Cut(sheet.name, kBiff8MaxSheetName);
        for (auto& [at, cell] : sheet.cells) {
            if (cell.kind == Cell::Kind::Text) cell.text = Cut(cell.text, kBiff8MaxTextLength);
            if (cell.kind == Cell::Kind::Boolean) cell.number = cell.number != 0;
            if (cell.kind == Cell::Kind::Number && !std::isfinite(cell.number)) cell = Cell{Cell::Kind::Error, 36.0, {}};
        }
    }
    return book;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool Same(const Workbook& a, const Workbook& b) {
    if (a.sheets.size() != b.sheets.size()) return false;
    for (std::size_t s = 0; s < a.sheets.size(); ++s) {
        const Sheet &x = a.sheets[s], &y = b.sheets[s];
        if (x.name != y.name || x.cells.size() != y.cells.size()) return false;
        for (auto i = x.cells.begin(), j = y.cells.begin(); i != x.cells.end(); ++i, ++j)
            if (i->first != j->first || i->second.kind != j->second.kind || i->second.text != j->second.text ||
                !SameBits(i->second.number, j->second.number))
                return false;
    }
    return true;
}

void Check(const std::uint8_t* data, std::size_t size) {
    Workbook workbook{{Sheet{L"before", {}}}};
    std::wstring error;
    if (!ReadBiff8(data, size, workbook, error)) {
        if (!workbook.sheets.empty()) Broken("a refused stream left sheets");
        if (error.empty()) Broken("a refused stream without a message");
        return;
    }
    DocumentContent content;
    std::optional<DataFault> trailing;
    std::optional<DocumentFault> fault;
    if (ReadDocument(workbook, content, trailing, fault)) {
        DocumentContent again;
        if (!ReadDocument(DocumentWorkbook(content.data, content.captionVisible), again, trailing, fault))
            Broken("a document written from what a workbook gave is refused");
        if (!SameChartData(again.data, content.data) || again.captionVisible != content.captionVisible)
            Broken("a document written from what a workbook gave reads back to another chart");
    } else if (!fault) {
        Broken("a workbook refused as a document without a fault");
    }
    const Workbook expected = AsWritten(workbook);
    const std::vector<std::uint8_t> again = WriteBiff8(workbook);
    Workbook reread;
    if (!ReadBiff8(again.data(), again.size(), reread, error)) Broken("what was written again is refused");
    if (!Same(reread, expected)) Broken("what was written again reads back to other cells");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> stream;
    if (ReadCompoundStream(data, size, u"Workbook", stream) == CompoundRead::Ok) Check(stream.data(), stream.size());
    else if (!stream.empty()) Broken("a refused compound file left stream bytes");
    Check(data, size);
    return 0;
}
