#include "SatTables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace humicalc {
namespace {

constexpr int kLast = kGridSize - 2;  // highest node a search may find
constexpr double kTsSlack = 1e-6;      // K; see RisesSmoothlyThrough

// A coefficient summed from three terms, or 0 where it is no larger than the
// rounding of the terms could make it: a column that is a line there, like
// the enthalpy column at a huge pressure, reads as a line.
double Coefficient(double t0, double t1, double t2) {
    const double c = (t0 + t1) + t2;
    return std::fabs(c) > 1e-12 * std::max({std::fabs(t0), std::fabs(t1), std::fabs(t2)}) ? c : 0.0;
}

// Far beyond the grid (|x| above some 1e150) the terms of the quadratic
// overflow to infinities of opposite sign, whose sum is NaN.  The quadratic
// itself has overflowed there: it stands at the infinity of its leading
// coefficient's sign at either end, or of its slope's where it is a line.
[[gnu::noinline]] double OverflowedQuadratic(int k, double x, const double* X, const double* Y) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const double d0 = GuardDivisor((X[k - 1] - X[k]) * (X[k - 1] - X[k + 1]));
    const double d1 = GuardDivisor((X[k] - X[k - 1]) * (X[k] - X[k + 1]));
    const double d2 = GuardDivisor((X[k + 1] - X[k - 1]) * (X[k + 1] - X[k]));
    const double a = Coefficient(Y[k - 1] / d0, Y[k] / d1, Y[k + 1] / d2);
    if (a != 0) return std::copysign(kInf, a);
    const double b = -Coefficient(Y[k - 1] * (X[k] + X[k + 1]) / d0, Y[k] * (X[k - 1] + X[k + 1]) / d1,
                                  Y[k + 1] * (X[k - 1] + X[k]) / d2);
    if (b != 0) return std::copysign(kInf, b) * std::copysign(1.0, x);
    return Y[k];
}

// A read that came out NaN: that NaN, unless the limits are taken and x is a
// number.
[[gnu::cold, gnu::noinline]] double UnnumberedRead(double y, int k, double x, const double* X, const double* Y) {
    return x == x && TakingLimits() ? OverflowedQuadratic(k, x, X, Y) : y;
}

// The quadratic through nodes k-1, k, k+1, each term in the order written.
double Quadratic(int k, double x, const double* X, const double* Y) {
    const double l0 = (x - X[k]) * (x - X[k + 1]) / GuardDivisor((X[k - 1] - X[k]) * (X[k - 1] - X[k + 1]));
    const double l1 = (x - X[k - 1]) * (x - X[k + 1]) / GuardDivisor((X[k] - X[k - 1]) * (X[k] - X[k + 1]));
    const double l2 = (x - X[k - 1]) * (x - X[k]) / GuardDivisor((X[k + 1] - X[k - 1]) * (X[k + 1] - X[k]));
    const double y = (l0 * Y[k - 1] + l1 * Y[k]) + l2 * Y[k + 1];
    return y == y ? y : UnnumberedRead(y, k, x, X, Y);
}

// The temperature column: every whole degree from its first node.
class GridSearch {
public:
    void Build(const double* X) {
        X_ = X;
        // The node products of a 1 K grid are 2, -1 and 2 at every node, which
        // the guard leaves alone.  Dividing by a power of two or by -1 is
        // exact, so multiplying by the reciprocal gives the same bits, NaN
        // included; held as data, not as constants, so that the compiler keeps
        // the multiplication rather than turning the -1 into a sign flip.
        inverse_[0] = 1 / GuardDivisor((X[0] - X[1]) * (X[0] - X[2]));
        inverse_[1] = 1 / GuardDivisor((X[1] - X[0]) * (X[1] - X[2]));
        inverse_[2] = 1 / GuardDivisor((X[2] - X[0]) * (X[2] - X[1]));
    }

    // First k in 1..kLast with X[k] >= x, or 0 when there is none.  The node is
    // the offset from the first node, give or take the rounding of that
    // subtraction: near a node the rounded offset can land on the whole number
    // below the true one but never above it, so one comparison with the table
    // value decides between m and m + 1, and the node is exactly the one the
    // linear search finds.
    int FirstAtLeast(double x) const {
        if (!(x <= X_[kLast])) return 0;  // above the column, or NaN
        if (!(x > X_[1])) return 1;
        const int m = static_cast<int>(x - X_[0]);  // x - X[0] lies in (1, kLast]
        return m + (X_[m] < x);
    }

    double Quadratic(int k, double x, const double* Y) const {
        const double* X = X_;
        const double l0 = (x - X[k]) * (x - X[k + 1]) * inverse_[0];
        const double l1 = (x - X[k - 1]) * (x - X[k + 1]) * inverse_[1];
        const double l2 = (x - X[k - 1]) * (x - X[k]) * inverse_[2];
        const double y = (l0 * Y[k - 1] + l1 * Y[k]) + l2 * Y[k + 1];
        return y == y ? y : UnnumberedRead(y, k, x, X, Y);
    }

private:
    const double* X_ = nullptr;
    double inverse_[3] = {};
};

// An abscissa column with the running maximum of X[1..k] kept beside it.  The
// first k with X[k] >= x is the first k whose running maximum is >= x, and the
// running maximum never decreases, so a small index on its values narrows the
// node down to a span of a few entries, and counting the entries of that
// span below x gives the node.  Bisection would get there too, but on inputs in
// random order it guesses half of its nine branches wrong; here the only loop
// has the same length for every x.
//
// The index cuts the values into buckets of equal width on a log scale: the
// bit pattern of a positive double, shifted right, is its exponent followed by
// the leading bits of its mantissa, and rises with the value.  A column that
// reaches zero or below (the enthalpy column starts near -100) is first moved
// up by an offset so that its lowest entry sits at 1.  Any x then falls in the
// bucket of x + offset, and since rounding never reverses an order, a bucket
// below x's holds only entries below x and a bucket above only entries above:
// the node lies between the first entry of x's bucket and the first entry of
// the next.  NaN entries take no part in the maximum (they never satisfy
// X[k] >= x); a prefix with none but NaN has a NaN maximum, which fails the
// test like the entries it stands for, and lies before the first bucket.
class SearchColumn {
public:
    SearchColumn() {
        for (int k = kLast + 1; k < kPadded; ++k) runningMax_[k] = std::numeric_limits<double>::infinity();
    }

    // The enthalpy column's index is rebuilt in every calculator session at
    // another pressure than 101325 Pa that reads it, so it is built in one
    // pass over the entries, and with fewer buckets (a span of up to four
    // entries) than the pressure column's, which is built once.
    void Build(const double* X, int maxBuckets) {
        double m = std::numeric_limits<double>::quiet_NaN();
        runningMax_[0] = m;  // never read
        int firstNumber = 0;
        for (int k = 1; k <= kLast; ++k) {
            if (X[k] > m || (m != m && X[k] == X[k])) m = X[k];
            runningMax_[k] = m;
            if (firstNumber == 0 && m == m) firstNumber = k;
        }

        // The finest buckets whose count fits; a column that fits no scale,
        // or holds no number, goes into one bucket counted whole.
        offset_ = 0.0;
        shift_ = 0;
        base_ = 0;
        buckets_ = 1;
        if (firstNumber != 0 && std::isfinite(runningMax_[firstNumber])) {
            const double lowest = runningMax_[firstNumber];
            offset_ = lowest > 0 ? 0.0 : 1.0 - lowest;
            for (int perOctave = 6; perOctave >= 0; --perOctave) {
                shift_ = 52 - perOctave;
                base_ = Key(lowest);
                const std::int64_t span = Key(runningMax_[kLast]) - base_ + 1;
                if (span <= maxBuckets) {
                    buckets_ = static_cast<int>(span);
                    break;
                }
                buckets_ = maxBuckets;
            }
        }

        // start_[b]: the first entry in bucket b or above (kLast + 1 if none);
        // the entries before the first number lie before every bucket.  The
        // node of x lies in [start_[b], start_[b + 1]] for x's bucket b, and
        // no further than the first entry that reaches the column's top, since
        // x is at or below it; the widest such span sets the count's length.
        int top = kLast;
        while (top > 1 && runningMax_[top - 1] >= runningMax_[kLast]) --top;
        width_ = 1;
        int next = 0;  // first bucket whose start is not yet known
        int opened = 0;
        for (int k = std::max(firstNumber, 1); k <= kLast && next < buckets_; ++k) {
            const int b = Bucket(runningMax_[k]);
            if (b < next) continue;
            if (next > 0) width_ = std::max(width_, std::min(k, top) - opened);
            while (next <= b) start_[next++] = static_cast<std::uint16_t>(k);
            opened = k;
        }
        width_ = std::max(width_, std::min(kLast + 1, top) - opened);
        while (next <= buckets_) start_[next++] = static_cast<std::uint16_t>(kLast + 1);
    }

    // First k in 1..kLast with X[k] >= x, or 0 when there is none.
    int FirstAtLeast(double x) const {
        if (!(runningMax_[kLast] >= x)) return 0;  // above every entry, or NaN
        const int first = start_[Bucket(x)];
        const double* entries = runningMax_ + first;
        int below = 0;
        for (int i = 0; i < width_; ++i) below += !(entries[i] >= x);
        return first + below;
    }

private:
public:
    static constexpr int kMaxBuckets = 1024;

private:
    static constexpr int kPadded = 2 * kLast + 2;  // a span may run past kLast

    // Exponent and leading mantissa bits of x + offset.  At or below zero the
    // sign bit makes the pattern negative, below the lowest entry's.
    std::int64_t Key(double x) const { return std::bit_cast<std::int64_t>(x + offset_) >> shift_; }

    int Bucket(double x) const { return static_cast<int>(std::clamp<std::int64_t>(Key(x) - base_, 0, buckets_ - 1)); }

    double runningMax_[kPadded];
    double offset_;
    int shift_;
    std::int64_t base_;
    int buckets_;
    int width_;  // the longest span between one bucket's first entry and the next's
    std::uint16_t start_[kMaxBuckets + 1];
};

struct Tables {
    double tempGrid[kGridSize];
    double satPressure[kGridSize] = {
#include "SatPressureTable.inc"
    };
    double satEnthalpy[kGridSize] = {};
    double corePressure = 0.0;
    bool tablesReady = false;
    GridSearch byTemp;
    SearchColumn byPressure, byEnthalpy;
    int risesSmoothlyThrough = 1;  // see TsCertainlyAtMost
    // byEnthalpy and risesSmoothlyThrough follow the enthalpy column on its
    // first read after a rebuild, not at the rebuild: every calculator object
    // rebuilds the column for 101325 Pa when it is created, and a caller at
    // another pressure rebuilds it again at once, reading nothing in between.
    bool enthalpyIndexStale = true;

    Tables() {
        for (int i = 0; i < kGridSize; ++i) tempGrid[i] = -100.0 + i;
        byTemp.Build(tempGrid);
        byPressure.Build(satPressure, SearchColumn::kMaxBuckets);
    }
};

Tables& State() {
    static Tables tables;
    return tables;
}

// found: the search's node, or 0 when the search found none.
double InterpAt(int found, int n, double x, const double* X, const double* Y) {
    if (found > 0 && std::fabs(x - X[found]) < kGuardThreshold) return Y[found];
    return Quadratic(found > 0 ? found : n - 2, x, X, Y);
}

double Lookup(const SearchColumn& column, double x, const double* X, const double* Y) {
    return InterpAt(column.FirstAtLeast(x), kGridSize, x, X, Y);
}

double Lookup(const GridSearch& grid, double x, const double* X, const double* Y) {
    const int found = grid.FirstAtLeast(x);
    if (found > 0 && std::fabs(x - X[found]) < kGuardThreshold) return Y[found];
    return grid.Quadratic(found > 0 ? found : kGridSize - 2, x, Y);
}

// The last node m such that ts reads every enthalpy in (S[1], S[m]] from an
// interval k in 2..m on which the interpolation rises from T[k-1] to T[k]:
// S rises through node m + 1 by steps of at least 0.015 kJ/kg, none less than
// half the one before it, so that every node product is at least 1.1e-4 and
// none is guarded.  With the temperatures 1 K apart, the parabola's slope is
// then positive at the upper end of the interval whenever S rises, and at the
// lower end because it is proportional to 2 + r - 1/r with r = h1/h0 >= 0.5
// (positive above 0.414), so it rises throughout; |l0|, |l1|, |l2| stay below
// 1, 3 and 0.5 there, and the rounding of the evaluated quadratic (about
// 1e-12 K) is far inside kTsSlack.  At ordinary pressures the column
// qualifies up to the boiling point.
int RisesSmoothlyThrough(const double* S) {
    int m = 1;
    for (int k = 2; k <= kLast; ++k) {
        const double h0 = S[k] - S[k - 1], h1 = S[k + 1] - S[k];
        if (!(h0 >= 0.015 && h1 >= 0.5 * h0 && h1 < std::numeric_limits<double>::infinity())) break;
        m = k;
    }
    return m;
}

const Tables& ForEnthalpyReads() {
    Tables& s = State();
    if (s.enthalpyIndexStale) {
        s.byEnthalpy.Build(s.satEnthalpy, SearchColumn::kMaxBuckets / 4);
        s.risesSmoothlyThrough = RisesSmoothlyThrough(s.satEnthalpy);
        s.enthalpyIndexStale = false;
    }
    return s;
}

}  // namespace

double Interp3(int n, double x, const double* X, const double* Y) {
    int found = 0;
    for (int k = 1; k <= n - 2; ++k) {
        if (X[k] >= x) { found = k; break; }
    }
    return InterpAt(found, n, x, X, Y);
}

void BuildSatEnthalpy(double p) {
    // The pressure in force is always a finite number: NaN reads as 0, as
    // every argument does, and an infinite pressure as the largest finite
    // one, so that the relations never meet an infinite P times a zero.
    constexpr double kMax = std::numeric_limits<double>::max();
    if (!(std::fabs(p) <= kMax)) p = p == p ? std::copysign(kMax, p) : 0.0;
    Tables& s = State();
    if (std::fabs(p - s.corePressure) < kGuardThreshold && s.tablesReady) return;
    s.corePressure = p;
    for (int i = 0; i < kGridSize; ++i) {
        const double ds = 621.98 * s.satPressure[i] / GuardDivisor(p - s.satPressure[i]);
        s.satEnthalpy[i] = (0.00184 * s.tempGrid[i] + 2.5) * ds + 1.005 * s.tempGrid[i];
    }
    s.enthalpyIndexStale = true;
    s.tablesReady = true;
}

bool TsCertainlyAtMost(double i, double t) {
    const Tables& s = ForEnthalpyReads();
    // The highest node at least kTsSlack below t, so that a whole-degree t
    // (as typed) is measured against the node a degree below it.
    const double offset = t - s.tempGrid[0] - kTsSlack;
    if (!(offset >= 2 && offset < s.risesSmoothlyThrough + 1)) return false;  // also NaN
    const int m = static_cast<int>(offset);  // 2 .. risesSmoothlyThrough
    return i > s.satEnthalpy[1] && i <= s.satEnthalpy[m] && s.tempGrid[m] + kTsSlack <= t;
}

double CorePressure() { return State().corePressure; }
bool TablesReady() { return State().tablesReady; }
const double* TempGrid() { return State().tempGrid; }
const double* SatPressure() { return State().satPressure; }
const double* SatEnthalpy() { return State().satEnthalpy; }

double ps(double t) { const Tables& s = State(); return Lookup(s.byTemp, t, s.tempGrid, s.satPressure); }
double is(double t) { const Tables& s = State(); return Lookup(s.byTemp, t, s.tempGrid, s.satEnthalpy); }
double ts(double i) { const Tables& s = ForEnthalpyReads(); return Lookup(s.byEnthalpy, i, s.satEnthalpy, s.tempGrid); }
double tp(double p) { const Tables& s = State(); return Lookup(s.byPressure, p, s.satPressure, s.tempGrid); }

}  // namespace humicalc
