#include "DataIOContent.h"

#include "DataIODialogsResource.h"
#include "DialogTexts.h"
#include "IDialogView.h"
#include "TypedText.h"
#include "UserDataChange.h"

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

std::vector<std::wstring> SlotRow(std::uint32_t slot, const StorageSlotInfo& info, const TextSource& texts) {
    std::wstring index = std::to_wstring(slot);
    if (index.size() < 4) index.insert(0, 4 - index.size(), L'0');
    if (info.state == StorageSlotInfo::State::Empty) return {index, L"", L"", L"", L"", DialogText(IDS_SLOT_EMPTY, texts)};
    if (info.state == StorageSlotInfo::State::Damaged)
        return {index, L"", L"", L"", L"", DialogText(IDS_SLOT_DAMAGED, texts)};
    return {index,
            FormatNumber("%.1f", info.airPressure),
            std::to_wstring(info.pointCount),
            std::to_wstring(info.processCount),
            std::to_wstring(info.mixCount),
            info.remark.substr(0, StorageSlotInfo::kMaxRemark)};
}

std::vector<StorageSlotInfo> SlotTableOf(const CHumichartDataObj& data) {
    std::vector<StorageSlotInfo> table(kSlotTableSize);
    if (const ISlotStore* store = data.SlotStore())
        for (std::uint32_t slot = 0; slot < kSlotTableSize; ++slot) table[slot] = store->Info(slot);
    return table;
}

SlotOutcome StorageRead(CHumichartDataObj& copy, int listResult, ICalcBinding& calc, const TextSource& texts) {
    SlotOutcome out;
    if (listResult < kFirstSlotResult) return out;
    const auto slot = static_cast<std::uint32_t>(listResult - kFirstSlotResult);
    out.acted = true;
    std::optional<DataFault> fault;
    out.changed = copy.LoadSlot(slot, calc, &fault) == kStatusOk;
    out.message = Message(out.changed ? L"Successfully load data from storage (index="
                                      : L"Failed load data from storage (index=", slot);
    out.icon = out.changed ? kMsgIconInformation : kMsgIconWarning;
    if (!out.changed) {
        const std::wstring number = std::to_wstring(slot);
        const ISlotStore* store = copy.SlotStore();
        const auto state = store ? store->Info(slot).state : StorageSlotInfo::State::Empty;
        const std::wstring why = fault ? DataFaultText(*fault, FaultPlace::Chart, texts)
                                 : state == StorageSlotInfo::State::Empty
                                     ? FillText(DialogText(IDS_SLOT_READ_EMPTY, texts), {number})
                                     : FillText(DialogText(IDS_SLOT_READ_DAMAGED, texts), {number});
        out.message += L"\n\n" + why;
    }
    return out;
}

SlotOutcome StorageSave(CHumichartDataObj& copy, int listResult, const ReplaceQuestion& replace,
                        const TextSource& texts) {
    SlotOutcome out;
    if (listResult < kFirstSlotResult) return out;
    const auto slot = static_cast<std::uint32_t>(listResult - kFirstSlotResult);
    if (const ISlotStore* store = copy.SlotStore()) {
        const StorageSlotInfo held = store->Info(slot);
        if (held.state == StorageSlotInfo::State::Saved && replace &&
            !replace(FillText(DialogText(IDS_SLOT_REPLACE, texts),
                              {std::to_wstring(slot), std::to_wstring(held.pointCount),
                               std::to_wstring(held.processCount), std::to_wstring(held.mixCount), held.remark})))
            return out;
    }
    out.acted = true;
    const bool saved = copy.SaveSlot(slot) == kStatusOk;
    out.message = Message(saved ? L"Successfully saved data to storage (index=" : L"Failed save data do storage (index=",
                          slot);
    out.icon = saved ? kMsgIconInformation : kMsgIconWarning;
    return out;
}

void WriteBack(IChartDocument& chart, const CHumichartDataObj& copy, bool changed) {
    if (!changed) return;
    UserDataChange change(chart);
    chart.View().Data().CopyData(copy);
    chart.RequestRender();
    change.Finish();
}

}  // namespace humichart
