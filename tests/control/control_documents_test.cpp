// The control's documents, workbooks and menu commands for hosts, through its
// vtable, each failure described through the error object; the host told of
// the user's changes to the data and never of its own.
#include "ControlTestSupport.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "DocumentLayout.h"
#include "../ModalScript.h"
#include "WorkbookFile.h"

namespace {

using Log = std::vector<std::string>;
using humichart::test::ModalScript;
using humichart::test::User;

// The description the last failing call left, and none left behind.
std::wstring Described() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info) return L"(no error information)";
    BSTR description = nullptr;
    info->GetDescription(&description);
    std::wstring text = description ? description : L"";
    SysFreeString(description);
    info->Release();
    return text;
}

std::vector<char> Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DocumentsTest : public ActiveChartTest {
protected:
    void SetUp() override {
        ActiveChartTest::SetUp();
        folder_ = appData_.Folder() / L"documents";
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder_, error))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(folder_, error);
        ActiveChartTest::TearDown();
    }

    std::wstring File(const wchar_t* name) const { return (folder_ / name).wstring(); }
    HRESULT Save(const std::wstring& path) { return chart_->SaveDocument(Bstr(path.c_str()).Get()); }
    HRESULT Open(const std::wstring& path) { return chart_->OpenDocument(Bstr(path.c_str()).Get()); }

    HWND ChartWindow() { return GetWindow(ControlWindow(), GW_CHILD); }
    // A key pressed on the chart, with Shift, Ctrl and Alt held or not.
    void Key(UINT code, bool shiftCtrlAlt = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        for (int held : {VK_SHIFT, VK_CONTROL, VK_MENU}) keys[held] = shiftCtrlAlt ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(ChartWindow(), WM_KEYDOWN, code, 0);
        for (int held : {VK_SHIFT, VK_CONTROL, VK_MENU}) keys[held] = 0;
        SetKeyboardState(keys);
    }

    // A chart of named and unnamed points, a process without a name, a mix,
    // a region, flags and a range of the user's.
    void Fill() {
        auto a = Bstr(L"A"), b = Bstr(L"B"), m = Bstr(L"M"), mix = Bstr(L"Mix");
        ASSERT_EQ(chart_->AddPoint(55.5, 11.0, a.Get()), S_OK);
        ASSERT_EQ(chart_->AddPoint(40.25, 7.125, b.Get()), S_OK);
        ASSERT_EQ(chart_->AddPoint(30.0, 5.0, nullptr), S_OK);
        ASSERT_EQ(chart_->AddProcess(a.Get(), b.Get(), nullptr, 1200.5), S_OK);
        ASSERT_EQ(chart_->AddMixLine(a.Get(), b.Get(), m.Get(), mix.Get(), 300, 1000), S_OK);
        ASSERT_EQ(chart_->SetCSSR(20, 26, 5, 10), S_OK);
        ASSERT_EQ(chart_->put_HasTLine(VARIANT_FALSE), S_OK);
        ASSERT_EQ(chart_->put_HasBorder(VARIANT_TRUE), S_OK);
        ASSERT_EQ(chart_->put_RangeMaxT(50.5), S_OK);
    }

    std::filesystem::path folder_;
};

TEST_F(DocumentsTest, ADocumentOpenedAndSavedAgainIsTheSameFile) {
    Fill();
    Key('L', true);  // the caption hidden, as a document keeps it
    const std::wstring first = File(L"first.xls"), second = File(L"second.xls");
    ASSERT_EQ(Save(first), S_OK) << Described();
    ASSERT_EQ(chart_->Reset(), S_OK);
    ASSERT_EQ(Points(), 0u);
    ASSERT_EQ(Open(first), S_OK) << Described();
    EXPECT_EQ(Points(), 4u);
    VARIANT_BOOL flag = VARIANT_TRUE;
    chart_->get_HasTLine(&flag);
    EXPECT_EQ(flag, VARIANT_FALSE);
    ASSERT_EQ(Save(second), S_OK) << Described();
    EXPECT_EQ(Bytes(first), Bytes(second));
    // Nothing left beside the documents.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) files += entry.is_regular_file();
    EXPECT_EQ(files, 2);
}

// A save that fails says which file and why, and leaves the old file whole
// and no new one beside it.
TEST_F(DocumentsTest, AFailedSaveLeavesTheOldFileWhole) {
    Fill();
    const std::wstring path = File(L"kept.xls");
    ASSERT_EQ(Save(path), S_OK);
    const std::vector<char> kept = Bytes(path);
    ASSERT_EQ(chart_->AddPoint(45, 8, Bstr(L"C").Get()), S_OK);
    struct Case {
        const char* what;
        std::wstring path;
        std::function<HANDLE()> before;  // a handle to close after, or null
        std::wstring reason;
    };
    const Case cases[] = {
        {"read-only", path, [&] {
             SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
             return HANDLE(nullptr);
         },
         L"the file is read-only."},
        {"open in another program", path, [&] {
             SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
             return CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
         },
         L"the file is open in another program."},
        {"no such folder", File(L"missing\\chart.xls"), [] { return HANDLE(nullptr); },
         L"its folder does not exist."},
        {"a folder", folder_.wstring(), [] { return HANDLE(nullptr); }, L"it is a folder."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HANDLE held = c.before();
        EXPECT_TRUE(FAILED(Save(c.path)));
        EXPECT_EQ(Described(), L"The document \"" + c.path + L"\" cannot be saved: " + c.reason);
        if (held && held != INVALID_HANDLE_VALUE) CloseHandle(held);
        EXPECT_EQ(Bytes(path), kept);
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder_)) files += entry.is_regular_file();
        EXPECT_EQ(files, 1);
    }
    // And with the file free again the save goes through.
    ASSERT_EQ(Save(path), S_OK) << Described();
    EXPECT_NE(Bytes(path), kept);
}

// An open that fails says which file and why, and the chart stays as it was.
TEST_F(DocumentsTest, AFailedOpenChangesNothing) {
    Fill();
    const auto write = [&](const wchar_t* name, const humichart::Workbook& book) {
        const std::vector<std::uint8_t> bytes = humichart::WorkbookFileBytes(book);
        std::ofstream(folder_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                               static_cast<std::streamsize>(bytes.size()));
        return File(name);
    };
    humichart::CHumichartDataObj above;
    above.points = {{50.0, 30.0, L"Fog"}};  // far above saturation
    humichart::Workbook noChart = humichart::DocumentWorkbook(above, true);
    noChart.sheets[0].name = L"Sheet1";
    std::ofstream(folder_ / L"notes.xls") << "not a workbook";
    struct Case {
        std::wstring path;
        std::wstring reason;
    };
    const Case cases[] = {
        {File(L"absent.xls"), L"the file does not exist."},
        {File(L"notes.xls"), L"The file is not an Excel 97-2003 workbook."},
        {write(L"nochart.xls", noChart), L"Missing sheet named as Humichart."},
        {write(L"fog.xls", humichart::DocumentWorkbook(above, true)), L"above saturation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_TRUE(FAILED(Open(c.path)));
        const std::wstring said = Described();
        EXPECT_EQ(said.rfind(L"The document \"" + c.path + L"\" cannot be opened: ", 0), 0u) << said;
        EXPECT_NE(said.find(c.reason), std::wstring::npos) << said;
        EXPECT_EQ(Points(), 4u);
        EXPECT_EQ(PointName(0), L"A");
    }
}

TEST_F(DocumentsTest, WorkbooksGoOutAndComeInAsDataIOsDo) {
    Fill();
    const std::wstring path = File(L"exchange.xls");
    ASSERT_EQ(chart_->ExportWorkbook(Bstr(path.c_str()).Get()), S_OK) << Described();
    ASSERT_EQ(chart_->RemoveAllPoints(), S_OK);
    ASSERT_EQ(chart_->ImportWorkbook(Bstr(path.c_str()).Get()), S_OK) << Described();
    // The exchange layout keeps the named records only.
    EXPECT_EQ(Points(), 3u);
    ULONG processes = 9;
    chart_->ProcessCount(&processes);
    EXPECT_EQ(processes, 0u);

    EXPECT_EQ(chart_->ExportWorkbook(Bstr(File(L"chart.txt").c_str()).Get()), E_INVALIDARG);
    EXPECT_EQ(Described(), L"The name \"" + File(L"chart.txt") +
                               L"\" does not end in .xls: the chart exchanges Excel 97-2003 workbooks (.xls) only.");
    EXPECT_FALSE(std::filesystem::exists(folder_ / L"chart.txt"));
    EXPECT_TRUE(FAILED(chart_->ImportWorkbook(Bstr(File(L"absent.xls").c_str()).Get())));
    const std::wstring said = Described();
    EXPECT_EQ(said.rfind(L"Code = ", 0), 0u) << "the Exception box's text: " << testing::PrintToString(said);
    EXPECT_NE(said.find(L"absent.xls"), std::wstring::npos);
    EXPECT_EQ(Points(), 3u);
}

// Pictures by the name's ending, at the window's size or both sizes given;
// anything else is refused with the rule, and no file is left.
TEST_F(DocumentsTest, PicturesArePngOrEmfAtTheSizeAskedFor) {
    Fill();
    const auto size = [](long pixels) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_I4;
        v.lVal = pixels;
        return v;
    };
    VARIANT none;
    VariantInit(&none);
    none.vt = VT_ERROR;
    none.scode = DISP_E_PARAMNOTFOUND;  // an optional argument left out
    struct Case {
        const wchar_t* name;
        VARIANT width, height;
        std::string starts;  // the file's first bytes; empty: refused
        int pngWidth = 0;
    };
    const Case cases[] = {
        {L"window.png", none, none, "\x89PNG", 640},
        {L"WIDE.PNG", size(1200), size(300), "\x89PNG", 1200},
        {L"vector.emf", none, none, "\x01"},
        {L"vector.Emf", size(320), size(240), "\x01"},
        {L"width only.png", size(800), none, ""},
        {L"zero.png", size(0), size(10), ""},
        {L"huge.png", size(10001), size(10), ""},
        {L"chart.bmp", none, none, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const std::wstring path = File(c.name);
        const HRESULT hr = chart_->SavePicture(Bstr(path.c_str()).Get(), c.width, c.height);
        if (c.starts.empty()) {
            EXPECT_EQ(hr, E_INVALIDARG);
            const std::wstring said = Described();
            EXPECT_TRUE(said.find(L"must end in .png or .emf") != std::wstring::npos ||
                        said.find(L"both a width and a height") != std::wstring::npos)
                << testing::PrintToString(said);
            EXPECT_FALSE(std::filesystem::exists(path));
            continue;
        }
        ASSERT_EQ(hr, S_OK) << testing::PrintToString(Described());
        const std::vector<char> bytes = Bytes(path);
        ASSERT_GT(bytes.size(), 64u);
        EXPECT_EQ(std::string(bytes.data(), c.starts.size()), c.starts);
        if (c.pngWidth) {  // the PNG's header: its width, big-endian, at byte 16
            const auto* w = reinterpret_cast<const unsigned char*>(bytes.data() + 16);
            EXPECT_EQ((w[0] << 24) | (w[1] << 16) | (w[2] << 8) | w[3], c.pngWidth);
        } else {  // " EMF", the enhanced metafile's signature
            EXPECT_EQ(std::string(bytes.data() + 40, 4), " EMF");
        }
    }
    const std::wstring nowhere = File(L"missing\\chart.png");
    EXPECT_TRUE(FAILED(chart_->SavePicture(Bstr(nowhere.c_str()).Get(), none, none)));
    EXPECT_EQ(Described(), L"The picture \"" + nowhere + L"\" cannot be saved: its folder does not exist.");
}

TEST_F(DocumentsTest, MenuCommandsRunAsFromTheMenuAndSayWhenTheyCannot) {
    LONG state = -1;
    ASSERT_EQ(chart_->CommandState(208, &state), S_OK);
    EXPECT_EQ(state, 1);
    ASSERT_EQ(chart_->ExecuteCommand(208), S_OK);
    chart_->CommandState(208, &state);
    EXPECT_EQ(state, 3) << "Move and zoom on, shown checked";
    for (LONG unknown : {32787L, 0L, -1L, 212L}) {
        EXPECT_EQ(chart_->ExecuteCommand(unknown), E_INVALIDARG) << unknown;
        EXPECT_EQ(chart_->CommandState(unknown, &state), E_INVALIDARG) << unknown;
        EXPECT_EQ(Described(), std::to_wstring(unknown) + L" is not a command of the chart's menu.");
    }

    // Run from the menu's command, a data command tells of its change as the
    // menu does.
    ASSERT_EQ(chart_->AddPoint(30, 5, nullptr), S_OK);
    sink_->log.clear();
    ASSERT_EQ(chart_->ExecuteCommand(209), S_OK);
    EXPECT_EQ(Points(), 0u);
    EXPECT_EQ(sink_->log, Log{"OnDataChanged()"});

    // While one of its dialogs is open the chart takes no command and no
    // document; closed, it takes them again.
    bool checked = false;
    ModalScript script;
    script.In(L"Humichart property", "the graph property dialog", [&](HWND dialog) {
        LONG busy = -1;
        EXPECT_EQ(chart_->CommandState(203, &busy), S_OK);
        EXPECT_EQ(busy, 0);
        EXPECT_EQ(chart_->ExecuteCommand(203), HRESULT_FROM_WIN32(ERROR_BUSY));
        EXPECT_EQ(Described(), L"The chart is busy with one of its dialogs or its menu. Close it first and try again.");
        EXPECT_EQ(Open(File(L"any.xls")), HRESULT_FROM_WIN32(ERROR_BUSY));
        checked = true;
        User::Click(dialog, IDCANCEL);
    });
    script.Run([&] { EXPECT_EQ(chart_->ExecuteCommand(207), S_OK); });
    EXPECT_TRUE(checked);
    chart_->CommandState(203, &state);
    EXPECT_EQ(state, 1);
}

// The host hears of what the user changes, never of what it changes itself.
TEST_F(DocumentsTest, OnDataChangedTellsOfTheUsersChangesOnly) {
    Fill();
    sink_->log.clear();
    Key('B');
    EXPECT_EQ(sink_->log, Log{"OnDataChanged()"});
    sink_->log.clear();
    const std::wstring path = File(L"host.xls");
    auto a = Bstr(L"A"), n = Bstr(L"N");
    EXPECT_EQ(Save(path), S_OK);
    EXPECT_EQ(Open(path), S_OK);
    EXPECT_EQ(chart_->ExportWorkbook(Bstr(path.c_str()).Get()), S_OK);
    EXPECT_EQ(chart_->ImportWorkbook(Bstr(path.c_str()).Get()), S_OK);
    EXPECT_EQ(chart_->AddPoint(41, 6, n.Get()), S_OK);
    EXPECT_EQ(chart_->RemovePoint(n.Get()), S_OK);
    EXPECT_EQ(chart_->put_HasDLine(VARIANT_FALSE), S_OK);
    EXPECT_EQ(chart_->put_AirPressure(90000), S_OK);
    EXPECT_EQ(chart_->put_DataIndex(3), S_OK);
    EXPECT_EQ(chart_->RemoveNoNamePoints(), S_OK);
    EXPECT_EQ(chart_->RemoveAllProcesses(), S_OK);
    EXPECT_EQ(chart_->Reset(), S_OK);
    EXPECT_EQ(sink_->log, Log{});
}

}  // namespace
