' The calculator from a scripting host: created by ProgID, every result
' returned through a by-reference variable, as VBA and VB6 hosts do it.
Option Explicit
Dim failures : failures = 0

Sub Check(what, value, expected, tolerance)
    If Abs(value - expected) > tolerance Then
        WScript.Echo "FAILED " & what & ": " & value & ", expected " & expected
        failures = failures + 1
    End If
End Sub

Dim a, b, d, i, t, f
Set a = CreateObject("Humicalc.CalID")
a.ID_D_T_F 20, 0.5, d
Check "humidity ratio at 20 C, 50 %", d, 7.26, 0.005
a.id_i_t_d 20, d, i
Check "enthalpy, lower-case name", i, 38.5, 0.05
a.ID_T_D_F d, 1, t
Check "dew point", t, 9.27, 0.005
a.ID_F_T_I "20", i, f
Check "relative humidity from text input", f, 0.5, 0.000001

' Creating a second calculator puts the shared pressure back to standard.
a.SetInit 90000
a.ID_D_T_F 20, 1, d
Check "saturation at 90000 Pa", d, 16.56, 0.05
Set b = CreateObject("Humicalc.CalID.1")
a.ID_D_T_F 20, 1, d
Check "saturation after another object was created", d, 14.7, 0.05

' A temperature beyond every table: its saturation pressure passes any
' atmospheric pressure, so the humidity ratio is the sentinel, not NaN.
a.ID_D_T_F 1E+300, 0.5, d
If Not (d = 1000000) Then
    WScript.Echo "FAILED humidity ratio at 1E+300 C: " & d & ", expected 1000000"
    failures = failures + 1
End If

Dim caught
On Error Resume Next
a.ID_D_T_F 20, 0.5
caught = Err.Number
On Error GoTo 0
If caught = 0 Then
    WScript.Echo "FAILED a call without its output was accepted"
    failures = failures + 1
End If

If failures = 0 Then WScript.Echo "late-bound calculator: ok"
WScript.Quit failures
