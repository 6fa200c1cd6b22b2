// What the Data IO and Storage dialogs show and do, as plain data: the tree
// of the chart data, the storage list's columns and rows, the outcome of a
// storage read or save, and what OK writes back into the chart. The Win32
// dialogs only put these into their controls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <functional>

#include "CChartView.h"
#include "CHumichartDataObj.h"
#include "DataFaultText.h"
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

// The six cell texts of the row of slot number slot: the summary of the chart
// saved there, or the slot number and a remark that it is empty or cannot
// be read.
std::vector<std::wstring> SlotRow(std::uint32_t slot, const StorageSlotInfo& info, const TextSource& texts = {});

// The slots 0 to 13 of the data's store, in slot order (all empty without one).
std::vector<StorageSlotInfo> SlotTableOf(const CHumichartDataObj& data);
inline constexpr std::uint32_t kSlotTableSize = 14;

// The storage list closes with 100 + slot for a chosen slot, anything below
// 100 for none.
inline constexpr int kFirstSlotResult = 100;

// A storage read or save after the storage list closed with listResult.
struct SlotOutcome {
    bool acted = false;    // a slot was chosen and something done: show message
    bool changed = false;  // a read replaced the data
    std::wstring message;
    unsigned icon = 0;     // MessageStyle icon
};
// A read takes the slot's chart only when it passes the chart-data check;
// the failure message then says why (empty, unreadable, or what is wrong).
SlotOutcome StorageRead(CHumichartDataObj& copy, int listResult, ICalcBinding& calc, const TextSource& texts = {});
// replace: asked, with its question, before a slot that holds a chart is
// overwritten; answering false saves nothing and shows nothing.
using ReplaceQuestion = std::function<bool(const std::wstring& question)>;
SlotOutcome StorageSave(CHumichartDataObj& copy, int listResult, const ReplaceQuestion& replace,
                        const TextSource& texts = {});

// OK of the Data IO dialog: with changed, the chart's data becomes a copy of
// copy and the chart is rebuilt and repainted; otherwise nothing happens.
void WriteBack(IChartDocument& chart, const CHumichartDataObj& copy, bool changed);

}  // namespace humichart
