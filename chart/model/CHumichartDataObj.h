// The chart data set: display flags, pressure, the three ordered lists, the
// CSSR region and the view range. The chart window derives from it and so
// owns the live data; the Data IO dialog derives from it for its working copy.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "CalcStatus.h"
#include "ICalcBinding.h"
#include "ISlotStore.h"
#include "MixProcess.h"
#include "StatePoint.h"
#include "TransferProcess.h"

namespace humichart {

struct DataFault;

class CHumichartDataObj {
public:
    // maxT, minT in degC, maxD, minD in g/kg; all 0 when no region is set.
    struct CssrRegion {
        double maxT = 0.0;
        double minT = 0.0;
        double maxD = 0.0;
        double minD = 0.0;
    };

    // The temperature bounds are kept multiplied by 1.005, which makes them the
    // chart ordinate I - 2.5 D at D = 0. Written and read through the view's
    // SetRange/GetRange only. The defaults are the products themselves, not
    // the decimals -30.15 and 65.325: 65.325 / 1.005 reads back as
    // 65.00000000000001, and that would travel into every saved stream.
    struct ViewRange {
        double Ymin = 1.005 * -30.0;
        double Ymax = 1.005 * 65.0;
        double Dmin = 0.0;
        double Dmax = 42.0;
    };

    CHumichartDataObj() = default;
    CHumichartDataObj(const CHumichartDataObj&) = default;
    CHumichartDataObj& operator=(const CHumichartDataObj&) = default;
    virtual ~CHumichartDataObj() = default;

    std::int32_t HasTLine = 1;
    std::int32_t HasDLine = 1;
    std::int32_t HasILine = 1;
    std::int32_t HasFLine = 1;
    std::int32_t HasProcessLineName = 0;
    std::int32_t HasBorder = 0;
    std::int32_t HasBackground = 1;
    std::int32_t HasForeground = 1;
    double airPressure = 101325.0;
    std::vector<StatePoint> points;
    std::vector<TransferProcess> processes;
    std::vector<MixProcess> mixes;
    CssrRegion cssrRegion;
    ViewRange viewRange;

    // First match from the head, or null. Empty names never match.
    StatePoint* FindPoint(const std::wstring& name);
    const StatePoint* FindPoint(const std::wstring& name) const;
    // Unordered pair of point names.
    TransferProcess* FindProcess(const std::wstring& a, const std::wstring& b);
    const TransferProcess* FindProcess(const std::wstring& a, const std::wstring& b) const;
    // Unordered pair (ptFresh, ptReturn); the key must name all three points.
    MixProcess* FindMix(const MixProcess& key);
    const MixProcess* FindMix(const MixProcess& key) const;

    // Flags, pressure and view range back to their defaults; lists and the
    // CSSR region stay.
    void RestoreDefaults();
    // Empties the lists and the CSSR region.
    void ClearData();
    // Becomes equal to source, lists deep-copied in the source's order.
    void CopyData(const CHumichartDataObj& source);
    // Puts every mix point at the flow-weighted position on its fresh-return
    // line. A mix whose input is another mix's point is placed after that
    // mix, whatever their order in the list (otherwise in list order), so
    // chained mixes see the values just computed and a second pass changes
    // nothing.
    void RecomputeMixPoints();

    // The range SetRange stores for these bounds (degC, g/kg): each pair put
    // in order, then kept usable (D from 0 to 500, T from -100 to 200).
    static ViewRange OrderedRange(double minT, double maxT, double minD, double maxD);

    // Storage slots, kept by the store this object was given (not owned; it
    // must outlive the object). Without a store they change nothing and
    // answer failure. A load takes the slot's data only when it passes the
    // chart-data check (at its own pressure, through calc); otherwise the
    // data stays as it was and fault, when given, says why (nothing for a
    // slot that is empty or does not read).
    Status LoadSlot(std::uint32_t slot, ICalcBinding& calc, std::optional<DataFault>* fault = nullptr);
    Status SaveSlot(std::uint32_t slot);
    void SetSlotStore(ISlotStore* store) { slotStore_ = store; }
    ISlotStore* SlotStore() const { return slotStore_; }

private:
    ISlotStore* slotStore_ = nullptr;
};

}  // namespace humichart
