// The storage list (template 121): one row per storage slot; a double click
// on row k closes it with 100 + k, Enter and Esc with 1 and 2.
#pragma once

#include <vector>

#include "DialogBase.h"
#include "StorageSlotInfo.h"

namespace humichart {

class CDlgFileList : public CDialogBase {
public:
    explicit CDlgFileList(std::vector<StorageSlotInfo> slots);

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnInit();

    std::vector<StorageSlotInfo> slots_;
};

}  // namespace humichart
