// Reading dialog templates with class-id items and dialog initialisation data,
// including damaged ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "DialogTemplate.h"
#include "DlgInit.h"
#include "TestControl.h"
#include "TestResources.h"

namespace {

std::vector<BYTE> Resource(UINT id, LPCWSTR type) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module, found));
}

TEST(DialogTemplate, ExtendedTemplateLosesOnlyItsClassIdItem) {
    const auto bytes = Resource(IDD_TEST_EXTENDED, RT_DIALOG);
    ASSERT_FALSE(bytes.empty());
    const auto split = SplitOleControls(bytes.data(), bytes.size());
    ASSERT_TRUE(split);
    EXPECT_TRUE(split->extended);
    EXPECT_EQ(split->itemCount, 3u);
    ASSERT_EQ(split->controls.size(), 1u);
    const OleControlItem& item = split->controls[0];
    EXPECT_TRUE(IsEqualCLSID(item.clsid, CLSID_TestControl));
    EXPECT_EQ(item.id, static_cast<DWORD>(IDC_TEST_CONTROL));
    EXPECT_EQ(item.templateIndex, 1u);
    EXPECT_EQ(item.rect.left, 10);
    EXPECT_EQ(item.rect.top, 20);
    EXPECT_EQ(item.rect.right, 110);
    EXPECT_EQ(item.rect.bottom, 80);
    EXPECT_TRUE(item.style & WS_TABSTOP);

    // The rewritten template counts two items and is itself a valid template
    // with nothing left to take out.
    WORD count = 0;
    std::memcpy(&count, split->dialogTemplate.data() + 16, sizeof count);
    EXPECT_EQ(count, 2);
    const auto again = SplitOleControls(split->dialogTemplate.data(), split->dialogTemplate.size());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->itemCount, 2u);
    EXPECT_TRUE(again->controls.empty());
}

TEST(DialogTemplate, PlainTemplateIsReadToo) {
    const auto bytes = Resource(IDD_TEST_PLAIN, RT_DIALOG);
    const auto split = SplitOleControls(bytes.data(), bytes.size());
    ASSERT_TRUE(split);
    EXPECT_FALSE(split->extended);
    ASSERT_EQ(split->controls.size(), 1u);
    EXPECT_EQ(split->controls[0].id, static_cast<DWORD>(IDC_TEST_CONTROL));
    EXPECT_FALSE(split->controls[0].style & WS_VISIBLE);
    WORD count = 1;
    std::memcpy(&count, split->dialogTemplate.data() + 8, sizeof count);
    EXPECT_EQ(count, 0);
}

TEST(DialogTemplate, TruncatedTemplatesAreRefusedWithoutReadingPastTheEnd) {
    const auto bytes = Resource(IDD_TEST_EXTENDED, RT_DIALOG);
    ASSERT_GT(bytes.size(), 8u);
    // Each prefix in a buffer of its own size, so that a read past it would
    // be a read past an allocation.
    for (size_t size = 0; size + 3 < bytes.size(); ++size) {
        std::vector<BYTE> prefix(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(size));
        EXPECT_FALSE(SplitOleControls(prefix.data(), prefix.size())) << "size " << size;
    }
    EXPECT_FALSE(SplitOleControls(nullptr, 100));
}

TEST(DialogTemplate, OnlyBracedClassIdsAreControls) {
    EXPECT_TRUE(ClassIdFromWindowClass(L"{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}"));
    EXPECT_FALSE(ClassIdFromWindowClass(L"CB3BFDC9-32B5-4E4F-9A2D-21614711E44C"));
    EXPECT_FALSE(ClassIdFromWindowClass(L"{CB3BFDC9-32B5-4E4F-9A2D-21614711E44X}"));
    EXPECT_FALSE(ClassIdFromWindowClass(L"Button"));
    EXPECT_FALSE(ClassIdFromWindowClass(L""));
}

std::vector<BYTE> Record(WORD id, WORD message, const std::vector<BYTE>& data) {
    std::vector<BYTE> out(8);
    const DWORD length = static_cast<DWORD>(data.size());
    std::memcpy(out.data(), &id, 2);
    std::memcpy(out.data() + 2, &message, 2);
    std::memcpy(out.data() + 4, &length, 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TEST(DlgInit, RecordsUpToTheZeroId) {
    auto bytes = Record(1000, kDlgInitLoadFromStream, {9, 8, 7});
    const auto second = Record(1001, kDlgInitInitNew, {});
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.insert(bytes.end(), {0, 0, 0xEE, 0xEE});  // anything after the end is not read
    const auto records = ParseDlgInit(bytes.data(), bytes.size());
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 2u);
    EXPECT_EQ((*records)[0].controlId, 1000);
    EXPECT_EQ((*records)[0].data, (std::vector<BYTE>{9, 8, 7}));
    EXPECT_EQ((*records)[1].message, kDlgInitInitNew);
}

TEST(DlgInit, DamagedRecordsAreRefused) {
    auto bytes = Record(1000, kDlgInitLoadFromStream, {1, 2, 3, 4});
    bytes.push_back(0);
    bytes.push_back(0);
    // A length past the end of the resource.
    auto overlong = bytes;
    overlong[4] = 200;
    EXPECT_FALSE(ParseDlgInit(overlong.data(), overlong.size()));
    // No terminator.
    EXPECT_FALSE(ParseDlgInit(bytes.data(), bytes.size() - 2));
    // A header cut short.
    EXPECT_FALSE(ParseDlgInit(bytes.data(), 5));
    EXPECT_FALSE(ParseDlgInit(bytes.data(), 1));
}

TEST(DlgInit, LicenceKeyPrecedesTheStreamInTheExtendedForm) {
    // Two characters of key, then three bytes of stream.
    DlgInitRecord record{1000, kDlgInitLoadFromStreamEx, {2, 0, 0, 0, 'K', 0, 'Y', 0, 0xA, 0xB, 0xC}};
    const auto init = DecodeControlInit(record);
    ASSERT_TRUE(init);
    EXPECT_EQ(init->licenceKey, L"KY");
    EXPECT_EQ(init->persisted, (std::vector<BYTE>{0xA, 0xB, 0xC}));
    EXPECT_FALSE(init->fromStorage);

    record.data = {0, 0, 0, 0, 0x10, 0x07};
    ASSERT_TRUE(DecodeControlInit(record));
    EXPECT_TRUE(DecodeControlInit(record)->licenceKey.empty());
    EXPECT_EQ(DecodeControlInit(record)->persisted, (std::vector<BYTE>{0x10, 0x07}));

    record.data = {9, 0, 0, 0, 'K', 0};  // a key longer than the data
    EXPECT_FALSE(DecodeControlInit(record));
    record.data = {1, 0};  // not even a count
    EXPECT_FALSE(DecodeControlInit(record));

    // The plain form carries the stream alone.
    const auto plain = DecodeControlInit(DlgInitRecord{1000, kDlgInitLoadFromStream, {0, 0, 0, 0}});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->persisted.size(), 4u);
    EXPECT_FALSE(DecodeControlInit(DlgInitRecord{1000, 0x0401, {}})) << "not a control message";
}

}  // namespace
