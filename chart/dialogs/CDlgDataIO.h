// The Data IO dialog (template 118): the chart's data as a tree, on a working
// copy that spreadsheet import and storage reads replace and that OK writes
// back to the chart only when one of them did.
#pragma once

#include <cstdint>
#include <string>

#include "CExchangeClient.h"
#include "CHumichartDataObj.h"
#include "DialogBase.h"
#include "IChartDocument.h"

namespace humichart {

class CDlgDataIO : public CDialogBase, public CHumichartDataObj {
public:
    // The copy starts from the chart's data and uses the chart's slot store.
    // exchange: not owned; null for the spreadsheet found on this machine.
    explicit CDlgDataIO(IChartDocument& chart, CExchangeClient* exchange = nullptr);

    IChartDocument& ownerChart;
    const std::wstring fileFilter = L"Excel exports(*.xls)";
    const std::wstring defaultExtension = L"xls";
    std::int32_t dataChanged = 0;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void BuildTree();
    void OnStorage(bool save);
    void OnImport();
    int Show(const std::wstring& text, const wchar_t* caption, UINT style);

    CExchangeClient ownExchange_;
    CExchangeClient* exchange_;
};

}  // namespace humichart
