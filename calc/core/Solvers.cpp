#include "Solvers.h"

#include <cmath>

#include "Relations.h"

namespace humicalc {

double DewPointCorrected(double D, double F, SolverTrace* trace) {
    const double f = F > 1 ? 1.0 : F;
    const double pq = CorePressure() * D / GuardDivisor(D + kMolarRatio);
    double t = tp(pq / GuardDivisor(f));
    double I = Enthalpy(t, D);
    for (int step = 0; step < 100; ++step) {
        const double u = ID_T_D_I(D, I);
        if (std::fabs(u - t) <= 1e-5) break;
        // Over-relaxed: the interpolated saturation column bends, so a plain
        // fixed-point step would creep towards the curve for many rounds.
        const double next = 10 * u - 9 * t;
        I = Enthalpy(next, D);
        t = next;
        if (trace) ++trace->corrections;
    }
    return t;
}

double RelaxEnthalpyBalance(double H, double F, double t0, BalanceResult want, bool pressureCheck,
                            SolverTrace* trace) {
    const double f = F > 1 ? 1.0 : F;
    const double P = CorePressure();
    double t = t0;
    double s = 0.5;
    for (;;) {  // one run per pass; every restart halves s, so this ends
        double r0 = 0;
        for (int i = 0;;) {
            const double p = ps(t);
            const double den = P - p * f;
            if (pressureCheck && den <= 0) return kSentinelD;
            const double D = f * kMolarRatio * p / GuardDivisor(den);
            const double tNew = (H - kLatent * D) / GuardDivisor(kCpVapour * D + kCpAir);
            const double r = tNew - t;
            if (trace) ++trace->evaluations;
            const double result = want == BalanceResult::Temperature ? tNew : D;
            if (!(std::fabs(r) > 0.001)) return result;  // converged, or the residual is NaN
            if (i == 0) {
                r0 = r;
            } else if (std::fabs(r) > std::fabs(r0)) {
                // Diverging against the run's first residual: step back by the
                // run's first step and start a new run with half the step.
                t = t - s * r0;
                s = s / 2;
                if (trace) ++trace->restarts;
                break;
            }
            ++i;
            t = t + s * r;
            if (i >= 100) return result;
        }
    }
}

}  // namespace humicalc
