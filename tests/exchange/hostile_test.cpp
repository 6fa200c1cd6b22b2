// Damaged and crafted files end in a message, never in a crash, a hang or an
// allocation out of proportion to the file.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "Biff8.h"
#include "Biff8Builder.h"
#include "CompoundFile.h"
#include "SampleWorkbooks.h"
#include "WorkbookFile.h"

namespace humichart::test {
namespace {

// What LoadWorkbookFile does after reading the file, on bytes in memory.
bool ReadFileBytes(const std::vector<std::uint8_t>& file, Workbook& workbook, std::wstring& error) {
    std::vector<std::uint8_t> stream;
    error.clear();
    if (ReadCompoundStream(file.data(), file.size(), u"Workbook", stream) != CompoundRead::Ok) {
        error = L"compound file";
        return false;
    }
    return ReadBiff8(stream.data(), stream.size(), workbook, error);
}

// Every prefix of the file fails (except the whole one), every single byte
// flipped either reads or fails with a message; the checks that bound the
// work keep each attempt from looping or allocating without end.
TEST(DamagedFiles, EveryTruncationAndByteFlipFailsWithAMessageOrReads) {
    std::vector<std::vector<std::uint8_t>> files;
    files.push_back(WriteCompoundFile(u"Workbook", WriteBiff8(Workbook{{ChartLayoutSheet(3)}})));
    files.push_back(ReadAll(std::filesystem::path(XLS_FIXTURES) / "libreoffice" / "basic.xls"));
    files.push_back(ReadAll(std::filesystem::path(XLS_FIXTURES) / "sheetjs" / "several_sheets.xls"));
    for (const std::vector<std::uint8_t>& file : files) {
        ASSERT_GT(file.size(), 4000u);
        Workbook workbook;
        std::wstring error;
        ASSERT_TRUE(ReadFileBytes(file, workbook, error));
        std::vector<std::uint8_t> stream;
        ASSERT_EQ(ReadCompoundStream(file.data(), file.size(), u"Workbook", stream), CompoundRead::Ok);

        // The stream cut anywhere before its last sheet's EOF.
        std::size_t lastEof = stream.size();
        while (lastEof > 0 && !(stream[lastEof - 4] == 0x0A && stream[lastEof - 3] == 0 && stream[lastEof - 2] == 0))
            --lastEof;
        for (std::size_t length = 0; length < lastEof; ++length) {
            EXPECT_FALSE(ReadBiff8(stream.data(), length, workbook, error)) << length;
            EXPECT_FALSE(error.empty());
            EXPECT_TRUE(workbook.sheets.empty());
        }
        for (std::size_t at = 0; at < stream.size(); ++at) {
            std::vector<std::uint8_t> flipped = stream;
            flipped[at] ^= 0xFF;
            error.clear();
            if (!ReadBiff8(flipped.data(), flipped.size(), workbook, error)) {
                EXPECT_FALSE(error.empty()) << at;
            }
        }
        // The compound file cut or flipped anywhere.
        for (std::size_t length = 0; length < file.size(); length += 7)
            ReadFileBytes(std::vector<std::uint8_t>(file.begin(), file.begin() + length), workbook, error);
        for (std::size_t at = 0; at < file.size(); ++at) {
            std::vector<std::uint8_t> flipped = file;
            flipped[at] ^= 0xFF;
            ReadFileBytes(flipped, workbook, error);
        }
    }
}

std::vector<std::uint8_t> GlobalsThen(const Bytes& body, std::uint16_t id) {
    StreamBuilder s;
    s.Bof(0x0005).Record(id, body).Eof();
    return s.bytes;
}

// One sheet "S" whose substream holds the given records.
std::vector<std::uint8_t> SheetWith(const std::vector<std::pair<std::uint16_t, Bytes>>& records, const Bytes& sst = {}) {
    StreamBuilder s;
    s.Bof(0x0005);
    const std::size_t sheet = s.BoundSheet("S");
    if (!sst.data.empty()) s.Record(0x00FC, sst);
    s.Eof();
    s.PlaceSheet(sheet);
    s.Bof(0x0010);
    for (const auto& [id, body] : records) s.Record(id, body);
    s.Eof();
    return s.bytes;
}

TEST(HostileStreams, AreRefusedWithAMessageThatSaysWhy) {
    StreamBuilder biff5, biff4, encrypted, notGlobals, pastEnd, farSheet, worksheetIsChart;
    biff5.Bof(0x0005, 0x0500).Eof();
    biff4.Record(0x0409, Bytes().U16(0).U16(0x0010).U16(0));
    encrypted.Bof(0x0005).Record(0x002F, Bytes().U16(1).U32(0)).Eof();
    notGlobals.Bof(0x0010).Eof();
    pastEnd.Bof(0x0005).Record(0x0042, Bytes().U16(1200));
    pastEnd.bytes[pastEnd.bytes.size() - 4] = 0xFF;  // CODEPAGE claims 255 bytes
    farSheet.Bof(0x0005);
    farSheet.BoundSheet("S");
    farSheet.bytes[farSheet.bytes.size() - 8] = 0xF0;  // its BOF lies far past the end
    farSheet.Eof();
    StreamBuilder sameSheetTwice;
    sameSheetTwice.Bof(0x0005);
    const std::size_t one = sameSheetTwice.BoundSheet("A"), other = sameSheetTwice.BoundSheet("B");
    sameSheetTwice.Eof();
    sameSheetTwice.PlaceSheet(one);
    sameSheetTwice.PlaceSheet(other);
    sameSheetTwice.Bof(0x0010).Record(0x0203, Bytes().Cell(0, 0).F64(1)).Eof();

    // 520 cells naming one text of 32767 characters: more text than any
    // chart holds, from a file of a few kilobytes.
    Bytes bigText;
    bigText.U32(1).U32(1).U16(8000).U8(0).Latin1(std::string(8000, 'x'));
    std::vector<std::pair<std::uint16_t, Bytes>> manyTexts;
    for (std::uint32_t i = 0; i < 2100; ++i) manyTexts.emplace_back(0x00FD, Bytes().Cell(i, 0).U32(0));

    const struct {
        const char* what;
        std::vector<std::uint8_t> stream;
        const wchar_t* message;
    } cases[] = {
        {"nothing", {}, L"The file is not an Excel 97-2003 workbook"},
        {"text", {'h', 'e', 'l', 'l', 'o', ',', 'w', 'o', 'r', 'l', 'd', '\n'}, L"The file is not an Excel 97-2003 workbook"},
        {"BIFF5", biff5.bytes, L"older Excel format"},
        {"BIFF4", biff4.bytes, L"older Excel format"},
        {"FILEPASS", encrypted.bytes, L"protected by a password"},
        {"a worksheet first", notGlobals.bytes, L"not an Excel 97-2003 workbook"},
        {"a record past the end", pastEnd.bytes, L"damaged"},
        {"a sheet past the end", farSheet.bytes, L"damaged"},
        {"two sheets at one place", sameSheetTwice.bytes, L"sheets overlap"},
        {"a text of 65535 characters in 12 bytes", GlobalsThen(Bytes().U32(1).U32(1).U16(0xFFFF).U8(1).U32(0), 0x00FC), L"damaged"},
        {"phonetic data of 4 GB", GlobalsThen(Bytes().U32(1).U32(1).U16(1).U8(4).U32(0xFFFFFFFF).U8('a'), 0x00FC), L"damaged"},
        {"a shared text that is not there", SheetWith({{0x00FD, Bytes().Cell(0, 0).U32(1)}}, Bytes().U32(1).U32(1).U16(1).U8(0).U8('a')), L"damaged"},
        {"a cell in column 300", SheetWith({{0x0203, Bytes().Cell(0, 300).F64(1)}}), L"damaged"},
        {"a MULRK cut short", SheetWith({{0x00BD, Bytes().U16(0).U16(0).U16(15).U16(1)}}), L"damaged"},
        {"a cell cut short", SheetWith({{0x0203, Bytes().Cell(0, 0).U32(0)}}), L"damaged"},
        {"a BOF without its EOF", SheetWith({{0x0809, Bytes().U16(0x0600).U16(0x0020).U32(0).U32(0).U32(6)}}), L"damaged"},
        {"too much text", SheetWith(manyTexts, bigText), L"too large"},
        // Every byte a sheet walk takes counts, the CONTINUE records after a
        // STRING too: the second walk over the one sheet is refused.
        {"4096 sheets at one STRING with 20000 CONTINUEs", OverlappingSheets(4096, 20000), L"sheets overlap"},
        {"more shared texts than cells", StringTable(kBiff8MaxCells + 1, ""), L"too large to import (more than 2000000"},
        {"more shared text than the cells may hold", StringTable(kBiff8MaxTextUnits / 8000 + 1, std::string(8000, 'x')),
         L"too large to import (too much text)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Workbook workbook{{Sheet{L"stale", {}}}};
        std::wstring error;
        EXPECT_FALSE(ReadBiff8(c.stream.data(), c.stream.size(), workbook, error));
        EXPECT_NE(error.find(c.message), std::wstring::npos) << Escaped(error);
        EXPECT_TRUE(workbook.sheets.empty());
    }
}

TEST(HostileStreams, MoreCellsThanTheLimitAreRefused) {
    // Rows of 256 numbers in MULRK records, six bytes a cell.
    std::vector<std::pair<std::uint16_t, Bytes>> rows;
    for (std::uint32_t row = 0; row * 256 <= kBiff8MaxCells; ++row) {
        Bytes body;
        body.U16(row).U16(0);
        for (int column = 0; column < 256; ++column) body.U16(15).U32(Rk(column));
        body.U16(255);
        rows.emplace_back(0x00BD, std::move(body));
    }
    const std::vector<std::uint8_t> stream = SheetWith(rows);
    Workbook workbook;
    std::wstring error;
    EXPECT_FALSE(ReadBiff8(stream.data(), stream.size(), workbook, error));
    EXPECT_NE(error.find(L"too large"), std::wstring::npos) << Escaped(error);
}

std::uint32_t Get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

TEST(HostileCompoundFiles, BrokenChainsAndTablesAreDamageNotLoops) {
    const std::vector<std::uint8_t> good = WriteCompoundFile(u"Workbook", WriteBiff8(Workbook{{ChartLayoutSheet(2000)}}));
    const auto size = static_cast<std::uint32_t>(good.size());
    ASSERT_GT(size, 150u * 512);
    const std::size_t fat = (Get32(good, 0x4C) + 1) * 512;
    const std::size_t directory = (Get32(good, 0x30) + 1) * 512;
    std::vector<std::uint8_t> stream;
    ASSERT_EQ(ReadCompoundStream(good.data(), good.size(), u"WORKBOOK", stream), CompoundRead::Ok);
    // Rows with a DIFAT: two DIFAT sectors after the file's own, the first
    // leading to the second, whose last entry ends the chain or leads back.
    enum Difat { kNone, kEnds, kLoops };

    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        CompoundRead result;
        Difat difat = kNone;
    } cases[] = {
        {"a stream chain that loops", fat + 4 * 3, 2, CompoundRead::Damaged},
        {"a stream chain into nowhere", fat + 4 * 3, 0x00FFFFFF, CompoundRead::Damaged},
        {"a stream longer than its chain", directory + 128 + 0x78, size - 600, CompoundRead::Damaged},
        {"a stream longer than the file", directory + 128 + 0x78, 0xFFFFFFF0, CompoundRead::Damaged},
        {"a directory tree that loops", directory + 128 + 0x44, 1, CompoundRead::Damaged},
        {"more allocation tables than sectors", 0x2C, 0x7FFFFFFF, CompoundRead::Damaged},
        {"a DIFAT chain of two sectors", 0x2C, 109 + 2 * 127, CompoundRead::Ok, kEnds},
        {"a DIFAT chain that loops", 0x2C, 109 + 3 * 127, CompoundRead::Damaged, kLoops},
        {"a sector size of 2^30", 0x1E, 30, CompoundRead::Damaged},
        {"no root entry", directory + 0x40, 0x00FF0000, CompoundRead::Damaged},
        {"a stream of another name", directory + 128, 0x00580058, CompoundRead::NoSuchStream},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> file = good;
        if (c.difat != kNone) {
            // The tables the header and the DIFAT name past the file's own
            // are copies of its first; room after them so that the tables
            // claimed do not outnumber the sectors.
            const std::uint32_t first = size / 512 - 1, table = Get32(good, 0x4C);
            file.resize(size + 500 * 512);
            for (std::size_t i = Get32(good, 0x2C); i < 109; ++i) Put32(file, 0x4C + 4 * i, table);
            for (std::uint32_t d = 0; d < 2; ++d)
                for (std::size_t i = 0; i < 127; ++i) Put32(file, (first + d + 1) * 512 + 4 * i, table);
            Put32(file, (first + 1) * 512 + 508, first + 1);
            Put32(file, (first + 2) * 512 + 508, c.difat == kLoops ? first : 0xFFFFFFFE);
            Put32(file, 0x44, first);
            Put32(file, 0x48, 2);
        }
        Put32(file, c.at, c.value);
        EXPECT_EQ(ReadCompoundStream(file.data(), file.size(), u"Workbook", stream), c.result);
        EXPECT_EQ(stream.empty(), c.result != CompoundRead::Ok);
    }
}

TEST(WorkbookFiles, OtherFilesAreNamedForWhatTheyAre) {
    ScratchDir dir;
    std::vector<std::uint8_t> biff5Stream;
    {
        StreamBuilder s;
        s.Bof(0x0005, 0x0500).Eof();
        biff5Stream = s.bytes;
    }
    const struct {
        const char* file;
        std::vector<std::uint8_t> bytes;
        const wchar_t* message;
    } cases[] = {
        {"book.xlsx", {'P', 'K', 3, 4, 20, 0, 6, 0}, L"Excel 2007 or later workbook (.xlsx)"},
        {"excel95.xls", WriteCompoundFile(u"Book", biff5Stream), L"older Excel format"},
        {"biff4.xls", {0x09, 0x04, 0x06, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00}, L"older Excel format"},
        {"word.doc", WriteCompoundFile(u"WordDocument", std::vector<std::uint8_t>(100, 0)), L"not an Excel 97-2003 workbook"},
        {"page.xls", {'<', 'h', 't', 'm', 'l', '>'}, L"not an Excel 97-2003 workbook"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::filesystem::path path = dir.path() / c.file;
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(c.bytes.data()), c.bytes.size());
        Workbook workbook;
        std::wstring error;
        EXPECT_FALSE(LoadWorkbookFile(path.wstring(), workbook, error));
        EXPECT_NE(error.find(c.message), std::wstring::npos) << Escaped(error);
    }
    Workbook workbook;
    std::wstring error;
    EXPECT_FALSE(LoadWorkbookFile((dir.path() / "missing.xls").wstring(), workbook, error));
    EXPECT_NE(error.find(L"cannot be read"), std::wstring::npos) << Escaped(error);
    EXPECT_FALSE(SaveWorkbookFile((dir.path() / "no such folder" / "out.xls").wstring(), workbook, error));
    EXPECT_NE(error.find(L"cannot be written"), std::wstring::npos) << Escaped(error);
}

}  // namespace
}  // namespace humichart::test
