#include "Solvers.h"

#include <cmath>

#include "Relations.h"

namespace humicalc {

namespace {

// Each solver twice: as defined, and with the rules for infinities that the
// limits add (SatTables.h), so that the loops as defined carry none of them.
template <bool kLimits>
double DewPointCorrectedWith(double D, double F, SolverTrace* trace) {
    const double f = F > 1 ? 1.0 : F;
    double pq = CorePressure() * D / GuardDivisor(D + kMolarRatio);
    double saturated = pq / GuardDivisor(f);
    if (kLimits && saturated != saturated) {
        // pq runs to P as D runs to infinity, and an infinite F drives an
        // overflowed pq to 0.
        if (pq != pq) pq = CorePressure();
        saturated = pq / GuardDivisor(f);
        if (saturated != saturated) saturated = 0.0;
    }
    double t = tp(saturated);
    double I = Enthalpy(t, D);
    for (int step = 0; step < 100; ++step) {
        const double u = TemperatureFromDIClamped(D, I);
        if (std::fabs(u - t) <= 1e-5) break;
        if (kLimits && u == t) break;  // the same infinity
        // Over-relaxed: the interpolated saturation column bends, so a plain
        // fixed-point step would creep towards the curve for many rounds.
        double next = 10 * u - 9 * t;
        if (kLimits && next != next) next = t + 10 * (u - t);  // 10 u and 9 t overflowed
        I = Enthalpy(next, D);
        t = next;
        if (trace) ++trace->corrections;
    }
    return t;
}

template <bool kLimits>
double RelaxEnthalpyBalanceWith(double H, double F, double t0, BalanceResult want, bool pressureCheck,
                                SolverTrace* trace) {
    const double f = F > 1 ? 1.0 : F;
    const double P = CorePressure();
    double t = t0;
    double s = 0.5;
    for (;;) {  // one run per pass; every restart halves s, so this ends
        double r0 = 0;
        for (int i = 0;;) {
            const double p = ps(t);
            double den = P - p * f;
            // F = 0 at an infinite saturation pressure carries no vapour.
            if (kLimits && den != den) den = P;
            if (pressureCheck && den <= 0) return kSentinelD;
            double D = f * kMolarRatio * p / GuardDivisor(den);
            // As in R3: no vapour, or D running to -621.98 as p f runs off.
            if (kLimits && D != D) D = p * f == p * f ? -kMolarRatio : 0.0;
            const double tNew = TemperatureFromDI(D, H);
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
            const double moved = t + s * r;
            // An infinite t is not moved by a step towards a finite one.
            if (!kLimits || moved == moved) t = moved;
            if (i >= 100) return result;
        }
    }
}

[[gnu::cold, gnu::noinline]] double DewPointCorrectedTakingLimits(double D, double F, SolverTrace* trace) {
    return DewPointCorrectedWith<true>(D, F, trace);
}

[[gnu::cold, gnu::noinline]] double RelaxEnthalpyBalanceTakingLimits(double H, double F, double t0,
                                                                    BalanceResult want, bool pressureCheck,
                                                                    SolverTrace* trace) {
    return RelaxEnthalpyBalanceWith<true>(H, F, t0, want, pressureCheck, trace);
}

}  // namespace

double DewPointCorrected(double D, double F, SolverTrace* trace) {
    if (TakingLimits()) return DewPointCorrectedTakingLimits(D, F, trace);
    return DewPointCorrectedWith<false>(D, F, trace);
}

double RelaxEnthalpyBalance(double H, double F, double t0, BalanceResult want, bool pressureCheck,
                            SolverTrace* trace) {
    if (TakingLimits()) return RelaxEnthalpyBalanceTakingLimits(H, F, t0, want, pressureCheck, trace);
    return RelaxEnthalpyBalanceWith<false>(H, F, t0, want, pressureCheck, trace);
}

}  // namespace humicalc
