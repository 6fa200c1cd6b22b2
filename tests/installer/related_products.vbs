' Prints the installed products of one upgrade code with their versions,
' one a line, then "count: N".
Option Explicit
Dim installer, product, count
Set installer = CreateObject("WindowsInstaller.Installer")
count = 0
For Each product In installer.RelatedProducts(WScript.Arguments(0))
    WScript.Echo product & " " & installer.ProductInfo(product, "VersionString")
    count = count + 1
Next
WScript.Echo "count: " & count
