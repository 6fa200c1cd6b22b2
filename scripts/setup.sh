#!/usr/bin/env bash
# Sets up a Debian machine for Humichart and builds its trees:
#   build/native     the standard-C++ core, its tests and benchmarks
#   build/windows    Humicalc.dll, Humichart.dll, Humistart.exe for x64, the Wine
#                    tests and installer/Humichart-<version>-x64.msi
#   build/windows32  the same for x86 (32-bit hosts), Humichart-<version>-x86.msi
# Installs only what is missing (apt), so a second run costs nothing but the
# incremental build.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=${JOBS:-$(nproc)}

packages=(
    cmake make g++ googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev
    wine wine64 xvfb xauth imagemagick fonts-liberation fonts-dejavu-core fonts-wqy-microhei
    python3-xlrd libreoffice-calc-nogui  # independent readers of the workbooks we write
    cups cups-bsd printer-driver-cups-pdf poppler-utils
    xdotool openbox  # openbox: a window manager for the end-to-end tests that resize
    g++-mingw-w64-i686-posix wine32:i386 wixl msitools
    libcups2:i386  # the 32-bit Wine reaches the CUPS printers only through it
    locales
)
packages+=(clang libclang-rt-14-dev)  # the sanitizer build and the fuzz targets
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    # wine32 (the 32-bit loader and system) comes from the i386 architecture.
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

echo "== building build/native"
cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/native" -j "$jobs"

# One tree per Windows architecture, from the same project.
for tree in windows:x86_64 windows32:i686; do
    echo "== building build/${tree%%:*}"
    cmake -S "$root" -B "$root/build/${tree%%:*}" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-${tree#*:}.cmake" >/dev/null
    cmake --build "$root/build/${tree%%:*}" -j "$jobs"
done

# The native tests once more, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets of every reader of outside
# bytes (tests/fuzz). Coverage for the fuzzer is compiled into everything;
# only the fuzz targets link libFuzzer itself.
echo "== building build/sanitize"
sanitize="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer -g"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_C_FLAGS="$sanitize" -DCMAKE_CXX_FLAGS="$sanitize" -DHUMICHART_FUZZ=ON >/dev/null
cmake --build "$root/build/sanitize" -j "$jobs"
