#!/usr/bin/env bash
# Makes sure this machine has a printer that Wine's print dialog offers: the
# CUPS daemon running (started here when it is not; CI starts no services)
# and the PDF queue of cups-pdf present and the default. Safe to run again.
# Prints the folder where cups-pdf writes the PDFs of the current user.
#   scripts/printer.sh
set -euo pipefail
queue=PDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null || [ ! -f "$ppd" ]; then
    echo "printer: CUPS or cups-pdf is not installed (scripts/setup.sh installs them)" >&2
    exit 1
fi

scheduler_up() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! scheduler_up; then
    # cupsd detaches itself; its streams must not hold a test runner's pipes.
    $sudo cupsd </dev/null >/dev/null 2>&1 || true
    for _ in $(seq 100); do
        scheduler_up && break
        sleep 0.1
    done
    if ! scheduler_up; then
        echo "printer: the CUPS daemon could not be started" >&2
        exit 1
    fi
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    $sudo lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>/dev/null
fi
# A queue left stopped by an earlier failure would keep every job.
$sudo cupsenable "$queue" 2>/dev/null || true
$sudo cupsaccept "$queue" 2>/dev/null || true
[ "$(lpstat -d 2>/dev/null | sed -n 's/.*: *//p')" = "$queue" ] || $sudo lpoptions -d "$queue" >/dev/null

# cups-pdf's "Out" folder, ${HOME} being the job owner's home.
home=$(getent passwd "$(id -un)" | cut -d: -f6)
out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
out=${out:-'${HOME}/PDF'}
echo "${out//'${HOME}'/$home}"
