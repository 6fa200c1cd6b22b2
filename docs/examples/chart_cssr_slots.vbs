' The CSSR region (the comfort zone drawn on the chart), Refresh, and the
' storage slots that DataIndex reads.
'   scripts/wine-run.sh cscript //nologo docs/examples/chart_cssr_slots.vbs
Option Explicit
Dim host, chart

Function Outcome()
    Select Case Err.Number
        Case 0: Outcome = "accepted"
        Case 5: Outcome = "refused (E_INVALIDARG)"
        Case Else: Outcome = "error " & Hex(Err.Number)
    End Select
    Err.Clear
End Function

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart

On Error Resume Next
' SetCSSR minT, maxT (degC), minD, maxD (g/kg): each humidity bound at or
' below saturation at its temperature bound.
chart.SetCSSR 20, 26, 5, 10
WScript.Echo "SetCSSR 20, 26, 5, 10: " & Outcome()
' 30 g/kg is more than air at 30 degC holds (27.2 g/kg at 101325 Pa).
chart.SetCSSR 20, 30, 5, 30
WScript.Echo "SetCSSR 20, 30, 5, 30: " & Outcome()
' Beyond the chart's domain, -100 to 200 degC and 0 to 500 g/kg.
chart.SetCSSR 20, 250, 5, 10
WScript.Echo "SetCSSR 20, 250, 5, 10: " & Outcome()
chart.SetCSSR 0, 0, 0, 0
WScript.Echo "SetCSSR 0, 0, 0, 0 (no region): " & Outcome()

' Refresh draws the chart afresh; nothing changes.
chart.Refresh
WScript.Echo "Refresh: " & Outcome()

' DataIndex = n reads storage slot n (saved from the Data IO dialog) into
' the chart: flags, pressure, range, region, points, processes and mixes. A
' slot that holds nothing, or cannot be read, leaves the chart as it was.
chart.AddPoint 40, 5, "A"
chart.DataIndex = 1000
WScript.Echo "DataIndex = 1000 (an empty slot): " & Outcome() & ", DataIndex " & chart.DataIndex & _
    ", points " & chart.PointCount
