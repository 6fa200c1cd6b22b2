' DesignDewPointSupply: a room's coil, as "Tools", "Dew-point supply..."
' works it out: the coil leaving state L at 90 %, reheated to at most 6 K
' below the room, with 20 % outdoor air; the points and processes are named
' from the prefix "AHU1-".
'   scripts/wine-run.sh cscript //nologo docs/examples/design_dew_point_supply.vbs
Option Explicit
Dim host, chart, calc, i, d, flow, k, a, b, n, v

Set host = CreateObject("HumichartTest.Container")
Set chart = host.Chart
Set calc = CreateObject("Humicalc.CalID")
calc.SetInit chart.AirPressure
calc.ID_I_T_F 34, 0.55, i
calc.ID_D_T_F 34, 0.55, d
chart.AddPoint i, d, "W"
calc.ID_I_T_F 26, 0.55, i
calc.ID_D_T_F 26, 0.55, d
chart.AddPoint i, d, "N"

flow = chart.DesignDewPointSupply("N", 10, 3, 90, "W", 20, 6, "AHU1-")
WScript.Echo "supply air flow: " & Round(flow * 10) / 10 & " m3/h"
WScript.Echo "points: " & chart.PointCount & ", processes: " & chart.ProcessCount & ", mixes: " & chart.MixerCount

' Without outdoor air (an empty name) and without reheat (0), prefix "B-".
flow = chart.DesignDewPointSupply("N", 10, 3, 90, "", 0, 0, "B-")
WScript.Echo "supply air flow: " & Round(flow * 10) / 10 & " m3/h"

' Heating loads: the line of the loads never reaches 90 %.
On Error Resume Next
flow = chart.DesignDewPointSupply("N", -5, 1, 90, "", 0, 0, "C-")
WScript.Echo "refused: " & Err.Description
