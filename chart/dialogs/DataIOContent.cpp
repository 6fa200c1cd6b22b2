#include "DataIOContent.h"

#include "CSlotFileStore.h"
#include "IDialogView.h"
#include "TypedText.h"

namespace humichart {

namespace {

const std::wstring& Named(const std::wstring& name) {
    static const std::wstring noName = kNoName;
    return name.empty() ? noName : name;
}

std::wstring Message(const wchar_t* text, std::uint32_t slot) {
    return text + std::to_wstring(slot) + L")";
}

}  // namespace

std::vector<TreeRoot> DataTree(const CHumichartDataObj& data) {
    const ChartRange range = CChartView(const_cast<CHumichartDataObj&>(data)).GetRange();
    std::vector<TreeRoot> tree(4);
    tree[0].text = L"函数图基本属性";
    tree[0].children = {
        L"大气压力: " + FormatNumber("%.1f", data.airPressure) + L" Pa",
        L"温度上限: " + FormatNumber("%.1f", range.maxT) + L" ℃",
        L"温度下限: " + FormatNumber("%.1f", range.minT) + L" ℃",
        L"湿度上限: " + FormatNumber("%.1f", range.maxD) + L" g/kg",
        L"湿度下限: " + FormatNumber("%.1f", range.minD) + L" g/kg",
    };
    tree[1].text = L"状态点";
    for (const StatePoint& p : data.points)
        tree[1].children.push_back(Named(p.name) + L" (I=" + FormatNumber("%.2f", p.I) + L",D=" +
                                   FormatNumber("%.3f", p.D) + L")");
    tree[2].text = L"热湿过程线";
    for (const TransferProcess& p : data.processes)
        tree[2].children.push_back(Named(p.name) + L" (SP=" + p.ptStart + L",EP=" + p.ptEnd + L",AF=" +
                                   FormatNumber("%.1f", p.dAirFlow) + L")");
    tree[3].text = L"混和过程线";
    for (const MixProcess& m : data.mixes)
        tree[3].children.push_back(Named(m.name) + L" (FP=" + m.ptFresh + L",RP=" + m.ptReturn + L",MP=" + m.ptMix +
                                   L",AF=" + FormatNumber("%.1f", m.dAirFlow) + L",FAF=" +
                                   FormatNumber("%.1f", m.dFreshAirFlow) + L")");
    return tree;
}

std::vector<std::wstring> SlotRow(std::uint32_t slot, const StorageSlotInfo& info) {
    std::wstring index = std::to_wstring(slot);
    if (index.size() < 4) index.insert(0, 4 - index.size(), L'0');
    return {index,
            FormatNumber("%.1f", info.airPressure),
            std::to_wstring(info.pointCount),
            std::to_wstring(info.processCount),
            std::to_wstring(info.mixCount),
            info.remark.substr(0, StorageSlotInfo::kMaxRemark)};
}

std::vector<StorageSlotInfo> SlotTableOf(const CHumichartDataObj& data) {
    if (const auto* files = dynamic_cast<const CSlotFileStore*>(data.SlotStore())) return files->SlotTable();
    std::vector<StorageSlotInfo> table;
    for (std::uint32_t slot = 0; slot < CSlotFileStore::kTableSize; ++slot)
        table.push_back(CSlotFileStore::InitialSlotInfo(slot));
    return table;
}

SlotOutcome StorageRead(CHumichartDataObj& copy, int listResult) {
    SlotOutcome out;
    if (listResult < kFirstSlotResult) return out;
    const auto slot = static_cast<std::uint32_t>(listResult - kFirstSlotResult);
    out.acted = true;
    out.changed = copy.LoadSlot(slot) == kStatusOk;
    out.message = Message(out.changed ? L"Successfully load data from storage (index="
                                      : L"Failed load data from storage (index=", slot);
    out.icon = out.changed ? kMsgIconInformation : kMsgIconWarning;
    return out;
}

SlotOutcome StorageSave(CHumichartDataObj& copy, int listResult) {
    SlotOutcome out;
    if (listResult < kFirstSlotResult) return out;
    const auto slot = static_cast<std::uint32_t>(listResult - kFirstSlotResult);
    out.acted = true;
    const bool saved = copy.SaveSlot(slot) == kStatusOk;
    out.message = Message(saved ? L"Successfully saved data to storage (index=" : L"Failed save data do storage (index=",
                          slot);
    out.icon = saved ? kMsgIconInformation : kMsgIconWarning;
    return out;
}

std::wstring RepeatedPointText(const std::wstring& format, const std::wstring& name) {
    std::wstring text =
        format.empty() ? L"Two points are named \"%s\" in this workbook. Point names must differ: nothing was imported."
                       : format;
    if (const std::size_t at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, name);
    return text;
}

void WriteBack(IChartDocument& chart, const CHumichartDataObj& copy, bool changed) {
    if (!changed) return;
    chart.View().Data().CopyData(copy);
    chart.RequestRender();
}

}  // namespace humichart
