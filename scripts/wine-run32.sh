#!/usr/bin/env bash
# scripts/wine-run.sh for the 32-bit build: the same prefix, the 32-bit
# loader.  Programs named without a path (regsvr32, cscript, msiexec, reg)
# then come from the prefix's 32-bit system directory and see the 32-bit
# registry view, as on 64-bit Windows.
HUMICHART_WINE_LOADER=/usr/lib/wine/wine exec "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" "$@"
