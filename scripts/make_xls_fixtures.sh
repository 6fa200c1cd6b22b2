#!/usr/bin/env bash
# Makes the import test fixtures in tests/data/xls with real spreadsheet
# software: LibreOffice Calc (from flat OpenDocument files), xlwt and SheetJS.
# Run by hand when the cases change (scripts/xls_fixtures/cases.py) and
# commit what it writes; the tests only read the results.
# Needs: libreoffice-calc-nogui, python3-xlwt (apt), npm (SheetJS goes into a
# scratch folder, never into the tree).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
makers=$root/scripts/xls_fixtures
out=$root/tests/data/xls
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

missing=()
command -v soffice >/dev/null || missing+=(libreoffice-calc-nogui)
/usr/bin/python3 -c 'import xlwt' 2>/dev/null || missing+=(python3-xlwt)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

mkdir -p "$out/libreoffice" "$out/xlwt" "$out/sheetjs"
cd "$makers"
/usr/bin/python3 cases.py json > "$scratch/cases.json"
/usr/bin/python3 cases.py expected "$out"

/usr/bin/python3 xlwt_maker.py "$scratch/cases.json" "$out/xlwt"

(cd "$scratch" && npm install --silent --no-audit --no-fund xlsx@0.18.5 >/dev/null)
NODE_PATH=$scratch/node_modules node sheetjs_maker.js "$scratch/cases.json" "$out/sheetjs"

mkdir -p "$scratch/fods"
/usr/bin/python3 fods_maker.py "$scratch/cases.json" "$scratch/fods"
soffice -env:UserInstallation=file://$scratch/profile --headless --convert-to xls:"MS Excel 97" \
    --outdir "$out/libreoffice" "$scratch"/fods/*.fods >/dev/null
ls -l "$out"/*/
