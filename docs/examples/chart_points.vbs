' Points: AddPoint places a state by its enthalpy I (kJ/kg) and humidity
' ratio D (g/kg); the calculator turns temperatures and humidities into them.
'   scripts/wine-run.sh cscript //nologo docs/examples/chart_points.vbs
Option Explicit
Dim host, chart, calc, i, d, saturated

Function Outcome()
    Select Case Err.Number
        Case 0: Outcome = "accepted"
        Case 5: Outcome = "refused (E_INVALIDARG)"
        Case &H80004005: Outcome = "not found (E_FAIL)"
        Case Else: Outcome = "error " & Hex(Err.Number)
    End Select
    Err.Clear
End Function

' Rounded to digits decimals (Round's own second argument is ignored by Wine's
' script engine).
Function Num(x, digits)
    Num = Round(x * 10 ^ digits) / 10 ^ digits
End Function

Sub ListPoints()
    Dim k, pi, pd, name, line
    For k = 0 To chart.PointCount - 1
        chart.GetPoint k, pi, pd, name
        If name = "" Then name = "(no name)"
        line = line & "  " & name & " " & Num(pi, 2) & "/" & Num(pd, 2)
    Next
    WScript.Echo "points:" & line
End Sub

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
Set calc = CreateObject("Humicalc.CalID")

' Room air at 24 degC and 50 %, at the chart's pressure.
calc.SetInit chart.AirPressure
calc.ID_I_T_F 24, 0.5, i
calc.ID_D_T_F 24, 0.5, d
chart.AddPoint i, d, "Room"
chart.AddPoint 20, 5, "Supply"
chart.AddPoint 30, 4, ""
chart.AddPoint 31, 4, ""
ListPoints

On Error Resume Next
' The same name again: the old point goes, the new one is added at the end.
chart.AddPoint 22, 6, "Supply"
WScript.Echo "Supply again: " & Outcome()
' Above saturation: the humidity ratio where the enthalpy line meets the
' saturation curve is the limit.
calc.ID_D_I_F 50, 1, saturated
WScript.Echo "saturation at 50 kJ/kg: " & Num(saturated, 2) & " g/kg"
chart.AddPoint 50, saturated + 0.5, "Fog"
WScript.Echo "0.5 g/kg above it: " & Outcome()
' Beyond the chart's domain (-100 to 200 degC, 0 to 500 g/kg).
chart.AddPoint 10, -1, "Dry"
WScript.Echo "D = -1 g/kg: " & Outcome()
ListPoints

chart.RemovePoint "Nowhere"
WScript.Echo "RemovePoint Nowhere: " & Outcome()
chart.RemovePoint ""
WScript.Echo "RemovePoint with no name: " & Outcome()
chart.RemoveNoNamePoints
WScript.Echo "RemoveNoNamePoints: " & Outcome()
ListPoints

' A point that goes takes the processes and mixes that name it along.
chart.AddProcess "Supply", "Room", "Supply", 3000
WScript.Echo "processes: " & chart.ProcessCount
chart.RemovePoint "Supply"
WScript.Echo "RemovePoint Supply: " & Outcome() & ", processes: " & chart.ProcessCount
chart.RemoveAllPoints
WScript.Echo "RemoveAllPoints: " & chart.PointCount & " points"
