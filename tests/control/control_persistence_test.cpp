// The control's property stream through IPersistStreamInit and
// IPersistStorage, and storage slots reached through DataIndex.
#include <algorithm>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "CSlotFileStore.h"
#include "ControlTestSupport.h"

namespace {

template <class T>
void Append(std::vector<BYTE>& out, T value) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), bytes, bytes + sizeof value);
}

std::vector<BYTE> Stream(DWORD version, double pressure, DWORD cx = 5080) {
    std::vector<BYTE> s;
    Append<DWORD>(s, version);
    Append<DWORD>(s, cx);
    Append<DWORD>(s, 5080);
    for (double v : {pressure, 65.0, -30.0, 42.0, 0.0}) Append(s, v);
    for (DWORD flag : {1, 1, 1, 1, 0, 0, 1, 1}) Append(s, flag);
    Append<DWORD>(s, 0);
    return s;
}

ComPtr<IStream> MemoryStream(const std::vector<BYTE>& bytes) {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::vector<BYTE> Contents(IStream* stream) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

TEST_F(ControlTest, TheDefaultStreamIsTheEightyEightBytesOfTheLayout) {
    auto chart = CreateChart();
    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(chart.As(persist));
    ASSERT_EQ(persist->InitNew(), S_OK);
    ComPtr<IStream> stream = MemoryStream({});
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(Contents(stream.Get()), Stream(0x0800, 101325.0));
    ULARGE_INTEGER size{};
    persist->GetSizeMax(&size);
    EXPECT_EQ(size.QuadPart, 88u);
    CLSID clsid{};
    persist->GetClassID(&clsid);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_HumichartCtl));
}

TEST_F(ControlTest, ANewerVersionAndAShortStreamAreRefusedWithNothingChanged) {
    auto chart = CreateChart();
    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(chart.As(persist));
    EXPECT_TRUE(FAILED(persist->Load(MemoryStream(Stream(0x0801, 90000)).Get())));
    std::vector<BYTE> cut = Stream(0x0800, 90000);
    cut.resize(60);
    EXPECT_TRUE(FAILED(persist->Load(MemoryStream(cut).Get())));
    double p = 0;
    chart->get_AirPressure(&p);
    EXPECT_EQ(p, 101325.0);
    // What the launcher's template carries: an older version with its own extent.
    EXPECT_EQ(persist->Load(MemoryStream(Stream(0x0710, 101325, 16404)).Get()), S_OK);
    ComPtr<IOleObject> object;
    ASSERT_HRESULT_SUCCEEDED(chart.As(object));
    SIZEL extent{};
    object->GetExtent(DVASPECT_CONTENT, &extent);
    EXPECT_EQ(extent.cx, 16404);
}

TEST_F(HostedControlTest, AStreamBelowThePressureLimitLoadsAndTheChartStartsWithIt) {
    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(chart_.As(persist));
    ASSERT_EQ(persist->Load(MemoryStream(Stream(0x0800, 50000)).Get()), S_OK);
    ASSERT_EQ(Activate(), S_OK);
    ASSERT_FALSE(sink_->log.empty());
    EXPECT_EQ(sink_->log.front(), "OnInit(50000)");
    double p = 0;
    chart_->get_AirPressure(&p);
    EXPECT_EQ(p, 50000.0);
}

TEST_F(ActiveChartTest, AfterResetTheRangeReadsBackExactlyAndIsSavedSo) {
    ASSERT_EQ(chart_->put_RangeMaxT(40), S_OK);
    ASSERT_EQ(chart_->put_RangeMinT(-10), S_OK);
    ASSERT_EQ(chart_->Reset(), S_OK);
    double bounds[4] = {};
    chart_->get_RangeMaxT(&bounds[0]);
    chart_->get_RangeMinT(&bounds[1]);
    chart_->get_RangeMaxD(&bounds[2]);
    chart_->get_RangeMinD(&bounds[3]);
    EXPECT_EQ(bounds[0], 65.0);
    EXPECT_EQ(bounds[1], -30.0);
    EXPECT_EQ(bounds[2], 42.0);
    EXPECT_EQ(bounds[3], 0.0);
    // The stream carries the read-back values, to the last bit.
    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(chart_.As(persist));
    ComPtr<IStream> stream = MemoryStream({});
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    const std::vector<BYTE> saved = Contents(stream.Get());
    const std::vector<BYTE> expected = Stream(0x0800, 101325.0);
    ASSERT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(std::equal(saved.begin() + 12, saved.begin() + 52, expected.begin() + 12)) << "pressure and range";
}

TEST_F(ControlTest, StorageKeepsTheStreamAsContents) {
    ComPtr<ILockBytes> memory;
    ASSERT_HRESULT_SUCCEEDED(CreateILockBytesOnHGlobal(nullptr, TRUE, memory.Put()));
    ComPtr<IStorage> storage;
    ASSERT_HRESULT_SUCCEEDED(StgCreateDocfileOnILockBytes(
        memory.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, storage.Put()));
    {
        auto chart = CreateChart();
        chart->put_AirPressure(92000);
        chart->put_HasBorder(VARIANT_TRUE);
        ComPtr<IPersistStorage> persist;
        ASSERT_HRESULT_SUCCEEDED(chart.As(persist));
        ASSERT_EQ(persist->InitNew(storage.Get()), S_OK);
        ASSERT_EQ(persist->Save(storage.Get(), TRUE), S_OK);
        ASSERT_EQ(persist->SaveCompleted(nullptr), S_OK);
    }
    ComPtr<IStream> contents;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, contents.Put()), S_OK);
    EXPECT_EQ(Contents(contents.Get()).size(), 88u);
    contents.Reset();

    auto chart = CreateChart();
    ComPtr<IPersistStorage> persist;
    ASSERT_HRESULT_SUCCEEDED(chart.As(persist));
    ASSERT_EQ(persist->Load(storage.Get()), S_OK);
    double p = 0;
    VARIANT_BOOL border = 0;
    chart->get_AirPressure(&p);
    chart->get_HasBorder(&border);
    EXPECT_EQ(p, 92000.0);
    EXPECT_EQ(border, VARIANT_TRUE);
}

// A stream that fails its reads passes its status on.
class FailingStream final : public ComObjectRoot, public IStream {
public:
    FailingStream(IUnknown* outer) : ComObjectRoot(outer) {}
    COM_DELEGATING_IUNKNOWN
    STDMETHODIMP Read(void*, ULONG, ULONG* done) override {
        if (done) *done = 0;
        return STG_E_ACCESSDENIED;
    }
    STDMETHODIMP Write(const void*, ULONG, ULONG* done) override {
        if (done) *done = 0;
        return STG_E_MEDIUMFULL;
    }
    STDMETHODIMP Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP SetSize(ULARGE_INTEGER) override { return E_NOTIMPL; }
    STDMETHODIMP CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override { return E_NOTIMPL; }
    STDMETHODIMP Commit(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Revert() override { return E_NOTIMPL; }
    STDMETHODIMP LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Stat(STATSTG*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP Clone(IStream**) override { return E_NOTIMPL; }

private:
    void* FindOwnInterface(REFIID riid) override {
        return FindInterface<IStream, Via<ISequentialStream, IStream>>(this, riid);
    }
};

TEST_F(ControlTest, StreamErrorsComeBackAsTheStreamsOwn) {
    auto chart = CreateChart();
    ComPtr<IPersistStreamInit> persist;
    ASSERT_HRESULT_SUCCEEDED(chart.As(persist));
    ComPtr<IUnknown> owner;
    FailingStream* stream = MakeObject<FailingStream>(owner);
    EXPECT_EQ(persist->Load(stream), STG_E_ACCESSDENIED);
    EXPECT_EQ(persist->Save(stream, TRUE), STG_E_MEDIUMFULL);
}

// Slots kept where the control keeps them, in the tests' own application-data
// folder while a TestAppData lives.
std::filesystem::path SlotFolder() {
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
    return std::filesystem::path(appData) / L"Humichart" / L"slots";
}

constexpr std::uint32_t kSavedSlot = 11;
constexpr std::uint32_t kDamagedSlot = 12;

// Run on its own, in a process of its own, before the next one (see CMakeLists).
TEST(SlotAcrossProcesses, DISABLED_Save) {
    const TestAppData appData;
    ASSERT_EQ(SlotFolder(), appData.Folder() / L"Humichart" / L"slots");
    humichart::CSlotFileStore store(SlotFolder());
    humichart::CHumichartDataObj data;
    data.airPressure = 98000;
    data.points = {{40, 5, L"A"}, {50, 8, L"B"}, {30, 2, L""}};
    data.processes = {{L"A", L"B", L"AB", 1200}};
    ASSERT_TRUE(store.Save(kSavedSlot, data));
    std::filesystem::create_directories(SlotFolder());
    std::ofstream(store.SlotPath(kDamagedSlot), std::ios::binary) << "not a slot at all";
}

TEST_F(ActiveChartTest, DISABLED_SlotsSavedBeforeLoadIntoTheChartAndDamagedOnesAreRefused) {
    struct Cleaner {
        const TestAppData& appData;
        ~Cleaner() { appData.Clean(); }
    } cleaner{appData_};
    ASSERT_EQ(SlotFolder(), appData_.Folder() / L"Humichart" / L"slots");
    ASSERT_TRUE(std::filesystem::exists(SlotFolder() / L"slot11.hcs")) << "saved by the process before";
    auto keep = Bstr(L"keep");
    chart_->AddPoint(20, 1, keep.Get());
    ASSERT_EQ(chart_->put_DataIndex(kDamagedSlot), S_OK);
    EXPECT_EQ(Points(), 1u);
    EXPECT_EQ(PointName(0), L"keep");

    ASSERT_EQ(chart_->put_DataIndex(kSavedSlot), S_OK);
    ASSERT_EQ(Points(), 3u);
    EXPECT_EQ(PointName(1), L"B");
    ULONG n = 0, index = 0;
    chart_->ProcessCount(&n);
    chart_->get_DataIndex(&index);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(index, kSavedSlot);
    double p = 0;
    chart_->get_AirPressure(&p);
    EXPECT_EQ(p, 98000.0);
}

}  // namespace
