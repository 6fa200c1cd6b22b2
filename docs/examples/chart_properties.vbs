' The chart's properties: the air pressure, the view range and the eight
' display flags, what each accepts, and what a control without a window does.
'   scripts/wine-run.sh cscript //nologo docs/examples/chart_properties.vbs
Option Explicit
Dim host, chart, bare, n

' What a refused call leaves in Err: the script host turns E_INVALIDARG into
' its own error 5; other failures keep their HRESULT.
Function Outcome()
    Select Case Err.Number
        Case 0: Outcome = "accepted"
        Case 5: Outcome = "refused (E_INVALIDARG)"
        Case &H80004004: Outcome = "refused (E_ABORT)"
        Case Else: Outcome = "error " & Hex(Err.Number)
    End Select
    Err.Clear
End Function

Sub ShowRange()
    WScript.Echo "  range: " & chart.RangeMinT & " to " & chart.RangeMaxT & " degC, " & _
        chart.RangeMinD & " to " & chart.RangeMaxD & " g/kg"
End Sub

' In a VBA or VB6 form the chart is the control on the form. A script cannot
' make a window for it: it borrows the tests' container.
Set host = CreateObject("HumichartTest.Container")
Set chart = host.Chart
WScript.Echo "defaults: " & chart.AirPressure & " Pa"
ShowRange

On Error Resume Next
' The pressure: 85000 to 111325 Pa.
chart.AirPressure = 90000
WScript.Echo "AirPressure = 90000: " & Outcome()
chart.AirPressure = 80000
WScript.Echo "AirPressure = 80000: " & Outcome() & ", still " & chart.AirPressure & " Pa"

' Each bound within its limits and at least 10 from the opposite one.
chart.RangeMaxT = 40
WScript.Echo "RangeMaxT = 40: " & Outcome()
chart.RangeMinT = 35
WScript.Echo "RangeMinT = 35: " & Outcome()
chart.RangeMinT = 10
WScript.Echo "RangeMinT = 10: " & Outcome()
chart.RangeMaxD = 90
WScript.Echo "RangeMaxD = 90: " & Outcome()
chart.RangeMaxD = 25
WScript.Echo "RangeMaxD = 25: " & Outcome()
ShowRange

' Flags: any value other than 0 is on, and reads back as True.
chart.HasTLine = 5
chart.HasBorder = True
chart.HasBackground = False
WScript.Echo "HasTLine " & chart.HasTLine & ", HasBorder " & chart.HasBorder & _
    ", HasBackground " & chart.HasBackground & ", HasProcessLineName " & chart.HasProcessLineName

' Reset: flags, pressure and range back to their defaults, the data emptied.
chart.Reset
WScript.Echo "after Reset: " & chart.AirPressure & " Pa, HasBackground " & chart.HasBackground
ShowRange

' A control made by ProgID has no window: its properties are kept for the
' container to persist, and every method answers E_ABORT.
Set bare = CreateObject("Humichart.HumichartCtl")
bare.AirPressure = 95000
WScript.Echo "without a window, AirPressure = 95000: " & Outcome() & ", reads " & bare.AirPressure
n = bare.PointCount
WScript.Echo "without a window, PointCount: " & Outcome()
