// Our compound file and the platform's structured storage agree both ways:
// what we write opens with StgOpenStorageEx with the very stream bytes, and
// what StgCreateStorageEx writes opens with our reader.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include "Biff8.h"
#include "CompoundFile.h"
#include "SampleWorkbooks.h"
#include "WorkbookFile.h"

namespace humichart::test {
namespace {

struct ComSession {
    ComSession() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComSession() { CoUninitialize(); }
};

template <class T>
struct Released {
    T* p = nullptr;
    ~Released() { if (p) p->Release(); }
};

std::vector<std::uint8_t> PlatformRead(const std::wstring& path) {
    Released<IStorage> storage;
    Released<IStream> stream;
    std::vector<std::uint8_t> bytes;
    if (FAILED(StgOpenStorageEx(path.c_str(), STGM_READ | STGM_SHARE_DENY_WRITE, STGFMT_STORAGE, 0, nullptr, nullptr,
                                IID_IStorage, reinterpret_cast<void**>(&storage.p))) ||
        FAILED(storage.p->OpenStream(L"Workbook", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream.p)))
        return bytes;
    std::uint8_t buffer[65536];
    ULONG got = 0;
    while (SUCCEEDED(stream.p->Read(buffer, sizeof buffer, &got)) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    return bytes;
}

bool PlatformWrite(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    Released<IStorage> storage;
    Released<IStream> stream;
    ULONG written = 0;
    return SUCCEEDED(StgCreateStorageEx(path.c_str(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE,
                                        STGFMT_STORAGE, 0, nullptr, nullptr, IID_IStorage,
                                        reinterpret_cast<void**>(&storage.p))) &&
           SUCCEEDED(storage.p->CreateStream(L"Workbook", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream.p)) &&
           SUCCEEDED(stream.p->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) &&
           written == bytes.size() && SUCCEEDED(storage.p->Commit(STGC_DEFAULT));
}

TEST(StructuredStorage, OurFilesOpenOnThePlatformAndThePlatformsWithUs) {
    ComSession com;
    ScratchDir dir;
    for (const NamedWorkbook& sample : SampleWorkbooks()) {
        SCOPED_TRACE(sample.name);
        const std::vector<std::uint8_t> stream = WriteBiff8(sample.workbook);
        const std::wstring ours = dir.path().wstring() + L"\\ours.xls";
        std::wstring error;
        ASSERT_TRUE(SaveWorkbookFile(ours, sample.workbook, error));
        EXPECT_EQ(PlatformRead(ours), stream);

        const std::wstring platforms = dir.path().wstring() + L"\\platform.xls";
        ASSERT_TRUE(PlatformWrite(platforms, stream));
        Workbook read;
        ASSERT_TRUE(LoadWorkbookFile(platforms, read, error)) << Escaped(error);
        EXPECT_EQ(Dump(read), Dump(sample.workbook));
    }
    // A spreadsheet program's file whose workbook lies in the mini stream.
    const std::wstring fixture = std::filesystem::path(XLS_FIXTURES L"/libreoffice/basic.xls").wstring();
    std::vector<std::uint8_t> file = ReadAll(fixture), stream;
    ASSERT_EQ(ReadCompoundStream(file.data(), file.size(), u"Workbook", stream), CompoundRead::Ok);
    ASSERT_LT(stream.size(), 4096u);
    EXPECT_EQ(PlatformRead(fixture), stream);
}

}  // namespace
}  // namespace humichart::test
