' The chart control from a scripting host, created by ProgID with no
' container: properties keep their limits, data methods report E_ABORT.
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
' DataIndex is an unsigned long, which the script host can hand over but not
' hold in a variable of its own: only the put is tried.
chart.DataIndex = 4

If failures = 0 Then WScript.Echo "late-bound chart: ok"
