#!/usr/bin/env bash
# Sets up, builds and runs every test: natively, then both Windows builds (x64
# and x86, each with its installer) under Wine.  Ends with one line
# "N passed, N failed" over all three.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/setup.sh" || exit 1
source "$root/scripts/session.sh"
jobs=${JOBS:-$(nproc)}
log=$(mktemp)

echo "== native tests"
ctest --test-dir "$root/build/native" -j "$jobs" --output-on-failure 2>&1 | tee "$log"
native=${PIPESTATUS[0]}

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer, bounded fuzz runs"
sanitize_log=$(mktemp)
ctest --test-dir "$root/build/sanitize" -j "$jobs" --output-on-failure 2>&1 | tee "$sanitize_log"
sanitized=${PIPESTATUS[0]}
cat "$sanitize_log" >> "$log"
grep -h '^fuzz ' "$root"/build/sanitize/tests/fuzz/*.last 2>/dev/null
sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$sanitize_log" |
    awk '{print "sanitizer build: " $1 - $2 " passed, " $2 " failed"}'
rm -f "$sanitize_log"

echo "== Windows tests under Wine"
# The print tests print on CUPS's PDF queue; without it they skip.
"$root/scripts/printer.sh" >/dev/null || echo "== no printer: the real-printer tests will skip"
start_session
# Every test runs once: a flaky test is mended, never run again.  The x64
# and the x86 tree share the prefix, each registering its own DLLs side by
# side.
windows=0
trees=(windows)
# Some kernels are built without 32-bit support: there the x86 tree is built,
# installer and all, but no 32-bit program can start, so its tests cannot run.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    trees+=(windows32)
else
    echo "== this kernel cannot start 32-bit programs: the build/windows32 tests do not run here"
fi
for tree in "${trees[@]}"; do
    echo "== build/$tree tests under Wine"
    ctest --test-dir "$root/build/$tree" -j "$jobs" --output-on-failure 2>&1 | tee -a "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || windows=1
done

passed=0 failed=0
while read -r ok bad; do
    passed=$((passed + ok)) failed=$((failed + bad))
done < <(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$log" |
         awk '{print $1 - $2, $2}')
rm -f "$log"
echo "$passed passed, $failed failed"
[ "$native" -eq 0 ] && [ "$sanitized" -eq 0 ] && [ "$windows" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
