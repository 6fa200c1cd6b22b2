#include "CDlgDataIO.h"

#include <commctrl.h>

#include "CDlgFileList.h"
#include "DataIOContent.h"
#include "DataIODialogsResource.h"
#include "LoadDialogString.h"
#include "ModuleInstance.h"
#include "WorkingLists.h"

namespace humichart {

namespace {

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::wstring& text) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPWSTR>(text.c_str());
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

CDlgDataIO::CDlgDataIO(IChartDocument& chart, CExchangeClient* exchange)
    : CDialogBase(ThisModuleInstance(), IDD_DATAIO), ownerChart(chart), exchange_(exchange ? exchange : &ownExchange_) {
    const CHumichartDataObj& source = chart.View().Data();
    SetSlotStore(source.SlotStore());
    CopyData(source);
    static const bool controlsReady = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)controlsReady;
}

void CDlgDataIO::BuildTree() {
    HWND tree = GetDlgItem(Hwnd(), IDC_DATAIO_TREE);
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    for (const TreeRoot& root : DataTree(*this)) {
        HTREEITEM item = InsertItem(tree, TVI_ROOT, root.text);
        for (const std::wstring& child : root.children) InsertItem(tree, item, child);
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
}

int CDlgDataIO::Show(const std::wstring& text, const wchar_t* caption, UINT style) {
    return MessageBoxW(Hwnd(), text.c_str(), caption, style);
}

void CDlgDataIO::OnStorage(bool save) {
    CDlgFileList list(SlotTableOf(*this));
    const int chosen = static_cast<int>(list.DoModal(Hwnd()));
    const TextSource texts = [](int id) { return LoadDialogString(static_cast<UINT>(id)); };
    const auto replace = [&](const std::wstring& question) {
        return Show(question, L"Delete Confirm", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    };
    const SlotOutcome outcome =
        save ? StorageSave(*this, chosen, replace, texts) : StorageRead(*this, chosen, ownerChart.Calc(), texts);
    if (!outcome.acted) return;
    if (outcome.changed) {
        dataChanged = 1;
        BuildTree();
    }
    Show(outcome.message, L"Infomation", MB_OK | outcome.icon);
}

void CDlgDataIO::OnImport() {
    // The copy takes a workbook whole or not at all; the client says why not.
    if (exchange_->Import(Hwnd(), *this, ownerChart.Calc(), {fileFilter, defaultExtension}) !=
        CExchangeClient::Outcome::Done)
        return;
    dataChanged = 1;
    BuildTree();
}

bool CDlgDataIO::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_INITDIALOG) {
        BuildTree();
        result = TRUE;
        return true;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    switch (LOWORD(wParam)) {
    case IDC_DATAIO_EXPORT:
        exchange_->Export(Hwnd(), *this, {fileFilter, defaultExtension});
        return true;
    case IDC_DATAIO_IMPORT:
        OnImport();
        return true;
    case IDC_DATAIO_READ:
        OnStorage(false);
        return true;
    case IDC_DATAIO_SAVE:
        OnStorage(true);
        return true;
    case IDC_DATAIO_STORAGE:
        Show(L"No implement.", L"Infomation", MB_OK | MB_ICONINFORMATION);
        return true;
    case IDOK:
        WriteBack(ownerChart, *this, dataChanged != 0);
        Close(IDOK);
        return true;
    case IDCANCEL:
        Close(IDCANCEL);
        return true;
    }
    return false;
}

}  // namespace humichart
