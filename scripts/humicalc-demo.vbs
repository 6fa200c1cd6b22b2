' Every parameter of one air state, computed by the registered Humicalc.dll
' through late binding, at standard pressure and at 90000 Pa.
Option Explicit
Dim calc, pressure, d, i, ts, dew, pq, rou, f
Set calc = CreateObject("Humicalc.CalID")
For Each pressure In Array(101325, 90000)
    calc.SetInit pressure
    calc.ID_D_T_F 20, 0.5, d
    calc.ID_I_T_F 20, 0.5, i
    calc.ID_TS_T_F 20, 0.5, ts
    calc.ID_T_D_F d, 1, dew
    calc.ID_PQ_D d, pq
    calc.ID_ROU_T_F 20, 0.5, rou
    calc.ID_F_T_D 20, d, f
    WScript.Echo "Air at T = 20 C, F = 50 %, P = " & pressure & " Pa"
    WScript.Echo "  humidity ratio D     " & FormatNumber(d, 3) & " g/kg"
    WScript.Echo "  enthalpy I           " & FormatNumber(i, 3) & " kJ/kg"
    WScript.Echo "  wet-bulb TS          " & FormatNumber(ts, 3) & " C"
    WScript.Echo "  dew point            " & FormatNumber(dew, 3) & " C"
    WScript.Echo "  vapour pressure PQ   " & FormatNumber(pq, 1) & " Pa"
    WScript.Echo "  density ROU          " & FormatNumber(rou, 4) & " kg/m3"
    WScript.Echo "  relative humidity F  " & FormatNumber(f * 100, 2) & " % (from T and D)"
Next
