# Sourced by the run and test scripts: a display for Wine's windows (Xvfb when
# there is none) and the private prefix with its server, both ended on exit.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
started_xvfb=""

end_session() {
    "$root/scripts/wine-prefix.sh" stop
    if [ -n "$started_xvfb" ]; then kill "$started_xvfb" 2>/dev/null || true; fi
}

# A local X display that answers: its socket exists.
display_alive() {
    local number=${DISPLAY:-}
    [ -n "$number" ] || return 1
    number=${number#*:}
    number=${number%%.*}
    [ -S "/tmp/.X11-unix/X$number" ]
}

start_session() {
    if ! display_alive; then
        local number=$((90 + RANDOM % 100))
        while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
        Xvfb ":$number" -screen 0 1600x1200x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        started_xvfb=$!
        export DISPLAY=:$number
        for _ in $(seq 100); do
            display_alive && break
            sleep 0.1
        done
    fi
    trap end_session EXIT
    "$root/scripts/wine-prefix.sh" >/dev/null
    # An Xvfb of our own has no window manager, and Wine waits up to two
    # seconds for one each time a managed window (a focused popup, a window
    # with a caption) goes away: there, no window is managed.
    local managed=Y
    [ -z "$started_xvfb" ] || managed=N
    "$root/scripts/wine-run.sh" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f \
        </dev/null >/dev/null 2>&1 || true
}

# Registers one of our DLLs in the prefix.
register_dll() {
    "$root/scripts/wine-run.sh" regsvr32 /s "Z:${1//\//\\}"
}
