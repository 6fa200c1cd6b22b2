#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "CSlotFileCodec.h"
#include "CSlotFileStore.h"
#include "Crc32.h"

namespace humichart {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A chart with every part of the data set away from its default, names in
// several scripts (one beyond the basic plane), empty names and an order
// that a sorted or hashed store would lose.
CHumichartDataObj FullChart() {
    CHumichartDataObj data;
    data.HasTLine = 0;
    data.HasFLine = 0;
    data.HasProcessLineName = 1;
    data.HasBorder = 1;
    data.HasForeground = 0;
    data.airPressure = 95123.5;
    data.viewRange = {-10.05, 40.2, 2.0, 30.0};
    data.cssrRegion = {26.0, 20.0, 10.0, 5.0};
    data.points = {{50.0, 10.0, L"Z"},
                   {42.5, 8.25, L"送风点"},
                   {30.0, 5.0, L""},
                   {61.0, 12.0, L"Zürich \U0001F321"},
                   {44.0, 9.0, L"A"}};
    data.processes = {{L"Z", L"A", L"冷却", 1200.0}, {L"送风点", L"", L"", -3.5}, {L"A", L"Z", L"", 0.0}};
    data.mixes = {{L"Z", L"送风点", L"M1", L"新风混合", 300.0, 1000.0}, {L"", L"A", L"M2", L"", 0.0, 0.0}};
    return data;
}

void ExpectSameData(const CHumichartDataObj& a, const CHumichartDataObj& b) {
    EXPECT_EQ(a.HasTLine, b.HasTLine);
    EXPECT_EQ(a.HasDLine, b.HasDLine);
    EXPECT_EQ(a.HasILine, b.HasILine);
    EXPECT_EQ(a.HasFLine, b.HasFLine);
    EXPECT_EQ(a.HasProcessLineName, b.HasProcessLineName);
    EXPECT_EQ(a.HasBorder, b.HasBorder);
    EXPECT_EQ(a.HasBackground, b.HasBackground);
    EXPECT_EQ(a.HasForeground, b.HasForeground);
    EXPECT_EQ(a.airPressure, b.airPressure);
    EXPECT_EQ(a.viewRange.Ymin, b.viewRange.Ymin);
    EXPECT_EQ(a.viewRange.Ymax, b.viewRange.Ymax);
    EXPECT_EQ(a.viewRange.Dmin, b.viewRange.Dmin);
    EXPECT_EQ(a.viewRange.Dmax, b.viewRange.Dmax);
    EXPECT_EQ(a.cssrRegion.maxT, b.cssrRegion.maxT);
    EXPECT_EQ(a.cssrRegion.minT, b.cssrRegion.minT);
    EXPECT_EQ(a.cssrRegion.maxD, b.cssrRegion.maxD);
    EXPECT_EQ(a.cssrRegion.minD, b.cssrRegion.minD);
    ASSERT_EQ(a.points.size(), b.points.size());
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        EXPECT_EQ(a.points[i].I, b.points[i].I) << i;
        EXPECT_EQ(a.points[i].D, b.points[i].D) << i;
        EXPECT_TRUE(a.points[i].name == b.points[i].name) << i;
    }
    ASSERT_EQ(a.processes.size(), b.processes.size());
    for (std::size_t i = 0; i < a.processes.size(); ++i) {
        const auto &x = a.processes[i], &y = b.processes[i];
        EXPECT_TRUE(x.ptStart == y.ptStart && x.ptEnd == y.ptEnd && x.name == y.name) << i;
        EXPECT_EQ(x.dAirFlow, y.dAirFlow) << i;
    }
    ASSERT_EQ(a.mixes.size(), b.mixes.size());
    for (std::size_t i = 0; i < a.mixes.size(); ++i) {
        const auto &x = a.mixes[i], &y = b.mixes[i];
        EXPECT_TRUE(x.ptFresh == y.ptFresh && x.ptReturn == y.ptReturn && x.ptMix == y.ptMix && x.name == y.name)
            << i;
        EXPECT_EQ(x.dFreshAirFlow, y.dFreshAirFlow) << i;
        EXPECT_EQ(x.dAirFlow, y.dAirFlow) << i;
    }
}

// A chart that differs from FullChart everywhere, as a load target.
CHumichartDataObj OtherChart() {
    CHumichartDataObj data;
    data.points = {{1.0, 2.0, L"old"}};
    data.processes = {{L"old", L"x", L"p", 5.0}};
    return data;
}

Bytes ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

// The slot read through the data object's store, as LoadSlot reads it before
// it checks what it read.
Status Load(CHumichartDataObj& data, std::uint32_t slot) {
    return data.SlotStore() && data.SlotStore()->Load(slot, data) ? kStatusOk : kStatusFail;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class SlotStore : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = fs::temp_directory_path() /
                     ("humichart-slots-" + std::to_string(std::random_device{}()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        // The store makes its folder on the first save.
        ASSERT_FALSE(fs::exists(directory_));
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(directory_, error);
    }

    // Saves FullChart to the slot through a data object, as the chart does.
    void SaveFullChart(std::uint32_t slot) {
        CSlotFileStore store(directory_);
        CHumichartDataObj data = FullChart();
        data.SetSlotStore(&store);
        ASSERT_EQ(data.SaveSlot(slot), kStatusOk);
    }

    // Loading from a fresh store, as after a restart, fails and changes nothing.
    void ExpectLoadRefused(std::uint32_t slot) {
        CSlotFileStore store(directory_);
        CHumichartDataObj target = OtherChart();
        target.SetSlotStore(&store);
        EXPECT_LT(Load(target, slot), 0);
        ExpectSameData(target, OtherChart());
    }

    fs::path directory_;
};

TEST_F(SlotStore, WholeDataSetComesBackAfterRestart) {
    SaveFullChart(3);

    CSlotFileStore store(directory_);
    CHumichartDataObj target = OtherChart();
    target.SetSlotStore(&store);
    ASSERT_EQ(Load(target, 3), kStatusOk);
    ExpectSameData(target, FullChart());
    EXPECT_EQ(target.SlotStore(), &store);

    // Saving again replaces the slot whole and leaves no temporary behind.
    target.points.resize(1);
    ASSERT_EQ(target.SaveSlot(3), kStatusOk);
    CHumichartDataObj again;
    again.SetSlotStore(&store);
    ASSERT_EQ(Load(again, 3), kStatusOk);
    ExpectSameData(again, target);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(directory_)) files.push_back(entry.path().filename());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0], store.SlotPath(3).filename());

    // Numbers beyond the table are slots like any other.
    ASSERT_EQ(again.SaveSlot(4000000000u), kStatusOk);
    CHumichartDataObj far;
    far.SetSlotStore(&store);
    ASSERT_EQ(Load(far, 4000000000u), kStatusOk);
    ExpectSameData(far, again);
}

TEST_F(SlotStore, MissingSlotOrNoStoreFails) {
    ExpectLoadRefused(0);
    SaveFullChart(1);
    ExpectLoadRefused(2);

    CHumichartDataObj loose = OtherChart();
    EXPECT_LT(Load(loose, 1), 0);
    EXPECT_LT(loose.SaveSlot(1), 0);
    ExpectSameData(loose, OtherChart());
}

TEST_F(SlotStore, DamagedFilesAreRefusedAndChangeNothing) {
    SaveFullChart(6);
    CSlotFileStore store(directory_);
    const fs::path path = store.SlotPath(6);
    const Bytes good = ReadFile(path);
    ASSERT_GT(good.size(), CSlotFileCodec::kHeaderSize);

    for (std::size_t i = 0; i < good.size(); ++i) {
        Bytes bad = good;
        bad[i] ^= 0x10;
        WriteFile(path, bad);
        ExpectLoadRefused(6);
    }
    for (std::size_t size : {std::size_t{0}, std::size_t{7}, std::size_t{19}, std::size_t{20}, good.size() / 2,
                             good.size() - 1}) {
        WriteFile(path, Bytes(good.begin(), good.begin() + size));
        ExpectLoadRefused(6);
    }
    Bytes longer = good;
    longer.push_back(0);
    WriteFile(path, longer);
    ExpectLoadRefused(6);
    WriteFile(path, Bytes(300, 0xA5));
    ExpectLoadRefused(6);

    WriteFile(path, good);
    CHumichartDataObj target;
    target.SetSlotStore(&store);
    EXPECT_EQ(Load(target, 6), kStatusOk);
}

TEST_F(SlotStore, WellFormedButHostileContentIsRefused) {
    // A point count far beyond the file, with a checksum that fits: refused
    // before anything is allocated. The count follows an empty remark, the
    // flags, the pressure, the CSSR region and the view range.
    CHumichartDataObj data = FullChart();
    Bytes bytes = CSlotFileCodec::Encode(data, L"");
    const std::size_t countAt = CSlotFileCodec::kHeaderSize + 4 + 8 * 4 + 8 + 4 * 8 + 4 * 8;
    ASSERT_EQ(bytes[countAt], data.points.size());
    for (int i = 0; i < 4; ++i) bytes[countAt + i] = 0xFF;
    const std::uint32_t crc = Crc32(std::span(bytes).subspan(CSlotFileCodec::kHeaderSize));
    for (int i = 0; i < 4; ++i) bytes[16 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    CHumichartDataObj target = OtherChart();
    std::wstring remark = L"kept";
    EXPECT_FALSE(CSlotFileCodec::Decode(bytes, target, remark));
    ExpectSameData(target, OtherChart());
    EXPECT_EQ(remark, L"kept");

    // Names are UTF-16 in the file whatever the width of wchar_t, so both
    // builds read each other's files: a character beyond the basic plane is
    // two units.
    const Bytes astral = CSlotFileCodec::Encode(data, L"\U0001F321");
    EXPECT_EQ(astral[CSlotFileCodec::kHeaderSize], 2);
    ASSERT_TRUE(CSlotFileCodec::Decode(astral, target, remark));
    EXPECT_TRUE(remark == L"\U0001F321");

    // A crafted file whose checksum fits but which carries a value that is no
    // number in any field: refused, the target untouched.
    using Poison = void (*)(CHumichartDataObj&, double);
    const Poison poisons[] = {
        [](CHumichartDataObj& d, double v) { d.airPressure = v; },
        [](CHumichartDataObj& d, double v) { d.viewRange.Dmax = v; },
        [](CHumichartDataObj& d, double v) { d.cssrRegion.maxT = v; },
        [](CHumichartDataObj& d, double v) { d.cssrRegion.minD = v; },
        [](CHumichartDataObj& d, double v) { d.points[3].I = v; },
        [](CHumichartDataObj& d, double v) { d.points[4].D = v; },
        [](CHumichartDataObj& d, double v) { d.processes[1].dAirFlow = v; },
        [](CHumichartDataObj& d, double v) { d.mixes[0].dFreshAirFlow = v; },
        [](CHumichartDataObj& d, double v) { d.mixes[1].dAirFlow = v; },
    };
    for (std::size_t field = 0; field < std::size(poisons); ++field)
        for (double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
            CHumichartDataObj crafted = FullChart();
            poisons[field](crafted, bad);
            target = OtherChart();
            EXPECT_FALSE(CSlotFileCodec::Decode(CSlotFileCodec::Encode(crafted, L""), target, remark)) << field;
            ExpectSameData(target, OtherChart());
        }

    // A pressure that is not a number is not saved; the slot keeps what it had.
    SaveFullChart(2);
    CSlotFileStore store(directory_);
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        CHumichartDataObj poisoned = OtherChart();
        poisoned.airPressure = bad;
        poisoned.SetSlotStore(&store);
        EXPECT_LT(poisoned.SaveSlot(2), 0);
    }
    CHumichartDataObj reloaded;
    reloaded.SetSlotStore(&store);
    ASSERT_EQ(Load(reloaded, 2), kStatusOk);
    ExpectSameData(reloaded, FullChart());
}

TEST_F(SlotStore, TableShowsWhatEachSlotHolds) {
    for (const StorageSlotInfo& row : CSlotFileStore(directory_).SlotTable())
        EXPECT_EQ(row.state, StorageSlotInfo::State::Empty);

    SaveFullChart(13);
    SaveFullChart(14);
    WriteFile(CSlotFileStore(directory_).SlotPath(4), Bytes(50, 0));

    const auto table = CSlotFileStore(directory_).SlotTable();
    ASSERT_EQ(table.size(), 14u);
    EXPECT_EQ(table[13].state, StorageSlotInfo::State::Saved);
    EXPECT_EQ(table[13].airPressure, 95123.5f);
    EXPECT_EQ(table[13].pointCount, 5u);
    EXPECT_EQ(table[13].processCount, 3u);
    EXPECT_EQ(table[13].mixCount, 2u);
    EXPECT_EQ(table[13].remark.rfind(L"Saved ", 0), 0u);
    EXPECT_LE(table[13].remark.size(), StorageSlotInfo::kMaxRemark);
    EXPECT_EQ(table[4].state, StorageSlotInfo::State::Damaged);
    for (std::uint32_t n = 0; n < 13; ++n)
        if (n != 4) EXPECT_EQ(table[n].state, StorageSlotInfo::State::Empty) << n;
    EXPECT_EQ(CSlotFileStore(directory_).Info(14).pointCount, 5u);
}

}  // namespace
}  // namespace humichart
