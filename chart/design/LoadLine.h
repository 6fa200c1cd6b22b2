// A room's loads as a line through the room state N: the supply air takes up
// the heat Q (kW) and the moisture W (kg/h) on its way from the supply state
// to N, so every supply state that holds the room at N lies at
//     N - s (3.6 Q, W)        (kJ/kg, g/kg), s > 0,
// and the mass flow of dry air that does it is G = 1 / (3.6 s) kg/s, by the
// heat balance G (I_N - I_O) = Q and the moisture balance
// 3.6 G (D_N - D_O) = W alike. Its slope is the heat-moisture ratio
// 3600 Q / W kJ/kg. The supply lies on the side of N where s > 0: below N
// for the usual cooling loads, above it for heating, and warmer than N along
// a line below about 2500 kJ/kg, where less moisture means a warmer state.
#pragma once

#include <optional>

#include "ChartLine.h"

namespace humichart {

class LoadLine {
public:
    // None when Q and W are both 0: such loads give no direction.
    static std::optional<LoadLine> Through(double I, double D, double Q, double W);

    const ChartLine& Line() const { return m_line; }
    // The heat-moisture ratio in kJ/kg, infinite of the heat's sign when W = 0.
    double Ratio() const;
    // Dry air in kg/s through a supply state at s.
    static double MassFlow(double s) { return 1.0 / (3.6 * s); }
    // The s where the line's dry bulb, by I = 1.005 T + (2.5 + 0.00184 T) D,
    // is T; not a number when the line reaches T nowhere (it runs along an
    // isotherm, say).
    double AtTemperature(double T) const;

private:
    explicit LoadLine(const ChartLine& line, double Q, double W) : m_line(line), m_Q(Q), m_W(W) {}

    ChartLine m_line;
    double m_Q, m_W;
};

}  // namespace humichart
