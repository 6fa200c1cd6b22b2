' Reading the chart back: the counts, and each record by its index from 0,
' through variables the call fills (by reference, as VBA and VB6 pass them).
'   scripts/wine-run.sh cscript //nologo docs/examples/chart_reading_back.vbs
Option Explicit
Dim host, chart, k, i, d, name, start, finish, flow, fresh, back, mixPoint, freshFlow

Function Num(x, digits)
    Num = Round(x * 10 ^ digits) / 10 ^ digits
End Function

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
chart.AddPoint 86.2, 20.3, "Outdoor"
chart.AddPoint 55.6, 11.6, "Room"
chart.AddPoint 45.2, 10.7, "Supply"
chart.AddPoint 40, 5, ""
chart.AddProcess "Supply", "Room", "Supply", 2870
chart.AddMixLine "Outdoor", "Room", "Mixed", "AHU-1", 600, 3000

WScript.Echo chart.PointCount & " points, " & chart.ProcessCount & " processes, " & chart.MixerCount & " mixes"
For k = 0 To chart.PointCount - 1
    chart.GetPoint k, i, d, name
    ' A point without a name reads as an empty text.
    WScript.Echo "  point " & k & ": [" & name & "] " & Num(i, 2) & " kJ/kg, " & Num(d, 2) & " g/kg"
Next
' Mixed reads 0 and 0: a mix point takes its place, the flow-weighted mean of
' its fresh and return points, when the chart next paints. A script host never
' lets the chart paint while the script runs; a VBA macro can, with DoEvents.
For k = 0 To chart.ProcessCount - 1
    chart.GetProcess k, start, finish, name, flow
    WScript.Echo "  process " & k & ": " & name & ", " & start & " -> " & finish & ", " & flow & " m3/h"
Next
For k = 0 To chart.MixerCount - 1
    chart.GetMixer k, fresh, back, mixPoint, name, freshFlow, flow
    WScript.Echo "  mix " & k & ": " & name & ", " & fresh & " + " & back & " -> " & mixPoint & _
        ", fresh " & freshFlow & " of " & flow & " m3/h"
Next

' An index at or beyond the count is refused, and the variables keep what
' they held.
On Error Resume Next
name = "unchanged"
chart.GetPoint chart.PointCount, i, d, name
WScript.Echo "GetPoint " & chart.PointCount & ": error " & Err.Number & ", name " & name
Err.Clear
