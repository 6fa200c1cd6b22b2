// The process-wide saturation tables on the 1 K grid and the three-point
// interpolation through which every saturation property is read.
#pragma once

namespace humicalc {

inline constexpr int kGridSize = 301;         // -100 .. 200 degC
inline constexpr double kGuardThreshold = 1e-4;

// x, or +1e-4 when |x| < 1e-4 whatever the sign of x.
inline double GuardDivisor(double x) { return (x < kGuardThreshold && x > -kGuardThreshold) ? kGuardThreshold : x; }

// Quadratic through the nodes k-1, k, k+1 where k is the first of 1 .. n-2 with
// X[k] >= x (n-2 when there is none); a found node within 1e-4 of x returns its
// Y unchanged.  This is the reference form with a linear search.
double Interp3(int n, double x, const double* X, const double* Y);

// Sets the pressure in force and rebuilds the saturation-enthalpy column for
// it, unless it is within 1e-4 Pa of the one in force.  NaN sets 0 and an
// infinite pressure the largest finite one of its sign.
void BuildSatEnthalpy(double p);

namespace detail {
inline bool takingLimits = false;  // process-wide, like the tables
}

// Where the evaluation as defined has no number to give: while a Limits
// object lives, a table read whose extrapolation overflows answers the
// quadratic's limit, and the relations and solvers take inf - inf, 0 * inf
// and inf / inf to their limits, where they would otherwise answer NaN.  An
// operation evaluates again under it only an answer that came out NaN, so
// every answer that is a number without it keeps its bits, even those that
// rest on a comparison with a NaN inside.
class Limits {
public:
    Limits() : outer_(detail::takingLimits) { detail::takingLimits = true; }
    ~Limits() { detail::takingLimits = outer_; }
    Limits(const Limits&) = delete;
    Limits& operator=(const Limits&) = delete;

private:
    bool outer_;
};

inline bool TakingLimits() { return detail::takingLimits; }

double CorePressure();
bool TablesReady();
const double* TempGrid();
const double* SatPressure();
const double* SatEnthalpy();

// The four table reads.  They find the same node as Interp3's linear search,
// bit for bit, at a cost that does not depend on the input or on the order of
// the inputs: on the temperature column by the offset from its first node, on
// the pressure and enthalpy columns by a small index on the running maximum of
// the column and a count over the few entries it leaves open, which
// stays exact on the saturation-enthalpy column where it stops ascending above
// the boiling point.
double ps(double t);  // saturation pressure at t
double is(double t);  // saturation enthalpy at t
double ts(double i);  // temperature of saturated air of enthalpy i
double tp(double p);  // temperature whose saturation pressure is p

// True only where ts(i) <= t holds, decided without reading the enthalpy
// column: i lies above its first node and at or below its node at or below
// t, where the column is known to rise smoothly, and t is not within 1e-6 K
// above that node.  The clamps to saturation skip the read for ordinary air.
// False says nothing.
bool TsCertainlyAtMost(double i, double t);

}  // namespace humicalc
