#include "PointStatusFields.h"

#include "TypedText.h"

namespace humichart {

bool ComputePointStatus(ICalcSession& calc, double I, double D, double pressure, PointStatusFields& fields) {
    const double saturated = calc.ID_D_I_F(I, 1.0);
    if (D > saturated) return false;
    // In the order the values are asked for and written.
    fields = {{
        {215, FormatNumber("%.1f", pressure)},
        {214, FormatNumber("%.2f", I)},
        {211, FormatNumber("%.3f", D)},
        {208, FormatNumber("%.2f", calc.ID_T_D_I(D, I))},
        {210, FormatNumber("%.2f", calc.ID_T_D_F(D, 1.0))},
        {209, FormatNumber("%.2f", calc.ID_TS_I(I))},
        {212, FormatNumber("%.1f", calc.ID_F_D_I(D, I) * 100.0)},
        {213, FormatNumber("%.1f", calc.ID_PQ_D(D))},
    }};
    return true;
}

}  // namespace humichart
