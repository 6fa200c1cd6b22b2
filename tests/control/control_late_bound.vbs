' The chart control from a scripting host, created by ProgID with no
' container: properties keep their limits, data methods report E_ABORT. Then
' in a container, where a script lists what the chart holds.
Option Explicit
Dim failures : failures = 0

Sub Check(what, value, expected)
    If value <> expected Then
        WScript.Echo "FAILED " & what & ": " & value & ", expected " & expected
        failures = failures + 1
    End If
End Sub

Const E_ABORT = &H80004004
' The script host reports E_INVALIDARG as its own error 5.
Const INVALID_ARGUMENT = 5

Dim chart
Set chart = CreateObject("Humichart.HumichartCtl")
Check "pressure", chart.AirPressure, 101325
chart.airpressure = 95000
Check "pressure set with a lower-case name", chart.AirPressure, 95000

On Error Resume Next
chart.AirPressure = 120000
Check "pressure above the limit", Err.Number, INVALID_ARGUMENT
Err.Clear
chart.RangeMaxT = -20.5
Check "RangeMaxT too close to RangeMinT", Err.Number, INVALID_ARGUMENT
Err.Clear
chart.AddPoint 40, 5, "A"
Check "AddPoint without a window", Err.Number, E_ABORT
Err.Clear
Dim n
n = chart.PointCount
Check "PointCount without a window", Err.Number, E_ABORT
Err.Clear
chart.Reset
Check "Reset without a window", Err.Number, E_ABORT
Err.Clear
chart.NoSuchMember
Check "unknown member", Err.Number <> 0, True
Err.Clear
On Error GoTo 0

Check "pressure after refusals", chart.AirPressure, 95000
chart.HasTLine = 5
Check "flag read back", chart.HasTLine, True
Check "flag value", CInt(chart.HasTLine), -1
' An unsigned long comes back as a number a script can hold and count with.
chart.DataIndex = 4
Check "DataIndex read back", chart.DataIndex + 1, 5

' The chart in the platform's ATL container (through an object of the tests),
' read back through the script's own variables, whatever they held before.
Dim host, hosted
Set host = CreateObject("HumichartTest.Container")
Set hosted = host.Chart
hosted.AddPoint 40, 5, "A"
hosted.AddPoint 55.5, 9.25, "B"
hosted.AddPoint 30, 3, ""
hosted.AddProcess "A", "B", "Heating", 1200
hosted.AddMixLine "A", "B", "M", "Mix", 400, 1000

Dim i, di, dd, name, listed
name = 7
For i = 0 To hosted.PointCount - 1
    hosted.GetPoint i, di, dd, name
    listed = listed & "[" & name & "]"
Next
Check "points listed", listed, "[A][B][][M]"
hosted.GetPoint 1, di, dd, name
Check "enthalpy read back", di, 55.5
Check "humidity ratio read back", dd, 9.25
Check "a number read back", TypeName(di), "Double"
hosted.GetPoint 2, di, dd, name
Check "no name", TypeName(name), "String"
Check "no name is empty", Len(name), 0

Check "counts", hosted.ProcessCount + hosted.MixerCount, 2
Dim ptStart, ptEnd, flow
hosted.GetProcess 0, ptStart, ptEnd, name, flow
Check "process", ptStart & ">" & ptEnd & " " & name & " " & flow, "A>B Heating 1200"

Dim ptFresh, ptReturn, ptMix, freshFlow
hosted.GetMixer 0, ptFresh, ptReturn, ptMix, name, freshFlow, flow
Check "mix", ptFresh & "+" & ptReturn & "=" & ptMix & " " & name & " " & freshFlow & "/" & flow, "A+B=M Mix 400/1000"

On Error Resume Next
hosted.GetPoint 4, di, dd, name
Check "index past the end", Err.Number, INVALID_ARGUMENT
Err.Clear
On Error GoTo 0
Check "a refused call leaves the variables", di & " " & name, "30 Mix"
Set hosted = Nothing
Set host = Nothing

If failures = 0 Then WScript.Echo "late-bound chart: ok"
