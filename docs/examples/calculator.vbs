' Humicalc.CalID: the 28 operations ID_<result>_<known>[_<known>], each
' answering through its last argument, on one state of air.
'   scripts/wine-run.sh cscript //nologo docs/examples/calculator.vbs
' Units: T, TS in degC; D in g/kg of dry air; I in kJ/kg of dry air; F a
' fraction (0.5, not 50); PQ in Pa; ROU in kg/m3.
Option Explicit
Dim calc, t, f, d, i, ts, pq, x

Function Num(value, digits)
    Num = Round(value * 10 ^ digits) / 10 ^ digits
End Function

Sub Show(operation, value, digits)
    WScript.Echo "  " & operation & " " & Num(value, digits)
End Sub

Set calc = CreateObject("Humicalc.CalID")
calc.SetInit 101325

' The state: 26 degC, 50 %.
t = 26 : f = 0.5
calc.ID_D_T_F t, f, d
calc.ID_I_T_F t, f, i
calc.ID_TS_T_F t, f, ts
calc.ID_PQ_D d, pq
WScript.Echo "26 degC, 50 % at 101325 Pa:"
Show "D  =", d, 3
Show "I  =", i, 3
Show "TS =", ts, 3
Show "PQ =", pq, 1

WScript.Echo "humidity ratio D from two others:"
calc.ID_D_PQ pq, x : Show "ID_D_PQ  ", x, 3
calc.ID_D_T_TS t, ts, x : Show "ID_D_T_TS", x, 3
calc.ID_D_T_I t, i, x : Show "ID_D_T_I ", x, 3
calc.ID_D_F_TS f, ts, x : Show "ID_D_F_TS", x, 3
calc.ID_D_I_F i, f, x : Show "ID_D_I_F ", x, 3
WScript.Echo "enthalpy I:"
calc.ID_I_T_D t, d, x : Show "ID_I_T_D ", x, 3
calc.ID_I_D_F d, f, x : Show "ID_I_D_F ", x, 3
calc.ID_I_TS ts, x : Show "ID_I_TS  ", x, 3
WScript.Echo "relative humidity F:"
calc.ID_F_T_TS t, ts, x : Show "ID_F_T_TS", x, 4
calc.ID_F_T_I t, i, x : Show "ID_F_T_I ", x, 4
calc.ID_F_D_I d, i, x : Show "ID_F_D_I ", x, 4
calc.ID_F_T_D t, d, x : Show "ID_F_T_D ", x, 4
calc.ID_F_D_TS d, ts, x : Show "ID_F_D_TS", x, 4
WScript.Echo "dry bulb T:"
calc.ID_T_D_I d, i, x : Show "ID_T_D_I ", x, 3
calc.ID_T_D_TS d, ts, x : Show "ID_T_D_TS", x, 3
calc.ID_T_D_F d, f, x : Show "ID_T_D_F ", x, 3
calc.ID_T_F_TS f, ts, x : Show "ID_T_F_TS", x, 3
calc.ID_T_I_F i, f, x : Show "ID_T_I_F ", x, 3
WScript.Echo "wet bulb TS (the saturation temperature of the same enthalpy):"
calc.ID_TS_I i, x : Show "ID_TS_I  ", x, 3
calc.ID_TS_T_D t, d, x : Show "ID_TS_T_D", x, 3
calc.ID_TS_D_F d, f, x : Show "ID_TS_D_F", x, 3
WScript.Echo "density ROU:"
calc.ID_ROU_T_D t, d, x : Show "ID_ROU_T_D", x, 4
calc.ID_ROU_I_D i, d, x : Show "ID_ROU_I_D", x, 4
calc.ID_ROU_T_F t, f, x : Show "ID_ROU_T_F", x, 4

WScript.Echo "saturation, dew point, dry air:"
calc.ID_D_T_F t, 1, x : Show "ID_D_T_F 26, 1 (saturated)", x, 3
calc.ID_T_D_F d, 1, x : Show "ID_T_D_F D, 1 (dew point) ", x, 3
calc.ID_I_T_D t, 0, x : Show "ID_I_T_D 26, 0 (dry air)  ", x, 3

' Nothing is refused: out-of-range input is clamped or extrapolated, and a
' humidity ratio of 1000000 says the vapour would reach the air's pressure.
WScript.Echo "out of range:"
calc.ID_D_T_F 26, 1.5, x : Show "ID_D_T_F 26, 1.5 (counts as 1)", x, 3
calc.ID_D_PQ 101325, x : Show "ID_D_PQ 101325", x, 0
calc.ID_D_T_F 100, 1, x : Show "ID_D_T_F 100, 1", x, 0
' Numbers given as text are read as numbers.
calc.ID_D_T_F "26", "0.5", x : Show "ID_D_T_F ""26"", ""0.5""", x, 3
