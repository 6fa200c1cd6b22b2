' The calculator's pressure belongs to the whole process, not to one object:
' creating any calculator sets it back to 101325 Pa, and the chart creates one
' for every computation it makes. Call SetInit just before computing.
'   scripts/wine-run.sh cscript //nologo docs/examples/calculator_pressure.vbs
Option Explicit
Dim calc, other, host, chart, d

Function Num(value, digits)
    Num = Round(value * 10 ^ digits) / 10 ^ digits
End Function

Sub Saturation(label)
    calc.ID_D_T_F 20, 1, d
    WScript.Echo label & ": " & Num(d, 3) & " g/kg"
End Sub

Set calc = CreateObject("Humicalc.CalID")
WScript.Echo "saturated air at 20 degC"
Saturation "  a new calculator (101325 Pa)"
calc.SetInit 90000
Saturation "  after SetInit 90000"

' A second calculator, made anywhere in the process, resets the first.
Set other = CreateObject("Humicalc.CalID")
Saturation "  after another calculator was created"

' So does the chart: it computes at its own pressure with calculators of its
' own, which leave that pressure in force.
Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
chart.AirPressure = 95000
calc.SetInit 90000
chart.AddPoint 40, 5, "A"
Saturation "  after SetInit 90000 and chart.AddPoint (the chart's 95000)"

calc.SetInit 90000
Saturation "  after SetInit 90000 again"
