' Transfer processes and mixes: lines between named points, with their air
' flows in m3/h. A process is known by its two points in either order, a mix
' by its fresh and return points in either order.
'   scripts/wine-run.sh cscript //nologo docs/examples/chart_processes_mixes.vbs
Option Explicit
Dim host, chart, calc, i, d, start, finish, name, flow, fresh, back, mixPoint, freshFlow

Function Outcome()
    Select Case Err.Number
        Case 0: Outcome = "accepted"
        Case 5: Outcome = "refused (E_INVALIDARG)"
        Case &H80004005: Outcome = "not found (E_FAIL)"
        Case Else: Outcome = "error " & Hex(Err.Number)
    End Select
    Err.Clear
End Function

Function Num(x, digits)
    Num = Round(x * 10 ^ digits) / 10 ^ digits
End Function

' A point at dry-bulb t (degC) and relative humidity f (a fraction).
Sub Place(t, f, pointName)
    calc.SetInit chart.AirPressure
    calc.ID_I_T_F t, f, i
    calc.ID_D_T_F t, f, d
    chart.AddPoint i, d, pointName
End Sub

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
Set calc = CreateObject("Humicalc.CalID")
Place 34, 0.6, "Outdoor"
Place 26, 0.55, "Room"
Place 16, 0.9, "Coil"

On Error Resume Next
chart.AddProcess "Room", "Coil", "Cooling", 3000
WScript.Echo "Room -> Coil: " & Outcome()
' The same two points the other way round: the first process is replaced.
chart.AddProcess "Coil", "Room", "Supply", 3000
WScript.Echo "Coil -> Room: " & Outcome() & ", processes: " & chart.ProcessCount
chart.GetProcess 0, start, finish, name, flow
WScript.Echo "  " & name & ": " & start & " -> " & finish & ", " & flow & " m3/h"
' Both points must be on the chart, and different.
chart.AddProcess "Room", "Attic", "Leak", 100
WScript.Echo "Room -> Attic (no such point): " & Outcome()
chart.AddProcess "Room", "Room", "Loop", 100
WScript.Echo "Room -> Room: " & Outcome()

' A mix adds its own point, named by the third argument, which no point may
' have yet. Its place follows from the flows at the chart's next paint.
chart.AddMixLine "Outdoor", "Room", "Mixed", "AHU-1", 600, 3000
WScript.Echo "mix of Outdoor and Room: " & Outcome() & ", points: " & chart.PointCount
chart.AddMixLine "Room", "Coil", "Coil", "Bypass", 500, 3000
WScript.Echo "a mix into Coil (a point already): " & Outcome()
chart.GetMixer 0, fresh, back, mixPoint, name, freshFlow, flow
WScript.Echo "  " & name & ": " & fresh & " + " & back & " -> " & mixPoint & ", " & _
    freshFlow & " of " & flow & " m3/h fresh"

' Where the mix point lies: the flow-weighted mean of enthalpy and humidity
' ratio, fresh share 600 / 3000.
Dim iOut, dOut, iRoom, dRoom, share
chart.GetPoint 0, iOut, dOut, name
chart.GetPoint 1, iRoom, dRoom, name
share = 600 / 3000
WScript.Echo "  Mixed will lie at " & Num(share * iOut + (1 - share) * iRoom, 2) & " kJ/kg, " & _
    Num(share * dOut + (1 - share) * dRoom, 2) & " g/kg"

chart.RemoveProcess "Room", "Coil"
WScript.Echo "RemoveProcess Room, Coil: " & Outcome()
chart.RemoveProcess "Room", "Coil"
WScript.Echo "RemoveProcess Room, Coil again: " & Outcome()
chart.RemoveMixLine "Room", "Outdoor"
WScript.Echo "RemoveMixLine Room, Outdoor: " & Outcome() & ", mixes: " & chart.MixerCount & _
    ", points: " & chart.PointCount
chart.AddProcess "Outdoor", "Coil", "", 1000
chart.RemoveAllProcesses
chart.RemoveAllMixLines
WScript.Echo "after RemoveAllProcesses and RemoveAllMixLines: " & chart.ProcessCount & " processes, " & _
    chart.MixerCount & " mixes, " & chart.PointCount & " points"
