' The installed components from a script host of the installer's bitness:
' both created by ProgID and called, each reporting the file it was loaded
' from so that the test sees the installed copy answer.
Option Explicit
Dim failures : failures = 0

Sub Check(what, ok)
    If Not ok Then
        WScript.Echo "FAILED " & what
        failures = failures + 1
    End If
End Sub

Dim calc, d, t
Set calc = CreateObject("Humicalc.CalID")
calc.SetInit 101325
calc.ID_D_T_F 20, 0.5, d
Check "humidity ratio at 20 C, 50 % is " & d, Abs(d - 7.26) < 0.005
calc.ID_T_D_F d, 1, t
Check "dew point is " & t, Abs(t - 9.27) < 0.005

Dim chart
Set chart = CreateObject("Humichart.HumichartCtl")
Check "chart pressure is " & chart.AirPressure, chart.AirPressure = 101325
chart.AirPressure = 95000
Check "chart pressure set", chart.AirPressure = 95000

Dim shell
Set shell = CreateObject("WScript.Shell")
WScript.Echo "calculator server: " & shell.RegRead("HKCR\CLSID\{EA330464-07F3-4220-AA52-63EE1FAFEF5D}\InprocServer32\")
WScript.Echo "chart server: " & shell.RegRead("HKCR\CLSID\{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}\InprocServer32\")

If failures = 0 Then WScript.Echo "installed client: ok"
WScript.Quit failures
