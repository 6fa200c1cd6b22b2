#include "CDlgFileList.h"

#include <commctrl.h>

#include "DataIOContent.h"
#include "DataIODialogsResource.h"
#include "LoadDialogString.h"
#include "ModuleInstance.h"

namespace humichart {

CDlgFileList::CDlgFileList(std::vector<StorageSlotInfo> slots)
    : CDialogBase(ThisModuleInstance(), IDD_FILELIST), slots_(std::move(slots)) {}

void CDlgFileList::OnInit() {
    HWND list = GetDlgItem(Hwnd(), IDC_FILELIST_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_UNDERLINEHOT);
    for (int c = 0; c < kSlotColumnCount; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<LPWSTR>(kSlotColumns[c].header);
        column.cx = kSlotColumns[c].width;
        column.iSubItem = c;
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        const std::vector<std::wstring> cells = SlotRow(static_cast<std::uint32_t>(slot), slots_[slot], [](int id) {
            return LoadDialogString(static_cast<UINT>(id));
        });
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(slot);
        item.pszText = const_cast<LPWSTR>(cells[0].c_str());
        const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        for (int c = 1; c < kSlotColumnCount; ++c) {
            LVITEMW cell{};
            cell.iSubItem = c;
            cell.pszText = const_cast<LPWSTR>(cells[c].c_str());
            SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
        }
    }
}

bool CDlgFileList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        result = TRUE;
        return true;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == IDC_FILELIST_LIST && header->code == NM_DBLCLK) {
            const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
            // Below the last row there is no item: the list stays open.
            if (activate->iItem >= 0) Close(kFirstSlotResult + activate->iItem);
            return true;
        }
        return false;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            Close(LOWORD(wParam));
            return true;
        }
        return false;
    }
    return false;
}

}  // namespace humichart
