#!/usr/bin/env bash
# Writes DIR/"Cooling plant.xls", a Humistart document as a spreadsheet
# program saves it: the exchange layout at the chart's default pressure and
# range, four points (Outdoor, Room, Supply, Mixed), a process and a mix,
# written by LibreOffice Calc from text (its sheet takes the text file's
# name; Mixed stands where its mix puts it). Prints the points as "name I D"
# lines. Exit 3 without LibreOffice.
#   make_document.sh DIR
set -uo pipefail
dir=$1
command -v soffice >/dev/null || exit 3
mkdir -p "$dir"
cat >"$dir/Humichart.csv" <<'CSV'
,基本属性,,,状态点,,,,热湿过程线,,,,,混和过程线,,,,,
,属性名称,属性值,,名称,焓值,含湿量,,名称,起点,终点,风量,,名称,新风点,回风点,混和点,总风量,新风量
,大气压力,101325,,Outdoor,82.5,19.1,,Cooling,Mixed,Supply,12000,,AHU-1,Outdoor,Room,Mixed,12000,2400
,温度上限,65,,Room,50.3,9.8,,,,,,,,,,,,
,温度下限,-30,,Supply,40.2,9.1,,,,,,,,,,,,
,湿度上限,42,,Mixed,56.74,11.66,,,,,,,,,,,,
,湿度下限,0,,,,,,,,,,,,,,,,
CSV
timeout 120 soffice -env:UserInstallation="file://$dir/libreoffice" --headless --infilter="CSV:44,34,76" \
    --convert-to xls --outdir "$dir" "$dir/Humichart.csv" </dev/null >/dev/null 2>&1
rm -rf "$dir/libreoffice" "$dir/Humichart.csv"
mv "$dir/Humichart.xls" "$dir/Cooling plant.xls" || exit 1
printf '%s\n' "Outdoor 82.5 19.1" "Room 50.3 9.8" "Supply 40.2 9.1" "Mixed 56.74 11.66"
