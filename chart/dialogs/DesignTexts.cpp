#include "DesignTexts.h"

#include "DesignDialogsResource.h"

namespace humichart {

int DesignMessageId(DesignProblem problem) {
    switch (problem) {
    case DesignProblem::None:
    case DesignProblem::DataCheck:
        return 0;
    case DesignProblem::NoRoom: return IDS_DESIGN_CHOOSE_ROOM;
    case DesignProblem::NoOutdoor: return IDS_DESIGN_CHOOSE_OUTDOOR;
    case DesignProblem::NoSuchPoint: return IDS_DESIGN_NO_SUCH_POINT;
    case DesignProblem::NoName: return IDS_DESIGN_NO_NAME;
    case DesignProblem::NameUsed: return IDS_DESIGN_NAME_USED;
    case DesignProblem::PairUsed: return IDS_DESIGN_PAIR_USED;
    case DesignProblem::NotANumber: return IDS_DESIGN_NOT_A_NUMBER;
    case DesignProblem::TemperatureDifference: return IDS_DESIGN_DELTA_T;
    case DesignProblem::NoDirection: return IDS_DESIGN_NO_DIRECTION;
    case DesignProblem::SupplySaturated: return IDS_DESIGN_SATURATED;
    case DesignProblem::OutsideChart: return IDS_DESIGN_OUTSIDE;
    case DesignProblem::SamePoints: return IDS_DESIGN_SAME_POINTS;
    case DesignProblem::SupplyFlow: return IDS_DESIGN_SUPPLY_FLOW;
    case DesignProblem::NegativeRule: return IDS_DESIGN_NEGATIVE_RULE;
    case DesignProblem::ShareRange: return IDS_DESIGN_SHARE_RANGE;
    case DesignProblem::CoilHumidity: return IDS_DESIGN_COIL_RH;
    case DesignProblem::MaxTemperatureDifference: return IDS_DESIGN_MAX_DT;
    case DesignProblem::NeverMeets: return IDS_DESIGN_NEVER_MEETS;
    case DesignProblem::CoilWarms: return IDS_DESIGN_COIL_WARMS;
    case DesignProblem::NoDewPoint: return IDS_DESIGN_NO_DEW_POINT;
    }
    return 0;
}

std::wstring FillIn(std::wstring text, const std::wstring& first, const std::wstring& second) {
    for (std::size_t at = 0; (at = text.find(L'%', at)) != std::wstring::npos && at + 1 < text.size();) {
        const wchar_t which = text[at + 1];
        if (which != L'1' && which != L'2') {
            ++at;
            continue;
        }
        const std::wstring& name = which == L'1' ? first : second;
        text.replace(at, 2, name);
        at += name.size();  // a name holding "%1" stays as it is
    }
    return text;
}

std::wstring DesignMessage(const DesignRefusal& refusal, const TextSource& texts) {
    if (refusal.problem == DesignProblem::DataCheck && refusal.fault)
        return DataFaultText(*refusal.fault, FaultPlace::Chart, texts);
    const int id = DesignMessageId(refusal.problem);
    return id ? FillIn(texts(id), refusal.subject, refusal.other) : std::wstring();
}

}  // namespace humichart
