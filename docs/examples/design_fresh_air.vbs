' DesignFreshAir: a room's fresh air, as "Tools", "Fresh air..." works it
' out, and the mix of outdoor and room air added to the chart.
'   scripts/wine-run.sh cscript //nologo docs/examples/design_fresh_air.vbs
Option Explicit
Dim host, chart, calc, i, d, flow

Set host = CreateObject("HumichartTest.Container")
Set chart = host.Chart
Set calc = CreateObject("Humicalc.CalID")
calc.SetInit chart.AirPressure

' Outdoor air W at 34 degC and 55 %, the room N at 26 degC and 55 %.
calc.ID_I_T_F 34, 0.55, i
calc.ID_D_T_F 34, 0.55, d
chart.AddPoint i, d, "W"
calc.ID_I_T_F 26, 0.55, i
calc.ID_D_T_F 26, 0.55, d
chart.AddPoint i, d, "N"

' 3000 m3/h of supply air; 40 people at 30 m3/h each, at least 10 % of the
' supply, 800 m3/h of exhaust and pressurisation: the people's 1200 m3/h.
flow = chart.DesignFreshAir("W", "N", 3000, 40, 30, 10, 800, "C", "Fresh air")
WScript.Echo "fresh air flow: " & Round(flow * 10) / 10 & " m3/h"
WScript.Echo "points: " & chart.PointCount & ", mixes: " & chart.MixerCount

' The same two streams mixed again: refused as a whole, nothing added.
On Error Resume Next
flow = chart.DesignFreshAir("N", "W", 3000, 0, 30, 10, 5000, "C2", "")
WScript.Echo "refused: " & Err.Description
On Error GoTo 0
WScript.Echo "points: " & chart.PointCount & ", mixes: " & chart.MixerCount
