// The two iterative solvers behind the pairs that have no closed form.
#pragma once

namespace humicalc {

// What a solver did, for tests and diagnostics.
struct SolverTrace {
    int corrections = 0;  // dew-point correction steps taken
    int evaluations = 0;  // enthalpy-balance evaluations, over all runs
    int restarts = 0;     // runs restarted with a halved step
};

// Temperature from D and F: the interpolated dew point of D's vapour pressure
// scaled by 1/F, pushed off the supersaturated side by over-relaxed steps.
double DewPointCorrected(double D, double F, SolverTrace* trace = nullptr);

enum class BalanceResult { Temperature, Humidity };

// Damped relaxation on the enthalpy balance H = I(t, D(t, F)) from t0, with
// step halving when a run diverges.  With pressureCheck, a vapour pressure that
// reaches the atmospheric pressure answers the sentinel humidity ratio.
double RelaxEnthalpyBalance(double H, double F, double t0, BalanceResult want, bool pressureCheck,
                            SolverTrace* trace = nullptr);

}  // namespace humicalc
