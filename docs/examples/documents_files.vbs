' SaveDocument and OpenDocument: the chart as a workbook in the exchange
' layout with a second sheet, "Humichart settings", for what that layout
' cannot hold (flags, caption, CSSR region, records without a name), so that
' the chart opened again is the chart saved.
'   scripts/wine-run.sh cscript //nologo docs/examples/documents_files.vbs
Option Explicit
Dim host, chart, fso, document

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
Set fso = CreateObject("Scripting.FileSystemObject")
document = fso.BuildPath(fso.GetSpecialFolder(2), "humichart-office.xls")

chart.AddPoint 55.59, 11.56, "Room"
chart.AddPoint 86.03, 20.24, "Outdoor"
chart.AddPoint 30, 5, ""
chart.AddProcess "Outdoor", "Room", "", 1200   ' a process without a name
chart.SetCSSR 20, 26, 5, 10
chart.HasBorder = True
chart.SaveDocument document
chart.Reset
WScript.Echo "after Reset: " & chart.PointCount & " points, border " & chart.HasBorder
chart.OpenDocument document
WScript.Echo "opened: " & chart.PointCount & " points, " & chart.ProcessCount & " process, border " & chart.HasBorder
fso.DeleteFile document

' A save that fails says which file and why; an old file there stays whole.
On Error Resume Next
chart.SaveDocument "C:\no such folder\office.xls"
WScript.Echo Err.Description
