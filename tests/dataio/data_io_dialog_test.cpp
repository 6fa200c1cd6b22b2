#include <windows.h>
#include <objbase.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "CChartDialogs.h"
#include "CChartView.h"
#include "CDlgDataIO.h"
#include "CSlotFileStore.h"
#include "ChartHost.h"
#include "DataIOContent.h"
#include "DataIODialogsResource.h"
#include "ExchangeTestSupport.h"
#include "../ModalScript.h"

namespace humichart::test {
namespace {

// Every item of a tree, roots and children, as "text" and "  text".
std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t text[512] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = 512;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}
std::vector<std::wstring> TreeLines(HWND dialog) {
    HWND tree = GetDlgItem(dialog, IDC_DATAIO_TREE);
    std::vector<std::wstring> lines;
    for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
        lines.push_back(ItemText(tree, root));
        if (TreeView_GetChild(tree, root) && !(TreeView_GetItemState(tree, root, TVIS_EXPANDED) & TVIS_EXPANDED))
            lines.back() += L" [collapsed]";
        for (HTREEITEM child = TreeView_GetChild(tree, root); child; child = TreeView_GetNextSibling(tree, child))
            lines.push_back(L"  " + ItemText(tree, child));
    }
    return lines;
}

std::wstring ListCell(HWND list, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// A real double click on row of the storage list.
void DoubleClickRow(HWND storage, int row) {
    HWND list = GetDlgItem(storage, IDC_FILELIST_LIST);
    RECT cell{};
    cell.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&cell));
    const LPARAM at = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
}

const std::wstring kDataIO = L"Data IO", kStorage = L"Storage", kInformation = L"Infomation";

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
        chart.points = {{50.0, 10.0, L"A"}, {30.0, 5.0, L""}, {44.0, 9.5, L"B"}, {47.0, 9.75, L"M"}};
        chart.processes = {{L"A", L"B", L"P1", 1200.0}};
        chart.mixes = {{L"A", L"B", L"M", L"X1", 300.0, 1000.0}};
    }
    void TearDown() override {
        host.reset();
        ExchangeTest::TearDown();
    }

    // Runs the Data IO dialog over the chart while script plays; answers the
    // dialog's result, or 0 when the dialog was opened as the context menu's
    // "Data IO..." command opens it.
    INT_PTR Run(ModalScript& script, bool fromMenu = false) {
        INT_PTR result = 0;
        script.Run([&] {
            if (fromMenu) {
                EXPECT_TRUE(CChartDialogs().Open(host->Chart(), 32771));
            } else {
                CDlgDataIO dialog(host->Chart());
                result = dialog.DoModal(host->Parent());
            }
        });
        return result;
    }
    // Clicks button of the Data IO dialog, then chooses path in the file
    // dialog of caption that it opens.
    static void ThroughFileDialog(ModalScript& script, int button, const std::wstring& caption,
                                  const std::wstring& path) {
        script.In(kDataIO, "a file dialog opened", [button](HWND d) { User::Click(d, button); });
        script.In(caption, "a file chosen", [path](HWND d) { User::ChooseFile(d, path); });
    }
    // Clicks button of the Data IO dialog and double-clicks row of the
    // storage list it opens; the message box that follows says told.
    static void ThroughStorage(ModalScript& script, int button, int row, const std::wstring& told) {
        script.In(kDataIO, "the storage list opened", [button](HWND d) { User::Click(d, button); });
        script.In(kStorage, "a row chosen", [row](HWND list) { DoubleClickRow(list, row); });
        script.ExpectBox(kInformation, told, MB_OK | MB_ICONINFORMATION, IDOK);
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

    ModalScript cancelled;
    cancelled.In(kDataIO, "the chart's tree", [&](HWND d) { EXPECT_EQ(TreeLines(d), Expected(chart)); });
    ThroughFileDialog(cancelled, IDC_DATAIO_EXPORT, L"Save As", PathOf(L"typed"));  // the dialog adds .xls
    ThroughFileDialog(cancelled, IDC_DATAIO_IMPORT, L"Open", otherPath);
    cancelled.In(kDataIO, "imported, then cancelled", [&](HWND d) {
        EXPECT_EQ(TreeLines(d), Expected(other));
        User::Click(d, IDCANCEL);
    });
    EXPECT_EQ(Run(cancelled), IDCANCEL);
    EXPECT_TRUE(std::filesystem::exists(folder / "typed.xls"));
    EXPECT_EQ(chart.points.size(), 4u);  // Cancel drops the import
    EXPECT_EQ(chart.airPressure, 95000.0);

    // The file exported above holds the chart's named records.
    CHumichartDataObj back;
    ASSERT_EQ(writer.ImportFrom(nullptr, PathOf(L"typed.xls"), back, calc), CExchangeClient::Outcome::Done);
    ASSERT_EQ(back.points.size(), 3u);
    EXPECT_EQ(back.points[1].name, L"B");

    chart.View().renderPending = 0;
    ModalScript taken;
    ThroughFileDialog(taken, IDC_DATAIO_IMPORT, L"Open", otherPath);
    taken.In(kDataIO, "imported, then OK", [&](HWND d) {
        EXPECT_EQ(TreeLines(d), Expected(other));
        User::Click(d, IDOK);
    });
    EXPECT_EQ(Run(taken), IDOK);
    ASSERT_EQ(chart.points.size(), 1u);  // the chart's own points do not survive
    EXPECT_EQ(chart.points[0].name, L"Q");
    EXPECT_TRUE(chart.processes.empty());
    EXPECT_EQ(chart.airPressure, 80000.0);
    EXPECT_EQ(chart.View().renderPending, 1);
}

// After a sound import, imports that fail (a word where a number belongs, no
// sheet, two points of one name) each leave the working copy exactly as the
// sound import left it: OK then takes the sound import whole.
TEST_F(DataIODialogTest, FailedImportsShowTheirMessagesAndLeaveTheCopyAsItWas) {
    CIDWnd& chart = host->Chart();
    CHumichartDataObj sound;
    sound.airPressure = 80000.0;
    sound.points = {{40.0, 8.0, L"Q"}, {50.0, 10.0, L"R"}, {45.0, 9.0, L"S"}};
    sound.processes = {{L"Q", L"R", L"QR", 1000.0}};
    const std::wstring soundPath = PathOf(L"sound.xls");
    ASSERT_EQ(Client().ExportTo(nullptr, soundPath, sound), CExchangeClient::Outcome::Done);
    Workbook word;
    word.sheets.push_back({L"Humichart", {}});
    Put(word.sheets[0], L"C3", 70000.0);
    Put(word.sheets[0], L"E3", L"X");
    Put(word.sheets[0], L"F3", 40.0);
    Put(word.sheets[0], L"E4", L"Y");
    Put(word.sheets[0], L"F4", L"warm");
    const std::wstring wordPath = WriteWorkbook(L"word.xls", word);
    word.sheets[0].name = L"Sheet1";
    const std::wstring noSheetPath = WriteWorkbook(L"nosheet.xls", word);
    Workbook twice;
    twice.sheets.push_back({L"Humichart", {}});
    Put(twice.sheets[0], L"C3", 70000.0);
    Put(twice.sheets[0], L"C4", 40.0);
    Put(twice.sheets[0], L"C6", 30.0);
    Put(twice.sheets[0], L"E3", L"A");
    Put(twice.sheets[0], L"F3", 40.0);
    Put(twice.sheets[0], L"G3", 8.0);
    Put(twice.sheets[0], L"E4", L"A");
    Put(twice.sheets[0], L"F4", 55.0);
    Put(twice.sheets[0], L"G4", 10.0);
    const std::wstring twicePath = WriteWorkbook(L"twice.xls", twice);

    ModalScript script;
    ThroughFileDialog(script, IDC_DATAIO_IMPORT, L"Open", soundPath);
    ThroughFileDialog(script, IDC_DATAIO_IMPORT, L"Open", wordPath);
    script.ExpectBox(L"Exception",
                     Holding{L"Code = 80020005", L"Description = Cell F4 holds text that is not a number"},
                     MB_OK | MB_ICONERROR, IDOK);
    ThroughFileDialog(script, IDC_DATAIO_IMPORT, L"Open", noSheetPath);
    script.ExpectBox(L"Failed", L"Missing sheet named as Humichart.", MB_OK | MB_ICONERROR, IDOK);
    ThroughFileDialog(script, IDC_DATAIO_IMPORT, L"Open", twicePath);
    script.ExpectBox(L"Failed",
                     L"Points table, row 4: the name \"A\" is already the name of a point above it.\n\nNothing was imported.",
                     MB_OK | MB_ICONERROR, IDOK);
    script.In(kDataIO, "OK", [&](HWND d) {
        EXPECT_EQ(TreeLines(d), Expected(sound));  // the tree still shows the sound import
        User::Click(d, IDOK);
    });
    EXPECT_EQ(Run(script, true), 0);
    ASSERT_EQ(chart.points.size(), 3u);
    EXPECT_EQ(chart.points[0].name, L"Q");
    ASSERT_EQ(chart.processes.size(), 1u);
    EXPECT_EQ(chart.processes[0].ptEnd, L"R");
    EXPECT_EQ(chart.airPressure, 80000.0);
}

TEST_F(DataIODialogTest, StorageListSavesAndReadsSlotsAndEscapeDoesNothingFurther) {
    CIDWnd& chart = host->Chart();
    ModalScript script;
    script.In(kDataIO, "the storage list opened", [](HWND d) { User::Click(d, IDC_DATAIO_SAVE); });
    script.In(kStorage, "Esc", [](HWND list) { User::Key(GetDlgItem(list, IDC_FILELIST_LIST), VK_ESCAPE); });
    // The next message box must be this one's.
    script.In(kDataIO, "storage settings", [](HWND d) { User::Click(d, IDC_DATAIO_STORAGE); });
    script.ExpectBox(kInformation, L"No implement.", MB_OK | MB_ICONINFORMATION, IDOK);
    ThroughStorage(script, IDC_DATAIO_SAVE, 3, L"Successfully saved data to storage (index=3)");
    // Saving over the chart now in slot 3 asks first; No keeps it.
    script.In(kDataIO, "the storage list opened to save again", [](HWND d) { User::Click(d, IDC_DATAIO_SAVE); });
    script.In(kStorage, "slot 3 again", [](HWND list) { DoubleClickRow(list, 3); });
    script.ExpectBox(L"Delete Confirm", Holding{L"Storage slot 3 holds a chart of 4 points, 1 processes and 1 mixes (Saved "},
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDNO);
    script.In(kDataIO, "the storage list opened to read", [](HWND d) { User::Click(d, IDC_DATAIO_READ); });
    script.In(kStorage, "the list", [&](HWND storage) {
        HWND list = GetDlgItem(storage, IDC_FILELIST_LIST);
        EXPECT_EQ(ListView_GetItemCount(list), 14);
        std::vector<std::wstring> row3, row5;
        for (int c = 0; c < 6; ++c) row3.push_back(ListCell(list, 3, c));
        for (int c = 0; c < 6; ++c) row5.push_back(ListCell(list, 5, c));
        EXPECT_EQ(row3, (std::vector<std::wstring>{L"0003", L"95000.0", L"4", L"1", L"1", slots->Info(3).remark}));
        EXPECT_EQ(row5, (std::vector<std::wstring>{L"0005", L"", L"", L"", L"", L"(empty)"}));
        EXPECT_EQ(ListView_GetColumnWidth(list, 0), 60);
        EXPECT_EQ(ListView_GetColumnWidth(list, 5), 110);
        EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT),
                  static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT));
        DoubleClickRow(storage, 5);
    });
    script.ExpectBox(kInformation, L"Failed load data from storage (index=5)\n\nStorage slot 5 is empty.",
                     MB_OK | MB_ICONWARNING, IDOK);
    ThroughStorage(script, IDC_DATAIO_READ, 3, L"Successfully load data from storage (index=3)");
    script.In(kDataIO, "OK", [](HWND d) { User::Click(d, IDOK); });
    EXPECT_EQ(Run(script), IDOK);
    EXPECT_EQ(chart.points.size(), 4u);  // the slot held the chart's own data
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
        ModalScript script;
        ThroughStorage(script, IDC_DATAIO_READ, 4, L"Successfully load data from storage (index=4)");
        script.In(kDataIO, "closed", [button](HWND d) { User::Click(d, button); });
        EXPECT_EQ(Run(script), button);
        if (button == IDCANCEL) {
            EXPECT_EQ(chart.points.size(), 4u);
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
