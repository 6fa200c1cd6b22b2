#!/usr/bin/env bash
# The installer of one architecture under Wine, in a prefix of its own where
# nothing is registered: install, use from a script host of the same bitness,
# start Humistart, compare the registry with what regsvr32 writes, uninstall
# leaving nothing, upgrade, and the edge cases (over a regsvr32 registration,
# after unregistering by hand, the same version twice, a folder with spaces
# and non-ASCII letters).  Prints the install and uninstall times.
# Environment (set by tests/installer/CMakeLists.txt): ARCH (x64 or x86), MSI,
# NEXT_MSI, NEXT_VERSION, UPGRADE_CODE, RUN (the tree's Wine wrapper), WAIT_WINDOW, PREFIX,
# BIN (the tree's binaries), HERE (this directory), ROOT (the checkout); in
# the x86 tree also OTHER_MSI and OTHER_RUN, the x64 installer and its Wine
# wrapper, for the two side by side.
set -uo pipefail
export WINEPREFIX=$PREFIX LC_ALL=C.UTF-8
failures=0
fail() { echo "FAILED $*"; failures=$((failures + 1)); }
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
run() { "$RUN" "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }

# msiexec with its time in milliseconds in $elapsed.
msi() {
    local start=$(date +%s%N) status
    run msiexec "$@"
    status=$?
    elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
    return $status
}

if [ "$ARCH" = x64 ]; then program_files="Program Files"; else program_files="Program Files (x86)"; fi
install_dir="$PREFIX/drive_c/$program_files/Humichart"
# A per-machine install puts the shortcut in the common Start menu; Wine's
# installer puts it in the user's.  Either will do, and neither may stay.
shortcuts=("$PREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Humistart.lnk"
           "$PREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Humistart.lnk")
calc_clsid='{EA330464-07F3-4220-AA52-63EE1FAFEF5D}' chart_clsid='{CB3BFDC9-32B5-4E4F-9A2D-21614711E44C}'
calc_lib='{B686ADD0-AEE6-45A4-83D1-6BB021FD4046}' chart_lib='{A84C8B65-1DBA-4978-83C1-9C69821E95B9}'
keys=(
    'HKCR\Humicalc.CalID' 'HKCR\Humicalc.CalID.1' "HKCR\\CLSID\\$calc_clsid" "HKCR\\AppID\\$calc_lib"
    'HKCR\AppID\Humicalc.DLL' "HKCR\\TypeLib\\$calc_lib" 'HKCR\Interface\{22C34AB2-BD45-49B5-9423-0405EE1D7A36}'
    'HKCR\Humichart.HumichartCtl' 'HKCR\Humichart.HumichartCtl.1' "HKCR\\CLSID\\$chart_clsid"
    "HKCR\\AppID\\$chart_lib" 'HKCR\AppID\Humichart.DLL' "HKCR\\TypeLib\\$chart_lib"
    'HKCR\Interface\{65E87D6B-E6E2-40FF-BB7C-8F3EF1A4D592}' 'HKCR\Interface\{8FF68AEB-F577-4F8F-A4A0-755B4DF9B98E}'
)
own_keys=("${keys[@]}" 'HKLM\Software\Humichart')

# Every key of ours with its values, as this bitness sees them.  The type
# library's HELPDIR is a folder, which the installer writes with a trailing
# backslash and RegisterTypeLib without.
snapshot() {
    local key
    for key in "${keys[@]}"; do
        local values
        values=$(run reg query "$key" /s) && echo "$values"
    done | sed -e 's/[[:space:]]*$//' -e '/^$/d' |
        awk '/\\HELPDIR$/ { helpdir = 1; print; next } helpdir { sub(/\\$/, ""); helpdir = 0 } { print }'
}

nothing_left() {
    local what=$1 key
    [ ! -e "$install_dir" ] || fail "$what: $install_dir is still there"
    [ ! -e "${shortcuts[0]}" ] && [ ! -e "${shortcuts[1]}" ] || fail "$what: the Start-menu shortcut is still there"
    for key in "${own_keys[@]}"; do
        run reg query "$key" >/dev/null && fail "$what: $key is still there"
    done
}

installed_products() { run cscript //nologo "$(windows_path "$HERE/related_products.vbs")" "{$UPGRADE_CODE}"; }

client() {
    local out
    out=$(run cscript //nologo "$(windows_path "$HERE/installed_client.vbs")")
    echo "$out" | grep -q "installed client: ok" || fail "$1: client: $out"
    echo "$out" | grep -qF "server: $2" || fail "$1: objects not from $2: $out"
}

msi_path=$(windows_path "$MSI") next_path=$(windows_path "$NEXT_MSI")
windows_install_dir="C:\\$program_files\\Humichart"

echo "== fresh prefix $PREFIX"
"$ROOT/scripts/wine-prefix.sh" stop
rm -rf "$PREFIX"
# A cold wineboot on a loaded machine now and then gives up: once more.
"$ROOT/scripts/wine-prefix.sh" >/dev/null ||
    { "$ROOT/scripts/wine-prefix.sh" stop; rm -rf "$PREFIX"; "$ROOT/scripts/wine-prefix.sh" >/dev/null; } ||
    { echo "FAILED no prefix"; exit 1; }
trap '"$ROOT/scripts/wine-prefix.sh" stop' EXIT
[ -z "$(snapshot)" ] || fail "the fresh prefix already knows our keys"

echo "== install, use, start Humistart"
msi /i "$msi_path" /qn || fail "install: msiexec $?"
echo "install time $ARCH: $elapsed ms"
for file in Humicalc.dll Humichart.dll Humistart.exe; do
    cmp -s "$install_dir/$file" "$BIN/$file" || fail "install: $file is not the built one"
done
[ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ] || fail "install: no Start-menu shortcut"
client install "$windows_install_dir\\Humicalc.dll"
window=$(run start /unix "$install_dir/Humistart.exe"; run "$(windows_path "$WAIT_WINDOW")" "Untitled - Humistart" 60)
echo "$window" | grep -q "^closed" || fail "Humistart from the installed folder: $window"

echo "== the installer's registry against regsvr32's"
installed=$(snapshot)
for dll in Humicalc.dll Humichart.dll; do run regsvr32 /s /u "$windows_install_dir\\$dll" || fail "regsvr32 /u $dll"; done
[ -z "$(snapshot)" ] || fail "unregistering left keys: $(snapshot)"
for dll in Humicalc.dll Humichart.dll; do run regsvr32 /s "$windows_install_dir\\$dll" || fail "regsvr32 $dll"; done
registered=$(snapshot)
[ -n "$installed" ] && [ "$installed" = "$registered" ] ||
    fail "registry differs: $(diff <(echo "$installed") <(echo "$registered"))"

echo "== uninstall"
msi /x "$msi_path" /qn || fail "uninstall: msiexec $?"
echo "uninstall time $ARCH: $elapsed ms"
nothing_left uninstall

echo "== uninstall after unregistering by hand"
msi /i "$msi_path" /qn || fail "install: msiexec $?"
for dll in Humicalc.dll Humichart.dll; do run regsvr32 /s /u "$windows_install_dir\\$dll"; done
msi /x "$msi_path" /qn || fail "uninstall after regsvr32 /u: msiexec $?"
nothing_left "uninstall after regsvr32 /u"

echo "== install over a regsvr32 registration"
for dll in Humicalc.dll Humichart.dll; do run regsvr32 /s "$(windows_path "$BIN/$dll")" || fail "regsvr32 $dll"; done
msi /i "$msi_path" /qn || fail "install over regsvr32: msiexec $?"
client "install over regsvr32" "$windows_install_dir\\Humicalc.dll"
msi /x "$msi_path" /qn || fail "uninstall: msiexec $?"
nothing_left "uninstall after installing over regsvr32"

echo "== the same version twice, then the next version over it"
msi /i "$msi_path" /qn || fail "install: msiexec $?"
msi /i "$msi_path" /qn || fail "the same version again: msiexec $?"
products=$(installed_products)
echo "$products" | grep -q "count: 1" || fail "the same version twice: $products"
msi /i "$next_path" /qn || fail "upgrade: msiexec $?"
products=$(installed_products)
echo "$products" | grep -q "count: 1" && echo "$products" | grep -q " $NEXT_VERSION$" ||
    fail "upgrade to $NEXT_VERSION: $products"
client upgrade "$windows_install_dir\\Humicalc.dll"
msi /x "$next_path" /qn || fail "uninstall the upgrade: msiexec $?"
nothing_left "uninstall after upgrade"
echo "$(installed_products)" | grep -q "count: 0" || fail "products left: $(installed_products)"

echo "== a folder with spaces and non-ASCII letters"
odd_dir='C:\Humi Chart Größe 湿度'
msi /i "$msi_path" INSTALLDIR="$odd_dir\\" /qn || fail "install into $odd_dir: msiexec $?"
[ -f "$PREFIX/drive_c/Humi Chart Größe 湿度/Humichart.dll" ] || fail "nothing in $odd_dir"
# The script host's console speaks the ANSI code page: compare the ASCII part.
client "odd folder" 'C:\Humi Chart Gr'

msi /x "$msi_path" /qn || fail "uninstall from $odd_dir: msiexec $?"
[ ! -e "$PREFIX/drive_c/Humi Chart Größe 湿度" ] || fail "$odd_dir is still there"
nothing_left "uninstall from $odd_dir"

if [ -n "${OTHER_MSI:-}" ]; then
    echo "== side by side with the other bitness's installer"
    other_path=$(windows_path "$OTHER_MSI")
    msi /i "$msi_path" /qn || fail "install: msiexec $?"
    "$OTHER_RUN" msiexec /i "$other_path" /qn </dev/null 2>/dev/null || fail "install $OTHER_MSI"
    client "beside the other" "$windows_install_dir\\Humicalc.dll"
    RUN=$OTHER_RUN client "the other beside this" 'C:\Program Files\Humichart\Humicalc.dll'
    msi /x "$msi_path" /qn || fail "uninstall beside the other: msiexec $?"
    RUN=$OTHER_RUN client "the other after this went" 'C:\Program Files\Humichart\Humicalc.dll'
    "$OTHER_RUN" msiexec /x "$other_path" /qn </dev/null 2>/dev/null || fail "uninstall $OTHER_MSI"
    nothing_left "both uninstalled"
    [ ! -e "$PREFIX/drive_c/Program Files/Humichart" ] || fail "the other's folder is still there"
fi

echo "msi $ARCH: $failures failures"
[ "$failures" -eq 0 ]
