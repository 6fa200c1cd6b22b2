#include "SatTables.h"

#include <cmath>
#include <limits>

namespace humicalc {
namespace {

constexpr int kLast = kGridSize - 2;  // highest node a search may find

// An abscissa column with the running maximum of X[1..k] kept beside it.  The
// first k with X[k] >= x is the first k whose running maximum is >= x, and the
// running maximum never decreases, so bisection finds exactly the node of the
// linear search even where X itself does not ascend.  NaN entries take no part
// in the maximum (they never satisfy X[k] >= x); a prefix with none but NaN has
// a NaN maximum, which compares false like the entries it stands for.
struct SearchColumn {
    double runningMax[kGridSize];

    void Build(const double* X) {
        double m = std::numeric_limits<double>::quiet_NaN();
        for (int k = 1; k <= kLast; ++k) {
            if (X[k] > m || (m != m && X[k] == X[k])) m = X[k];
            runningMax[k] = m;
        }
    }

    // First k in 1..kLast with X[k] >= x, or 0 when there is none.
    int FirstAtLeast(double x) const {
        if (!(runningMax[kLast] >= x)) return 0;
        int lo = 1, hi = kLast;  // runningMax[hi] >= x holds throughout
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (runningMax[mid] >= x) hi = mid; else lo = mid + 1;
        }
        return lo;
    }
};

struct Tables {
    double tempGrid[kGridSize];
    double satPressure[kGridSize] = {
#include "SatPressureTable.inc"
    };
    double satEnthalpy[kGridSize] = {};
    double corePressure = 0.0;
    bool tablesReady = false;
    SearchColumn byTemp, byPressure, byEnthalpy;

    Tables() {
        for (int i = 0; i < kGridSize; ++i) tempGrid[i] = -100.0 + i;
        byTemp.Build(tempGrid);
        byPressure.Build(satPressure);
        byEnthalpy.Build(satEnthalpy);
    }
};

Tables& State() {
    static Tables tables;
    return tables;
}

// The quadratic through nodes k-1, k, k+1, each term in the order written.
double Quadratic(int k, double x, const double* X, const double* Y) {
    const double l0 = (x - X[k]) * (x - X[k + 1]) / GuardDivisor((X[k - 1] - X[k]) * (X[k - 1] - X[k + 1]));
    const double l1 = (x - X[k - 1]) * (x - X[k + 1]) / GuardDivisor((X[k] - X[k - 1]) * (X[k] - X[k + 1]));
    const double l2 = (x - X[k - 1]) * (x - X[k]) / GuardDivisor((X[k + 1] - X[k - 1]) * (X[k + 1] - X[k]));
    return (l0 * Y[k - 1] + l1 * Y[k]) + l2 * Y[k + 1];
}

// found: the search's node, or 0 when the search found none.
double InterpAt(int found, int n, double x, const double* X, const double* Y) {
    if (found > 0 && std::fabs(x - X[found]) < kGuardThreshold) return Y[found];
    return Quadratic(found > 0 ? found : n - 2, x, X, Y);
}

double Lookup(const SearchColumn& column, double x, const double* X, const double* Y) {
    return InterpAt(column.FirstAtLeast(x), kGridSize, x, X, Y);
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
    Tables& s = State();
    if (std::fabs(p - s.corePressure) < kGuardThreshold && s.tablesReady) return;
    s.corePressure = p;
    for (int i = 0; i < kGridSize; ++i) {
        const double ds = 621.98 * s.satPressure[i] / GuardDivisor(p - s.satPressure[i]);
        s.satEnthalpy[i] = (0.00184 * s.tempGrid[i] + 2.5) * ds + 1.005 * s.tempGrid[i];
    }
    s.byEnthalpy.Build(s.satEnthalpy);
    s.tablesReady = true;
}

double CorePressure() { return State().corePressure; }
bool TablesReady() { return State().tablesReady; }
const double* TempGrid() { return State().tempGrid; }
const double* SatPressure() { return State().satPressure; }
const double* SatEnthalpy() { return State().satEnthalpy; }

double ps(double t) { const Tables& s = State(); return Lookup(s.byTemp, t, s.tempGrid, s.satPressure); }
double is(double t) { const Tables& s = State(); return Lookup(s.byTemp, t, s.tempGrid, s.satEnthalpy); }
double ts(double i) { const Tables& s = State(); return Lookup(s.byEnthalpy, i, s.satEnthalpy, s.tempGrid); }
double tp(double p) { const Tables& s = State(); return Lookup(s.byPressure, p, s.satPressure, s.tempGrid); }

}  // namespace humicalc
