#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

#include "CChartDialogs.h"
#include "CChartView.h"
#include "CDlgDataIO.h"
#include "CSlotFileStore.h"
#include "ChartHost.h"
#include "DataIOContent.h"
#include "DataIODialogsResource.h"
#include "DialogDriver.h"
#include "ExchangeTestSupport.h"
#include "../Win32Callbacks.h"

namespace humichart::test {
namespace {

class DataIODialogTest : public ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        host = std::make_unique<render::ChartHost>(600, 400);
        ASSERT_TRUE(host->Ok());
        slots = std::make_unique<CSlotFileStore>(folder / "slots");
        CIDWnd& chart = host->Chart();
        chart.SetSlotStore(slots.get());
        chart.airPressure = 95000.0;
        chart.points = {{50.0, 10.0, L"A"}, {30.0, 5.0, L""}, {44.0, 9.5, L"B"}};
        chart.processes = {{L"A", L"B", L"P1", 1200.0}};
        chart.mixes = {{L"A", L"B", L"M", L"X1", 300.0, 1000.0}};
    }
    void TearDown() override {
        host.reset();
        ExchangeTest::TearDown();
    }

    // Runs the Data IO dialog over the chart while script drives it from a
    // second thread; answers the dialog's result, or 0 when the dialog was
    // opened as the context menu's "Data IO..." command opens it.
    INT_PTR Run(const std::function<void(DialogDriver&, HWND)>& script, bool fromMenu = false) {
        DialogDriver driver(GetCurrentThreadId());
        std::thread user([&] {
            if (HWND dialog = driver.Wait(L"Data IO")) script(driver, dialog);
            if (!driver.problems.empty()) {
                for (int i = 0; i < 50 && driver.problems.size() < 100; ++i) {  // unblock the dialog thread
                    driver.CloseAll();
                    Sleep(100);
                }
            }
        });
        INT_PTR result = 0;
        if (fromMenu) {
            EXPECT_TRUE(CChartDialogs().Open(host->Chart(), 32771));
        } else {
            CDlgDataIO dialog(host->Chart());
            result = dialog.DoModal(host->Parent());
        }
        user.join();
        for (const std::string& p : driver.problems) ADD_FAILURE() << p;
        return result;
    }

    static std::vector<std::wstring> Expected(const CHumichartDataObj& data) {
        std::vector<std::wstring> lines;
        for (const TreeRoot& root : DataTree(data)) {
            lines.push_back(root.text);
            for (const std::wstring& child : root.children) lines.push_back(L"  " + child);
        }
        return lines;
    }

    std::unique_ptr<render::ChartHost> host;
    std::unique_ptr<CSlotFileStore> slots;
};

TEST_F(DataIODialogTest, ExportAndImportThroughTheFileDialogsReachTheChartOnlyOnOk) {
    CIDWnd& chart = host->Chart();
    // Another chart in a workbook to import.
    CHumichartDataObj other;
    other.airPressure = 80000.0;
    CChartView(other).SetRange(0.0, 30.0, 1.0, 20.0);
    other.points = {{20.0, 3.0, L"Q"}};
    CExchangeClient writer = Client();
    const std::wstring otherPath = PathOf(L"other.xls");
    ASSERT_EQ(writer.ExportTo(nullptr, otherPath, other), CExchangeClient::Outcome::Done);
    const std::vector<std::wstring> before = Expected(chart);

    std::vector<std::wstring> treeAtStart, treeAfterImport;
    EXPECT_EQ(Run([&](DialogDriver& user, HWND dialog) {
                  HWND tree = GetDlgItem(dialog, IDC_DATAIO_TREE);
                  treeAtStart = DialogDriver::TreeLines(tree);
                  DialogDriver::Click(dialog, IDC_DATAIO_EXPORT);
                  user.ChooseFile(L"Save As", PathOf(L"typed"));  // the dialog adds .xls
                  DialogDriver::Click(dialog, IDC_DATAIO_IMPORT);
                  user.ChooseFile(L"Open", otherPath);
                  for (int i = 0; i < 500 && DialogDriver::TreeLines(tree) != Expected(other); ++i) Sleep(20);
                  treeAfterImport = DialogDriver::TreeLines(tree);
                  DialogDriver::Click(dialog, IDCANCEL);
              }),
              IDCANCEL);
    EXPECT_EQ(treeAtStart, before);
    EXPECT_EQ(treeAfterImport, Expected(other));
    EXPECT_TRUE(std::filesystem::exists(folder / "typed.xls"));
    EXPECT_EQ(chart.points.size(), 3u);  // Cancel drops the import
    EXPECT_EQ(chart.airPressure, 95000.0);

    // The file exported above holds the chart's named records.
    CHumichartDataObj back;
    ASSERT_EQ(writer.ImportFrom(nullptr, PathOf(L"typed.xls"), back, nullptr), CExchangeClient::Outcome::Done);
    ASSERT_EQ(back.points.size(), 2u);
    EXPECT_EQ(back.points[1].name, L"B");

    chart.View().renderPending = 0;
    EXPECT_EQ(Run([&](DialogDriver& user, HWND dialog) {
                  DialogDriver::Click(dialog, IDC_DATAIO_IMPORT);
                  user.ChooseFile(L"Open", otherPath);
                  HWND tree = GetDlgItem(dialog, IDC_DATAIO_TREE);
                  for (int i = 0; i < 500 && DialogDriver::TreeLines(tree) != Expected(other); ++i) Sleep(20);
                  DialogDriver::Click(dialog, IDOK);
              }),
              IDOK);
    ASSERT_EQ(chart.points.size(), 1u);  // the chart's own points do not survive
    EXPECT_EQ(chart.points[0].name, L"Q");
    EXPECT_TRUE(chart.processes.empty());
    EXPECT_EQ(chart.airPressure, 80000.0);
    EXPECT_EQ(chart.View().renderPending, 1);
}

TEST_F(DataIODialogTest, FailedImportsShowTheirMessagesAndLeaveTheChartAlone) {
    CIDWnd& chart = host->Chart();
    Workbook word;
    word.sheets.push_back({L"Humichart", {}});
    Put(word.sheets[0], L"C3", 70000.0);
    Put(word.sheets[0], L"E3", L"A");
    Put(word.sheets[0], L"F3", L"warm");
    const std::wstring wordPath = WriteWorkbook(L"word.xls", word);
    word.sheets[0].name = L"Sheet1";
    const std::wstring noSheetPath = WriteWorkbook(L"nosheet.xls", word);
    // Two points named A: refused as a whole.
    Workbook twice;
    twice.sheets.push_back({L"Humichart", {}});
    Put(twice.sheets[0], L"C3", 70000.0);
    Put(twice.sheets[0], L"E3", L"A");
    Put(twice.sheets[0], L"F3", 40.0);
    Put(twice.sheets[0], L"G3", 8.0);
    Put(twice.sheets[0], L"E4", L"A");
    Put(twice.sheets[0], L"F4", 55.0);
    Put(twice.sheets[0], L"G4", 10.0);
    const std::wstring twicePath = WriteWorkbook(L"twice.xls", twice);

    std::wstring exception, failed, repeated;
    std::vector<std::wstring> tree;
    EXPECT_EQ(Run([&](DialogDriver& user, HWND dialog) {
                  DialogDriver::Click(dialog, IDC_DATAIO_IMPORT);
                  user.ChooseFile(L"Open", wordPath);
                  exception = user.Answer(L"Exception");
                  DialogDriver::Click(dialog, IDC_DATAIO_IMPORT);
                  user.ChooseFile(L"Open", noSheetPath);
                  failed = user.Answer(L"Failed");
                  DialogDriver::Click(dialog, IDC_DATAIO_IMPORT);
                  user.ChooseFile(L"Open", twicePath);
                  repeated = user.Answer(L"Failed");
                  tree = DialogDriver::TreeLines(GetDlgItem(dialog, IDC_DATAIO_TREE));
                  DialogDriver::Click(dialog, IDOK);
              }, true),
              0);
    EXPECT_NE(exception.find(L"Code = 80020005"), std::wstring::npos);
    EXPECT_NE(exception.find(L"Description = Cell F3 holds text that is not a number"), std::wstring::npos);
    EXPECT_EQ(failed, L"Missing sheet named as Humichart.");
    EXPECT_EQ(repeated, L"Two points are named \"A\" in this workbook. Point names must differ: nothing was imported.");
    EXPECT_EQ(tree, Expected(chart));  // the tree is not rebuilt after a failure
    EXPECT_EQ(chart.points.size(), 3u);  // OK without a successful import changes nothing
    EXPECT_EQ(chart.airPressure, 95000.0);
}

TEST_F(DataIODialogTest, StorageListSavesAndReadsSlotsAndEscapeDoesNothingFurther) {
    CIDWnd& chart = host->Chart();
    std::wstring noImplement, saved, read, missing;
    std::vector<std::wstring> row3;
    int rows = 0, width0 = 0, width5 = 0;
    DWORD styles = 0;
    EXPECT_EQ(Run([&](DialogDriver& user, HWND dialog) {
                  DialogDriver::Click(dialog, IDC_DATAIO_SAVE);
                  HWND list = user.Wait(L"Storage");
                  if (!list) return;
                  HWND items = GetDlgItem(list, IDC_FILELIST_LIST);
                  DialogDriver::Key(items, VK_ESCAPE);
                  user.Gone(list);
                  DialogDriver::Click(dialog, IDC_DATAIO_STORAGE);  // the next box must be this one's
                  noImplement = user.Answer(L"Infomation");

                  DialogDriver::Click(dialog, IDC_DATAIO_SAVE);
                  list = user.Wait(L"Storage");
                  items = GetDlgItem(list, IDC_FILELIST_LIST);
                  DialogDriver::DoubleClickRow(items, 3);
                  saved = user.Answer(L"Infomation");

                  DialogDriver::Click(dialog, IDC_DATAIO_READ);
                  list = user.Wait(L"Storage");
                  items = GetDlgItem(list, IDC_FILELIST_LIST);
                  rows = ListView_GetItemCount(items);
                  for (int c = 0; c < 6; ++c) row3.push_back(DialogDriver::ListCell(items, 3, c));
                  width0 = ListView_GetColumnWidth(items, 0);
                  width5 = ListView_GetColumnWidth(items, 5);
                  styles = ListView_GetExtendedListViewStyle(items);
                  DialogDriver::DoubleClickRow(items, 5);
                  missing = user.Answer(L"Infomation");

                  DialogDriver::Click(dialog, IDC_DATAIO_READ);
                  list = user.Wait(L"Storage");
                  DialogDriver::DoubleClickRow(GetDlgItem(list, IDC_FILELIST_LIST), 3);
                  read = user.Answer(L"Infomation");
                  DialogDriver::Click(dialog, IDOK);
              }),
              IDOK);
    EXPECT_EQ(noImplement, L"No implement.");
    EXPECT_EQ(saved, L"Successfully saved data to storage (index=3)");
    EXPECT_EQ(missing, L"Failed load data from storage (index=5)");
    EXPECT_EQ(read, L"Successfully load data from storage (index=3)");
    EXPECT_EQ(rows, 14);
    EXPECT_EQ(row3, (std::vector<std::wstring>{L"0003", L"95000.0", L"3", L"1", L"1", slots->SlotTable()[3].remark}));
    EXPECT_EQ(width0, 60);
    EXPECT_EQ(width5, 110);
    EXPECT_EQ(styles & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT),
              static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT));
    EXPECT_EQ(chart.points.size(), 3u);  // the slot held the chart's own data
}

TEST_F(DataIODialogTest, StorageReadReachesTheChartOnlyOnOk) {
    CIDWnd& chart = host->Chart();
    CHumichartDataObj other;
    other.SetSlotStore(slots.get());
    other.airPressure = 80000.0;
    other.points = {{20.0, 3.0, L"Q"}};
    ASSERT_EQ(other.SaveSlot(4), kStatusOk);
    for (const int button : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(button);
        std::wstring read;
        EXPECT_EQ(Run([&](DialogDriver& user, HWND dialog) {
                      DialogDriver::Click(dialog, IDC_DATAIO_READ);
                      HWND list = user.Wait(L"Storage");
                      if (!list) return;
                      DialogDriver::DoubleClickRow(GetDlgItem(list, IDC_FILELIST_LIST), 4);
                      read = user.Answer(L"Infomation");
                      DialogDriver::Click(dialog, button);
                  }),
                  button);
        EXPECT_EQ(read, L"Successfully load data from storage (index=4)");
        if (button == IDCANCEL) {
            EXPECT_EQ(chart.points.size(), 3u);
            EXPECT_EQ(chart.processes.size(), 1u);
            EXPECT_EQ(chart.airPressure, 95000.0);
        } else {
            ASSERT_EQ(chart.points.size(), 1u);
            EXPECT_EQ(chart.points[0].name, L"Q");
            EXPECT_TRUE(chart.processes.empty());
            EXPECT_EQ(chart.airPressure, 80000.0);
        }
    }
}

// Both languages of a template, created from the resource itself: the same
// controls by id, the texts of each language.
struct TemplateTexts {
    LANGID language;
    int dialog;
    std::vector<std::pair<int, std::wstring>> texts;  // 0: the caption
};

TEST(DataIOTemplates, EnglishAndChineseCarryTheSameControlsWithTheirTexts) {
    const LANGID en = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const LANGID zh = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    const TemplateTexts cases[] = {
        {en, IDD_DATAIO, {{0, L"Data IO"}, {IDC_DATAIO_STORAGE, L"Storage..."}, {IDC_DATAIO_READ, L"Read from..."},
                          {IDC_DATAIO_SAVE, L"Save to..."}, {IDC_DATAIO_IMPORT, L"Import..."},
                          {IDC_DATAIO_EXPORT, L"Export..."}, {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_DATAIO_TREE, L""}}},
        {zh, IDD_DATAIO, {{0, L"数据输入输出"}, {IDC_DATAIO_STORAGE, L"存储设置..."}, {IDC_DATAIO_READ, L"读取自..."},
                          {IDC_DATAIO_SAVE, L"保存至..."}, {IDC_DATAIO_IMPORT, L"导入..."}, {IDC_DATAIO_EXPORT, L"导出..."},
                          {IDOK, L"确定"}, {IDCANCEL, L"取消"}, {IDC_DATAIO_TREE, L""}}},
        {en, IDD_FILELIST, {{0, L"Storage"}, {IDC_FILELIST_LIST, L""}}},
        {zh, IDD_FILELIST, {{0, L"存储选择"}, {IDC_FILELIST_LIST, L""}}},
    };
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HMODULE module = GetModuleHandleW(nullptr);
    for (const TemplateTexts& c : cases) {
        SCOPED_TRACE(std::to_string(c.dialog) + " in language " + std::to_string(c.language));
        HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(c.dialog), c.language);
        ASSERT_TRUE(found);
        auto* dialogTemplate = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
        HWND dialog = CreateDialogIndirectParamW(
            module, dialogTemplate, nullptr, AsDlgProc([](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }), 0);
        ASSERT_TRUE(dialog);
        for (const auto& [id, text] : c.texts) {
            HWND control = id ? GetDlgItem(dialog, id) : dialog;
            ASSERT_TRUE(control) << id;
            wchar_t shown[64] = {};
            GetWindowTextW(control, shown, 64);
            EXPECT_EQ(std::wstring(shown), text) << id;
        }
        if (c.dialog == IDD_FILELIST) {
            const LONG style = GetWindowLongW(GetDlgItem(dialog, IDC_FILELIST_LIST), GWL_STYLE);
            EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SINGLESEL), LVS_REPORT | LVS_SINGLESEL);
        } else {
            const LONG style = GetWindowLongW(GetDlgItem(dialog, IDC_DATAIO_TREE), GWL_STYLE);
            EXPECT_EQ(style & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT),
                      TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
            EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON);
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
}  // namespace humichart::test
