#!/usr/bin/env python3
"""How far the chart's wet-bulb temperature lies below a psychrometer's.

The chart's WB.T (the calculator's TS) is the temperature of saturated air
with the same enthalpy as the state: the enthalpy line read down to the
saturation curve.  A psychrometer's wet bulb is the thermodynamic one, where
the water that evaporates into the air brings its own enthalpy along:

    h(t, W) + (Ws(t*) - W) * hw(t*) = hs(t*)

so t* lies a little above the saturation temperature of h.  This script
computes both for ordinary room and outdoor states at 101325 Pa and prints
the gap t* - TS:

    python3 scripts/wet_bulb_gap.py

The thermodynamic wet bulb is computed independently of the calculator, from
the ASHRAE Handbook's relations (Hyland-Wexler saturation pressure with its
published constants, W = 0.621945 pw / (p - pw), h = 1.006 t + W (2501 +
1.86 t), liquid water hw = 4.186 t*).  The chart's wet bulb is computed from
the calculator's own relations (its saturation pressure, 621.98, h = 1.005 t +
D (2.5 + 0.00184 t) with D in g/kg), solved for the saturation temperature
of the enthalpy instead of read from its 1 K tables; the two differ by less
than 0.001 K (the calculator's ID_TS_T_F(26, 0.5) answers 18.64 degC, the
same as this script's TS for that state).

Only states whose wet bulb lies above 0 degC are ordinary here: below it the
wick freezes, and an ice bulb's gap has the other sign.
"""
import math

P = 101325.0


def saturation_pressure_ashrae(t):
    """Pa over water above 0 degC, over ice at and below (Hyland-Wexler)."""
    k = t + 273.15
    if t <= 0:
        return math.exp(-5.6745359e3 / k + 6.3925247 - 9.677843e-3 * k + 6.2215701e-7 * k**2
                        + 2.0747825e-9 * k**3 - 9.484024e-13 * k**4 + 4.1635019 * math.log(k))
    return math.exp(-5.8002206e3 / k + 1.3914993 - 4.8640239e-2 * k + 4.1764768e-5 * k**2
                    - 1.4452093e-8 * k**3 + 6.5459673 * math.log(k))


def saturation_pressure_chart(t):
    """The calculator's table function: one constant 0.035 % lower over water."""
    if t <= 0:
        return saturation_pressure_ashrae(t)
    k = t + 273.15
    return math.exp(-5.8002206e3 / k + 1.39114993 - 4.8640239e-2 * k + 4.1764768e-5 * k**2
                    - 1.4452093e-8 * k**3 + 6.5459673 * math.log(k))


def root(f, low, high):
    """Bisection of a function that changes sign between low and high."""
    f_low = f(low)
    for _ in range(100):
        mid = (low + high) / 2
        f_mid = f(mid)
        if (f_mid > 0) == (f_low > 0):
            low, f_low = mid, f_mid
        else:
            high = mid
    return (low + high) / 2


# The chart's side, in its units: D in g/kg, I in kJ/kg.
def chart_humidity(t, rh):
    pw = saturation_pressure_chart(t) * rh
    return 621.98 * pw / (P - pw)


def chart_enthalpy(t, d):
    return (0.00184 * t + 2.5) * d + 1.005 * t


def chart_wet_bulb(t, rh):
    """The saturation temperature of the state's enthalpy (the chart's TS)."""
    i = chart_enthalpy(t, chart_humidity(t, rh))
    return root(lambda ts: chart_enthalpy(ts, chart_humidity(ts, 1.0)) - i, -60.0, 100.0)


# The psychrometer's side, in ASHRAE's units: W in kg/kg, h in kJ/kg.
def humidity(t, rh):
    pw = saturation_pressure_ashrae(t) * rh
    return 0.621945 * pw / (P - pw)


def enthalpy(t, w):
    return 1.006 * t + w * (2501.0 + 1.86 * t)


def thermodynamic_wet_bulb(t, rh):
    w = humidity(t, rh)
    h = enthalpy(t, w)

    def balance(tw):
        ws = humidity(tw, 1.0)
        return h + (ws - w) * 4.186 * tw - enthalpy(tw, ws)

    return root(balance, -60.0, t)


def typed_wet_bulb_error(t, rh):
    """A psychrometer's wet bulb typed into the chart as WB.T, with DB.T t:
    how much moister the chart's point is than the air (g/kg, and R.H in %)."""
    tw = thermodynamic_wet_bulb(t, rh)
    i = chart_enthalpy(tw, chart_humidity(tw, 1.0))  # the chart's I at that WB.T
    d = (i - 1.005 * t) / (0.00184 * t + 2.5)
    d_true = chart_humidity(t, rh)
    pw = P * d / (d + 621.98)
    return d - d_true, (pw / saturation_pressure_chart(t) - rh) * 100


def states(temperatures, humidities):
    for t in temperatures:
        for rh in humidities:
            yield t, rh


def gaps(temperatures, humidities):
    """(gap, t, rh) for every state whose wet bulb lies above 0 degC."""
    out = []
    for t, rh in states(temperatures, humidities):
        tw = thermodynamic_wet_bulb(t, rh)
        if tw > 0:
            out.append((tw - chart_wet_bulb(t, rh), t, rh))
    return out


def main():
    print("At 101325 Pa; the gap is the thermodynamic wet bulb less the chart's WB.T, in K.")
    print()
    print("  DB.T   R.H   chart WB.T   thermodynamic   gap")
    for t, rh in [(20, 0.5), (26, 0.5), (26, 0.3), (35, 0.4), (35, 0.6), (10, 0.5), (26, 1.0)]:
        ts, tw = chart_wet_bulb(t, rh), thermodynamic_wet_bulb(t, rh)
        gap = round(tw - ts, 3) + 0.0  # no "-0.000" at saturation
        print(f"  {t:4.0f}  {rh * 100:4.0f}%  {ts:9.2f}    {tw:10.2f}     {gap:5.3f}")
    print()
    dd, drh = typed_wet_bulb_error(26, 0.5)
    print(f"A psychrometer's wet bulb at 26 degC, 50 % typed in as WB.T: the chart's point is "
          f"{dd:.3f} g/kg, {drh:.2f} % R.H moister.")
    print()
    ranges = [
        ("room states, 18 to 28 degC at 30 to 70 %", range(18, 29), [r / 100 for r in range(30, 71, 5)]),
        ("outdoor states, 0 to 40 degC at 20 to 90 %", range(0, 41), [r / 100 for r in range(20, 91, 5)]),
    ]
    for label, temperatures, humidities in ranges:
        found = gaps(temperatures, humidities)
        low, high = min(found), max(found)
        print(f"{label} (wet bulb above 0 degC):")
        print(f"  {low[0]:.2f} K (at {low[1]} degC, {low[2] * 100:.0f} %) to "
              f"{high[0]:.2f} K (at {high[1]} degC, {high[2] * 100:.0f} %)")


if __name__ == "__main__":
    main()
