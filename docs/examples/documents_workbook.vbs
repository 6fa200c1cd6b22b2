' ExportWorkbook and ImportWorkbook: what Data IO's "Export..." and
' "Import..." then OK do, without their dialogs, through the same engine and
' layout (Excel where it is installed, the chart's own workbook engine else).
'   scripts/wine-run.sh cscript //nologo docs/examples/documents_workbook.vbs
Option Explicit
Dim host, chart, fso, book

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
Set fso = CreateObject("Scripting.FileSystemObject")
book = fso.BuildPath(fso.GetSpecialFolder(2), "humichart-exchange.xls")

chart.AddPoint 55.59, 11.56, "Room"      ' 26 degC, 55 %
chart.AddPoint 86.03, 20.24, "Outdoor"   ' 34 degC, 60 %
chart.AddPoint 30, 5, ""                 ' no name: the exchange layout leaves it out
chart.AddProcess "Outdoor", "Room", "Cooling", 1200
chart.ExportWorkbook book
chart.RemoveAllPoints
WScript.Echo "after RemoveAllPoints: " & chart.PointCount & " points, " & chart.ProcessCount & " processes"
chart.ImportWorkbook book
WScript.Echo "imported: " & chart.PointCount & " points, " & chart.ProcessCount & " processes"
fso.DeleteFile book

' Refused, as the dialog refuses it, with the message as the description.
On Error Resume Next
chart.ExportWorkbook "chart.csv"
WScript.Echo "refused: " & Err.Description
