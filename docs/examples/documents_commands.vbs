' ExecuteCommand and CommandState: the chart's menu for hosts that offer its
' commands in their own menus; OnDataChanged for the user's changes only.
'   scripts/wine-run.sh cscript //nologo docs/examples/documents_commands.vbs
' In VBA the form has the event handler:
'   Private Sub Humichart1_OnDataChanged()
'       documentChanged = True
'   End Sub
' A script under Wine cannot sink events; the tests' container counts them.
Option Explicit
Dim host, chart

Set host = CreateObject("HumichartTest.Container")
Set chart = host.Chart
WScript.Echo "Move and zoom: " & chart.CommandState(208)   ' 1: it can run
chart.ExecuteCommand 208
WScript.Echo "Move and zoom: " & chart.CommandState(208)   ' 3: it can run and is checked

chart.AddPoint 30, 5, ""      ' the host's own change: no OnDataChanged
chart.ExecuteCommand 209      ' "Clear no-name points", as if chosen from the menu
WScript.Echo "points: " & chart.PointCount & ", OnDataChanged: " & host.DataChanges

On Error Resume Next
chart.ExecuteCommand 32787    ' "Tools" opens a sub-menu; it is no command
WScript.Echo Err.Description
