#include "HumidityCrossings.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "ChartDomain.h"

namespace humichart {

namespace {

class Gap {
public:
    Gap(ICalcSession& calc, const ChartLine& line, double F) : m_calc(calc), m_line(line), m_F(F) {}

    // The line's enthalpy above the curve's at the line's humidity ratio:
    // positive where the line is drier than F.
    double operator()(double s) {
        ++evaluations;
        return m_line.IAt(s) - m_calc.ID_I_D_F(m_line.DAt(s), m_F);
    }

    int evaluations = 0;

private:
    ICalcSession& m_calc;
    const ChartLine& m_line;
    double m_F;
};

// The crossing in [a, b], whose gaps ga and gb have opposite signs.
double Bisect(Gap& gap, double a, double ga, double b) {
    for (int i = 0; i < 200; ++i) {
        const double m = 0.5 * (a + b);
        if (m <= a || m >= b) break;  // as close as doubles go
        const double gm = gap(m);
        if (gm == 0.0) return m;
        if ((gm < 0) == (ga < 0)) {
            a = m;
            ga = gm;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

// The lowest point of sign * gap over [a, b] by golden section: where a dip
// between samples of one sign may reach the other sign.
double Deepest(Gap& gap, double sign, double a, double b, double& deepest) {
    const double r = 0.5 * (std::sqrt(5.0) - 1.0);
    double x1 = b - r * (b - a), x2 = a + r * (b - a);
    double f1 = sign * gap(x1), f2 = sign * gap(x2);
    for (int i = 0; i < 40 && x1 < x2; ++i) {
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - r * (b - a);
            f1 = sign * gap(x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + r * (b - a);
            f2 = sign * gap(x2);
        }
    }
    deepest = f1 < f2 ? f1 : f2;
    return f1 < f2 ? x1 : x2;
}

}  // namespace

std::vector<LineCrossing> FindHumidityCrossings(ICalcSession& calc, const ChartLine& line, double F,
                                                int* evaluations) {
    std::vector<LineCrossing> crossings;
    if (evaluations) *evaluations = 0;
    double sMin = 0, sMax = 0;
    if (!(F >= 0.0) || !(F <= 1.0) || !ClipToDomain(line, sMin, sMax)) return crossings;
    // Dry air: the curve of 0 % is the line D = 0 itself.
    if (F == 0.0) {
        if (line.dD == 0.0) return crossings;
        const double x = -line.D0 / line.dD;
        if (x >= sMin && x <= sMax) crossings.push_back({x, line.IAt(x), 0.0});
        return crossings;
    }
    // Below the curve's lowest trusted humidity ratio the calculator cannot
    // say where the curve lies.
    const double lowestD = calc.ID_D_T_F(kLowestCurveTemperature, F);
    if (line.dD != 0.0) {
        const double s = (lowestD - line.D0) / line.dD;
        if (line.dD > 0) sMin = std::max(sMin, s);
        else sMax = std::min(sMax, s);
    } else if (line.D0 < lowestD) {
        return crossings;
    }
    if (!(sMin < sMax)) return crossings;

    // Samples: evenly along the line, and wherever the curve passes a whole
    // degree. The calculator's tables are quadratic between whole degrees,
    // so between two such samples the curve bends one way and the line meets
    // it at most twice; the tables' one kink, where ice gives way to water
    // at 0 degC, falls on a sample.
    std::vector<double> s;
    s.reserve(kCrossingSamples + 300);
    for (int i = 0; i <= kCrossingSamples; ++i) s.push_back(sMin + (sMax - sMin) * i / kCrossingSamples);
    s.back() = sMax;
    if (line.dD != 0.0) {
        const double Dlow = std::min(line.DAt(sMin), line.DAt(sMax)), Dhigh = std::max(line.DAt(sMin), line.DAt(sMax));
        for (double T = kLowestCurveTemperature; T <= domain::kMaxT; T += 1.0) {
            const double D = calc.ID_D_T_F(T, F);
            if (!(D <= Dhigh)) break;
            if (D > Dlow) s.push_back((D - line.D0) / line.dD);
        }
        std::sort(s.begin(), s.end());
        s.erase(std::unique(s.begin(), s.end()), s.end());
    }
    Gap gap(calc, line, F);
    const int n = static_cast<int>(s.size()) - 1;
    std::vector<double> g(s.size());
    for (int i = 0; i <= n; ++i) g[i] = gap(s[i]);
    std::vector<double> found;
    for (int i = 0; i <= n; ++i) {
        if (!std::isfinite(g[i])) continue;
        if (g[i] == 0.0) {
            found.push_back(s[i]);
            continue;
        }
        if (i < n && std::isfinite(g[i + 1]) && g[i + 1] != 0.0 && (g[i] < 0) != (g[i + 1] < 0))
            found.push_back(Bisect(gap, s[i], g[i], s[i + 1]));
        // A sample nearer the curve than both neighbours of the same sign:
        // the line may dip through the curve and back between them.
        const int a = std::max(i - 1, 0), b = std::min(i + 1, n);
        const double sign = g[i] < 0 ? -1.0 : 1.0;
        bool dip = true;
        for (int k : {a, b}) {
            if (k == i) continue;
            if (!std::isfinite(g[k]) || sign * g[k] <= 0 || sign * g[k] < sign * g[i]) dip = false;
        }
        if (!dip) continue;
        double deepest = 0;
        const double x = Deepest(gap, sign, s[a], s[b], deepest);
        if (deepest > 0) continue;
        if (deepest == 0) {
            found.push_back(x);
            continue;
        }
        const double gx = sign * deepest;
        found.push_back(Bisect(gap, s[a], g[a], x));
        found.push_back(Bisect(gap, x, gx, s[b]));
    }
    std::sort(found.begin(), found.end());
    for (double x : found) {
        // A crossing met twice (at a sample and from a dip) counts once.
        if (!crossings.empty() && std::fabs(x - crossings.back().s) <= 1e-9 * (sMax - sMin)) continue;
        crossings.push_back({x, line.IAt(x), line.DAt(x)});
    }
    if (evaluations) *evaluations = gap.evaluations;
    return crossings;
}

}  // namespace humichart
