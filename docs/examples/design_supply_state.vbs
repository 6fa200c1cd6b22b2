' DesignSupplyState: the supply air of a room, as "Tools", "Supply air
' state..." works it out, added to the chart without the dialog.
'   scripts/wine-run.sh cscript //nologo docs/examples/design_supply_state.vbs
Option Explicit
Dim host, chart, calc, i, d, name, flow

' In a VBA or VB6 form the chart is the control on the form (Humichart1, say).
' A script cannot make a window for it: it borrows the tests' container.
Set host = CreateObject("HumichartTest.Container")
Set chart = host.Chart

' The room N at 26 degC and 55 %, as the calculator places it.
Set calc = CreateObject("Humicalc.CalID")
calc.SetInit chart.AirPressure
calc.ID_I_T_F 26, 0.55, i
calc.ID_D_T_F 26, 0.55, d
chart.AddPoint i, d, "N"

' 10 kW of heat and 3 kg/h of moisture to take up, supply air 8 K colder:
' adds the point O and the process O -> N ("Supply") carrying the flow.
flow = chart.DesignSupplyState("N", 10, 3, 8, "O", "Supply")
WScript.Echo "supply air flow: " & Round(flow * 10) / 10 & " m3/h"
WScript.Echo "points: " & chart.PointCount & ", processes: " & chart.ProcessCount
chart.GetPoint 1, i, d, name
WScript.Echo name & ": " & Round(i * 100) / 100 & " kJ/kg, " & Round(d * 1000) / 1000 & " g/kg"

' A second supply point named O is refused as a whole, with the dialog's message.
On Error Resume Next
flow = chart.DesignSupplyState("N", 10, 3, 6, "O", "Supply 2")
WScript.Echo "refused: " & Err.Description
On Error GoTo 0
WScript.Echo "points: " & chart.PointCount & ", processes: " & chart.ProcessCount
