// What the Data IO and Storage dialogs show and do, as plain data: the tree
// of the chart data, the storage list's columns and rows, the outcome of a
// storage read or save, and what OK writes back into the chart. The Win32
// dialogs only put these into their controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CChartView.h"
#include "CHumichartDataObj.h"
#include "IChartDocument.h"
#include "StorageSlotInfo.h"

namespace humichart {

// Shown for a record without a name.
inline constexpr wchar_t kNoName[] = L"(No name)";

struct TreeRoot {
    std::wstring text;
    std::vector<std::wstring> children;
};

// The four roots (basic properties, points, processes, mixes) with one child
// per property or record, in list order.
std::vector<TreeRoot> DataTree(const CHumichartDataObj& data);

struct SlotColumn {
    const wchar_t* header;
    int width;  // pixels
};
inline constexpr SlotColumn kSlotColumns[] = {
    {L"存储位置", 60}, {L"大气压力(Pa)", 85}, {L"状态点数量", 75},
    {L"过程线数量", 75}, {L"混和线数量", 75}, {L"备注", 110},
};
inline constexpr int kSlotColumnCount = sizeof(kSlotColumns) / sizeof(kSlotColumns[0]);

// The six cell texts of the row of slot number slot.
std::vector<std::wstring> SlotRow(std::uint32_t slot, const StorageSlotInfo& info);

// The slot table of the data's store, one entry per slot in slot order: what
// the store's files hold, or the table's initial content.
std::vector<StorageSlotInfo> SlotTableOf(const CHumichartDataObj& data);

// The storage list closes with 100 + slot for a chosen slot, anything below
// 100 for none.
inline constexpr int kFirstSlotResult = 100;

// A storage read or save after the storage list closed with listResult.
struct SlotOutcome {
    bool acted = false;    // a slot was chosen: show message
    bool changed = false;  // a read replaced the data
    std::wstring message;
    unsigned icon = 0;     // MessageStyle icon
};
SlotOutcome StorageRead(CHumichartDataObj& copy, int listResult);
SlotOutcome StorageSave(CHumichartDataObj& copy, int listResult);

// The refusal of a workbook whose point names repeat: the string table's text
// with %s replaced by the name (an English text when the table has none).
std::wstring RepeatedPointText(const std::wstring& format, const std::wstring& name);

// OK of the Data IO dialog: with changed, the chart's data becomes a copy of
// copy and the chart is rebuilt and repainted; otherwise nothing happens.
void WriteBack(IChartDocument& chart, const CHumichartDataObj& copy, bool changed);

}  // namespace humichart
