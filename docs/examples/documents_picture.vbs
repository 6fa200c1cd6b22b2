' SavePicture: a PNG or an enhanced metafile (EMF) by the name's ending, at
' the window's size or at the width and height given, drawn at that size.
'   scripts/wine-run.sh cscript //nologo docs/examples/documents_picture.vbs
Option Explicit
Dim host, chart, fso, folder, name

Set host = CreateObject("HumichartTest.Container")   ' in VBA: the control on the form
Set chart = host.Chart
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.GetSpecialFolder(2)

chart.AddPoint 55.59, 11.56, "Room"
chart.AddPoint 86.03, 20.24, "Outdoor"
chart.AddProcess "Outdoor", "Room", "Cooling", 1200
chart.SavePicture fso.BuildPath(folder, "humichart-window.png")        ' as the window shows it
chart.SavePicture fso.BuildPath(folder, "humichart-wide.png"), 1600, 900
chart.SavePicture fso.BuildPath(folder, "humichart-vector.emf"), 1200, 900
For Each name In Array("humichart-window.png", "humichart-wide.png", "humichart-vector.emf")
    WScript.Echo name & ": " & fso.FileExists(fso.BuildPath(folder, name))
    fso.DeleteFile fso.BuildPath(folder, name)
Next

On Error Resume Next
chart.SavePicture "chart.bmp"
WScript.Echo Err.Description
Err.Clear
chart.SavePicture "chart.png", 800
WScript.Echo Err.Description
