' PrintReport: the title block, the chart as large as fits and the tables
' of the named points, processes and mixes, straight to the printer named
' (here the PDF queue that scripts/printer.sh sets up), or through the print
' dialog when no printer is given.
'   scripts/wine-run.sh cscript //nologo docs/examples/documents_report.vbs
Option Explicit
Dim host, chart

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
chart.AddPoint 55.59, 11.56, "Room"
chart.AddPoint 86.03, 20.24, "Outdoor"
chart.AddProcess "Outdoor", "Room", "Cooling", 1200

On Error Resume Next
chart.PrintReport "Office, level 3", "PDF"       ' chart.PrintReport "Office, level 3" shows the dialog
If Err.Number = 0 Then WScript.Echo "printed on PDF" Else WScript.Echo Err.Description
Err.Clear
chart.PrintReport "Office, level 3", "No such printer"
WScript.Echo Err.Description
