// Random sequences of what a user and a host do to a chart's data: the three
// editing dialogs (add, modify, delete, Apply, OK, Cancel), imports of sound
// and of damaged workbooks, export, storage slots, the persisted stream, the
// automation's data methods and paints. After every step the data passes the
// chart-data check; a step that fails or is cancelled leaves the data the
// same bytes; export then import gives the same data; a second paint moves
// nothing.
//
// The test run walks a few seeds; a campaign by hand:
//   HUMICHART_SEQUENCE_SECONDS=1800 build/native/tests/sequence/data_sequence_tests
// (seeds from HUMICHART_SEQUENCE_SEED on), printing its figures at the end.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "../chart/CountingCalcBinding.h"
#include "../dialogs/FakeChart.h"
#include "../dialogs/FakeDialogView.h"
#include "../dialogs/ProcessTestSupport.h"
#include "../storage/MemoryByteSink.h"
#include "../storage/MemoryByteSource.h"
#include "Biff8.h"
#include "CChartDataCommands.h"
#include "CNewMixerRules.h"
#include "CNewProcessRules.h"
#include "CPointDialogRules.h"
#include "CPropertyStreamCodec.h"
#include "CSlotFileCodec.h"
#include "CSlotFileStore.h"
#include "ChartDataCheck.h"
#include "DewPointDesign.h"
#include "FreshAirDesign.h"
#include "SupplyAirDesign.h"
#include "ControlProperties.h"
#include "PointDialogsResource.h"
#include "SheetLayout.h"
#include "TypedText.h"

namespace humichart::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Encoded(const CHumichartDataObj& data) { return CSlotFileCodec::Encode(data, L""); }

// The "Humichart" sheet of a workbook model, read as the spreadsheet's
// object model answers the import: numbers convert from their text, a text
// that is no finite number fails, an empty cell is 0 or "".
class WorkbookSheet final : public ISheetCellReader {
public:
    explicit WorkbookSheet(const Sheet& sheet) : sheet_(sheet) {}

    bool Number(const std::wstring& address, double& value) override {
        const Cell* cell = Find(address);
        if (!cell || cell->kind == Cell::Kind::Empty) {
            value = 0;
            return true;
        }
        if (cell->kind == Cell::Kind::Number || cell->kind == Cell::Kind::Boolean) {
            value = cell->number;
            return std::isfinite(value);
        }
        if (cell->kind != Cell::Kind::Text || cell->text.empty()) return false;
        wchar_t* end = nullptr;
        value = std::wcstod(cell->text.c_str(), &end);
        return *end == 0 && std::isfinite(value);
    }
    bool DisplayText(const std::wstring& address, std::wstring& text) override { return ValueText(address, text); }
    bool ValueText(const std::wstring& address, std::wstring& text) override {
        const Cell* cell = Find(address);
        text = !cell ? L"" : cell->kind == Cell::Kind::Text ? cell->text
                           : cell->kind == Cell::Kind::Number ? GeneralText(cell->number)
                                                              : L"";
        return true;
    }
    bool LastRow(unsigned& row) override {
        row = sheet_.cells.empty() ? 0 : sheet_.cells.rbegin()->first.first + 1;
        return true;
    }

private:
    const Cell* Find(const std::wstring& address) {
        unsigned row = 0, column = 0;
        return ParseCellAddress(address, row, column) ? sheet_.Find(row, column) : nullptr;
    }
    const Sheet& sheet_;
};

Workbook ExportBook(const CHumichartDataObj& data) {
    Workbook book;
    book.sheets.push_back({kSheetName, {}});
    for (const SheetCellWrite& write : ExportCells(data)) {
        unsigned row = 0, column = 0;
        ParseCellAddress(write.address, row, column);
        Cell cell;
        cell.kind = write.isText ? (write.text.empty() ? Cell::Kind::Empty : Cell::Kind::Text) : Cell::Kind::Number;
        cell.text = write.text;
        cell.number = write.number;
        if (cell.kind != Cell::Kind::Empty) book.sheets[0].cells[{row, column}] = cell;
    }
    return book;
}

// What the figures of a run count.
struct Tally {
    long steps = 0, refused = 0, cancelled = 0, imports = 0, importsTaken = 0, exports = 0, slots = 0;
    long points = 0;  // the most points a chart held
};

class Walk {
public:
    Walk(unsigned seed, const std::filesystem::path& slots, Tally& tally)
        : random_(seed), store_(slots), tally_(tally) {
        chart_.data.SetSlotStore(&store_);
    }

    // One step; false when an invariant broke (the failure is reported).
    void Step() {
        ++tally_.steps;
        const Bytes before = Encoded(chart_.data);
        changed_ = true;
        static const char* kinds[] = {"Points",          "Transfer processes", "Mix processes", "sound import",
                                      "damaged import",  "export then import", "slots",         "stream",
                                      "host",            "host",               "paint",         "design tool"};
        const int kind = Pick(12);
        SCOPED_TRACE(kinds[kind]);
        switch (kind) {
        case 0: PointsDialog(); break;
        case 1: ProcessesDialog(); break;
        case 2: MixesDialog(); break;
        case 3: ImportBook(ExportBook(chart_.data), false); break;
        case 4: ImportBook(Mutated(ExportBook(chart_.data)), true); break;
        case 5: ExportThenImport(); break;
        case 6: Slots(); break;
        case 7: Stream(); break;
        case 8:
        case 9: HostCalls(); break;
        case 10: Paint(); break;
        default: DesignTool(); break;
        }
        if (!changed_) {
            ASSERT_EQ(Encoded(chart_.data), before) << "a step that changed nothing moved the data";
        }
        const auto fault = CheckChartData(chart_.data, chart_.calc);
        ASSERT_FALSE(fault.has_value()) << "rule " << static_cast<int>(fault->rule) << " at " << fault->index << ": "
                                        << fault->values[0] << ", " << fault->values[1];
        tally_.points = std::max<long>(tally_.points, static_cast<long>(chart_.data.points.size()));
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(random_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
    // A few names, so that they meet one another.
    std::wstring Name() {
        static const wchar_t* names[] = {L"A", L"B", L"C", L"D", L"E", L"F", L"G", L"a", L"Room", L"送风"};
        return names[Pick(10)];
    }
    // A number as a user types it, now and then one no chart takes.
    std::wstring Typed(double low, double high) {
        if (Chance(0.05)) {
            static const wchar_t* odd[] = {L"", L"warm", L"1e308", L"-1e308", L"nan", L"inf", L"0", L"-300"};
            return odd[Pick(8)];
        }
        return FormatNumber("%.4g", Uniform(low, high));
    }
    std::vector<std::wstring> NamedPoints() const {
        std::vector<std::wstring> names;
        for (const StatePoint& p : chart_.data.points)
            if (!p.name.empty()) names.push_back(p.name);
        return names;
    }

    // Closes a dialog session: Apply now and then, then OK or Cancel. A
    // session that never applied and was cancelled changed nothing.
    void Close(FakeDialogView& view, bool applied) {
        const int end = Pick(3);
        if (end == 0 && view[IDC_APPLY].enabled) {
            view.Click(IDC_APPLY);
            applied = true;
        }
        if (Chance(0.5)) {
            view.Click(IDOK);
        } else {
            view.Click(IDCANCEL);
            if (!applied) {
                ++tally_.cancelled;
                changed_ = false;
            }
        }
    }

    void PointsDialog() {
        FakeDialogView view{CPointDialogRules::Controls()};
        CPointDialogRules rules{chart_, view};
        view.Open(rules);
        for (int actions = 1 + Pick(4); actions > 0; --actions) {
            const int count = view.ItemCount(IDC_POINTS_NAME);
            const int kind = Pick(3);
            if (kind == 2 && count > 0) {  // delete
                view.Choose(IDC_POINTS_NAME, Pick(count));
                view.Answer(Chance(0.8) ? kAnswerYes : kAnswerNo);
                view.Click(IDC_POINTS_DELETE);
                continue;
            }
            if (kind == 1 && count > 0) view.Choose(IDC_POINTS_NAME, Pick(count));
            for (int check : {IDC_POINTS_CHECK_DBT, IDC_POINTS_CHECK_RH})
                if (!view[check].checked) view.Click(check);
            view.Type(IDC_POINTS_EDIT_DBT, Typed(-20, 45));
            view.Type(IDC_POINTS_EDIT_RH, Typed(5, 100));
            if (kind == 0 || Chance(0.5)) view.Type(IDC_POINTS_NAME, Name());
            view.Answer(Chance(0.5) ? kAnswerYes : kAnswerNo);  // the offer to correct onto saturation
            view.Click(kind == 0 ? IDC_POINTS_ADD : IDC_POINTS_MODIFY);
        }
        Close(view, false);
    }

    void ProcessesDialog() {
        FakeDialogView view{CNewProcessRules::Controls()};
        ScriptedSubDialogs sub;
        CNewProcessRules rules{chart_, view, sub, kByHom};
        view.Open(rules);
        for (int actions = 1 + Pick(3); actions > 0; --actions) {
            const int points = view.ItemCount(IDC_PROCESS_START);
            const int processes = view.ItemCount(IDC_PROCESS_NAME);
            if (Chance(0.3) && processes > 0) {
                view.Choose(IDC_PROCESS_NAME, Pick(processes));
                view.Answer(kAnswerYes);
                view.Click(IDC_ITEM_DELETE);
                continue;
            }
            view.Choose(IDC_PROCESS_START, Pick(points));
            view.Choose(IDC_PROCESS_END, Pick(points));
            view.Type(IDC_AIR_FLOW, Typed(0, 20000));
            view.Type(IDC_PROCESS_RATIO, Typed(-20000, 20000));
            sub.hom = HomPointQuery{Name(), Pick(7), Uniform(-10, 40)};
            view.Type(IDC_PROCESS_NAME, Name() + Name());
            view.Click(IDC_ITEM_ADD);
        }
        Close(view, false);
    }

    void MixesDialog() {
        FakeDialogView view{CNewMixerRules::Controls()};
        CNewMixerRules rules{chart_, view};
        view.Open(rules);
        for (int actions = 1 + Pick(3); actions > 0; --actions) {
            const int points = view.ItemCount(IDC_MIX_FRESH);
            const int mixes = view.ItemCount(IDC_PROCESS_NAME);
            if (points < 2) break;
            const int kind = Pick(3);
            if (kind == 2 && mixes > 0) {
                view.Choose(IDC_PROCESS_NAME, Pick(mixes));
                view.Answer(kAnswerYes);
                view.Click(IDC_ITEM_DELETE);
                continue;
            }
            if (kind == 1 && mixes > 0) view.Choose(IDC_PROCESS_NAME, Pick(mixes));
            view.Choose(IDC_MIX_FRESH, Pick(points));
            view.Choose(IDC_MIX_RETURN, Pick(points));
            view.Type(IDC_MIX_POINT, L"M" + Name());
            view.Type(IDC_FRESH_FLOW, Typed(0, 3000));
            view.Type(IDC_AIR_FLOW, Typed(3000, 12000));
            if (kind == 0) view.Type(IDC_PROCESS_NAME, L"X" + Name() + Name());
            view.Answer(Chance(0.7) ? kAnswerYes : kAnswerNo);  // a renamed mix point
            view.Click(kind == 0 ? IDC_ITEM_ADD : IDC_ITEM_MODIFY);
        }
        Close(view, false);
    }

    // A workbook read back from its file bytes into the Data IO dialog's
    // copy; OK writes a changed copy back.
    void ImportBook(const Workbook& book, bool mutated) {
        ++tally_.imports;
        Workbook read;
        std::wstring error;
        const Bytes bytes = WriteBiff8(book);
        ASSERT_TRUE(ReadBiff8(bytes.data(), bytes.size(), read, error)) << std::string(error.begin(), error.end());
        CHumichartDataObj copy;
        copy.CopyData(chart_.data);
        const Bytes before = Encoded(copy);
        CHumichartDataObj incoming;
        incoming.CopyData(copy);
        std::optional<DataFault> fault;
        WorkbookSheet sheet(read.sheets[0]);
        const bool taken = ImportCells(sheet, incoming, fault) && AcceptImport(copy, incoming, fault, chart_.calc);
        if (!taken) {
            ASSERT_EQ(Encoded(copy), before) << "a refused import changed the copy";
            ASSERT_TRUE(mutated) << "a sound chart's export was refused";
            ++tally_.refused;
            changed_ = false;
            return;
        }
        ++tally_.importsTaken;
        if (Chance(0.5)) {
            chart_.data.CopyData(copy);
        } else {
            changed_ = false;  // Cancel
        }
    }

    // A few cells of the sheet made into what users and programs leave there.
    Workbook Mutated(Workbook book) {
        Sheet& sheet = book.sheets[0];
        const unsigned last = sheet.cells.empty() ? 3 : sheet.cells.rbegin()->first.first + 2;
        for (int n = 1 + Pick(3); n > 0; --n) {
            const unsigned row = Chance(0.2) ? 2 : 2 + static_cast<unsigned>(Pick(static_cast<int>(last)));
            static const unsigned columns[] = {4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16, 17, 18};
            const unsigned column = Chance(0.1) ? 2 : columns[Pick(13)];
            Cell cell;
            switch (Pick(7)) {
            case 0: break;  // emptied
            case 1: cell = {Cell::Kind::Text, 0, L"warm"}; break;
            case 2: cell = {Cell::Kind::Number, Chance(0.5) ? 1e6 : -500, L""}; break;
            case 3: cell = {Cell::Kind::Number, Uniform(-20, 120), L""}; break;
            case 4: cell = {Cell::Kind::Text, 0, Name()}; break;
            case 5: cell = {Cell::Kind::Number, Chance(0.5) ? 5000.0 : 101325.0, L""}; break;
            default: {  // a name copied from another cell of the same column
                const auto other = sheet.cells.find({2 + static_cast<unsigned>(Pick(static_cast<int>(last))), column});
                if (other != sheet.cells.end()) cell = other->second;
            }
            }
            if (cell.kind == Cell::Kind::Empty)
                sheet.cells.erase({row, column});
            else
                sheet.cells[{row, column}] = cell;
        }
        return book;
    }

    // Export, then import into a copy: the same data, but for the records
    // without a name, which the sheet does not carry.
    void ExportThenImport() {
        ++tally_.exports;
        CHumichartDataObj expected;
        expected.CopyData(chart_.data);
        std::erase_if(expected.points, [](const StatePoint& p) { return p.name.empty(); });
        std::erase_if(expected.processes, [](const TransferProcess& p) { return p.name.empty(); });
        std::erase_if(expected.mixes, [](const MixProcess& m) { return m.name.empty(); });
        Workbook read;
        std::wstring error;
        const Bytes bytes = WriteBiff8(ExportBook(chart_.data));
        ASSERT_TRUE(ReadBiff8(bytes.data(), bytes.size(), read, error));
        CHumichartDataObj copy, incoming;
        copy.CopyData(chart_.data);
        incoming.CopyData(copy);
        std::optional<DataFault> fault;
        WorkbookSheet sheet(read.sheets[0]);
        ASSERT_TRUE(ImportCells(sheet, incoming, fault) && AcceptImport(copy, incoming, fault, chart_.calc))
            << "the chart's own export was refused: rule " << (fault ? static_cast<int>(fault->rule) : -1);
        ASSERT_EQ(Encoded(copy), Encoded(expected)) << "export then import is not the same data";
        changed_ = false;
    }

    void Slots() {
        ++tally_.slots;
        const std::uint32_t slot = static_cast<std::uint32_t>(Pick(3));
        if (Chance(0.5)) {
            ASSERT_EQ(chart_.data.SaveSlot(slot), kStatusOk);
            CHumichartDataObj back;
            back.SetSlotStore(&store_);
            ASSERT_EQ(back.LoadSlot(slot, chart_.calc), kStatusOk);
            ASSERT_EQ(Encoded(back), Encoded(chart_.data)) << "a slot read is not what was saved";
            changed_ = false;
        } else if (chart_.data.LoadSlot(slot, chart_.calc) != kStatusOk) {
            changed_ = false;
        }
    }

    // The properties a container saves, loaded into a new chart.
    void Stream() {
        ControlProperties saved;
        const ChartRange range = chart_.view.GetRange();
        saved.AirPressure = chart_.data.airPressure;
        saved.RangeMinT = range.minT;
        saved.RangeMaxT = range.maxT;
        saved.RangeMinD = range.minD;
        saved.RangeMaxD = range.maxD;
        saved.HasBorder = chart_.data.HasBorder;
        MemoryByteSink sink;
        ASSERT_EQ(CPropertyStreamCodec::Write(saved, sink), kStatusOk);
        MemoryByteSource source(sink.bytes_);
        ControlProperties loaded;
        ASSERT_EQ(CPropertyStreamCodec::Read(source, loaded), kStatusOk) << "a chart's own properties were refused";
        ASSERT_EQ(loaded.AirPressure, saved.AirPressure);
        ASSERT_EQ(loaded.RangeMinT, saved.RangeMinT);
        changed_ = false;
    }

    void HostCalls() {
        CChartDataCommands host(chart_.data, chart_.calc);
        const std::vector<std::wstring> named = NamedPoints();
        const auto some = [&] { return named.empty() || Chance(0.2) ? Name() : named[Pick(static_cast<int>(named.size()))]; };
        Status status = kStatusOk;
        switch (Pick(7)) {
        case 0: {
            const double odd[] = {std::numeric_limits<double>::quiet_NaN(), 1e6, -500, 1e300};
            const double I = Chance(0.1) ? odd[Pick(4)] : Uniform(-20, 90);
            status = host.AddPoint(I, Chance(0.1) ? odd[Pick(4)] : Uniform(0, 20), Chance(0.2) ? L"" : Name());
            break;
        }
        case 1: status = host.RemovePoint(some()); break;
        case 2: status = host.AddProcess(some(), some(), Name(), Uniform(0, 10000)); break;
        case 3: status = host.AddMixLine(some(), some(), L"M" + Name(), Name(), Uniform(0, 2000), Uniform(0, 8000)); break;
        case 4: status = host.SetCSSR(Uniform(-10, 30), Uniform(20, 40), Uniform(0, 10), Uniform(5, 25)); break;
        case 5:
            if (Chance(0.2)) host.RemoveAllPoints();
            break;
        default: status = host.RemoveProcess(some(), some()); break;
        }
        if (!Succeeded(status)) {
            ++tally_.refused;
            changed_ = false;
        }
    }

    // One of the design tools' OK on a random room (and outdoor) point.
    void DesignTool() {
        const std::vector<std::wstring> named = NamedPoints();
        if (named.empty()) {
            changed_ = false;
            return;
        }
        const auto some = [&] { return named[Pick(static_cast<int>(named.size()))]; };
        std::unique_ptr<ICalcSession> calc;
        ASSERT_EQ(chart_.calc.Open(chart_.data.airPressure, calc), kStatusOk);
        DesignChange change;
        DesignRefusal refusal;
        switch (Pick(3)) {
        case 0: {
            SupplyAirResult result;
            refusal = DesignSupplyAir(*calc, chart_.data, {some(), Uniform(-5, 20), Uniform(-1, 5), Uniform(-1, 12),
                                                           L"O" + Name(), Name()}, result);
            change = result.change;
            break;
        }
        case 1: {
            FreshAirResult result;
            refusal = DesignFreshAir(*calc, chart_.data, {some(), some(), Uniform(-100, 6000), Uniform(0, 50),
                                                          Uniform(0, 40), Uniform(0, 100), Uniform(0, 2000),
                                                          L"C" + Name(), Name()}, result);
            change = result.change;
            break;
        }
        default: {
            DewPointInput input;
            input.room = some();
            input.loadKW = Uniform(-5, 20);
            input.moistureKgH = Uniform(-1, 5);
            input.rhPercent = Uniform(75, 101);
            if (Chance(0.5)) input.outdoor = some();
            input.freshSharePercent = Uniform(0, 100);
            input.maxDeltaT = Chance(0.5) ? 0 : Uniform(2, 12);
            input.prefix = Name();
            DewPointResult result;
            refusal = DesignDewPointSupply(*calc, chart_.data, input, result);
            change = result.change;
        }
        }
        calc.reset();
        if (refusal.problem == DesignProblem::None)
            refusal = ApplyDesignChange(chart_.data, change, chart_.calc);
        if (refusal.problem != DesignProblem::None) {
            ++tally_.refused;
            changed_ = false;
        }
    }

    void Paint() {
        chart_.data.RecomputeMixPoints();
        const Bytes once = Encoded(chart_.data);
        chart_.data.RecomputeMixPoints();
        ASSERT_EQ(Encoded(chart_.data), once) << "a second paint moved a mix point";
    }

    std::mt19937 random_;
    FakeChart chart_;
    CSlotFileStore store_;
    Tally& tally_;
    bool changed_ = true;
};

TEST(DataSequences, EveryStepLeavesASoundChartOrNothingChanged) {
    const char* seconds = std::getenv("HUMICHART_SEQUENCE_SECONDS");
    const char* firstSeed = std::getenv("HUMICHART_SEQUENCE_SEED");
    const auto budget = std::chrono::seconds(seconds ? std::atol(seconds) : 0);
    const unsigned seed0 = firstSeed ? static_cast<unsigned>(std::atol(firstSeed)) : 1;
    const auto start = std::chrono::steady_clock::now();
    const std::filesystem::path slots =
        std::filesystem::temp_directory_path() / ("humichart-sequence-" + std::to_string(std::random_device{}()));
    Tally tally;
    unsigned seed = seed0;
    for (; seed < seed0 + 12 || std::chrono::steady_clock::now() - start < budget; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Walk walk(seed, slots, tally);
        for (int step = 0; step < 150; ++step) {
            SCOPED_TRACE("step " + std::to_string(step));
            walk.Step();
            if (testing::Test::HasFatalFailure()) break;
        }
        if (testing::Test::HasFatalFailure()) break;
    }
    std::error_code error;
    std::filesystem::remove_all(slots, error);
    std::printf("sequences: %u walks, %ld steps (%ld refused, %ld cancelled), %ld imports (%ld taken), %ld exports, "
                "%ld slot round trips, up to %ld points, %.0f s\n",
                seed - seed0, tally.steps, tally.refused, tally.cancelled, tally.imports, tally.importsTaken,
                tally.exports, tally.slots, tally.points,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
}

}  // namespace
}  // namespace humichart::test
