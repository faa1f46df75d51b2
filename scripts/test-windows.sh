#!/usr/bin/env bash
# Builds the Qt-free libraries (core, appraisal) and their tests for 64-bit Windows with MinGW-w64
# and runs them under Wine: the core and appraisal unit tests and the multi-process tests of the
# data store.
#   scripts/test-windows.sh [build-folder]     (default: build-mingw in the repository)
# Wine keeps its own "Windows" in the folder wineprefix of the build folder; the tests' temporary
# data directories go to its C:\users\<user>\Temp, which Wine sets up for TEMP and TMP.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-mingw}"

packages=(g++-mingw-w64-x86-64-posix wine wine64 cmake ninja-build googletest)
missing=()
for package in "${packages[@]}"; do
    dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ "${#missing[@]}" -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    echo "Instalacja pakietów: ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs="$(nproc)"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIRO_CORE_ONLY=ON \
    -DTAVIRO_BUILD_TESTS=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
# Without Qt the build is exactly the core, the appraisal library, their tests, the admin tool, the
# multi-process tests and their worker.
cmake --build "$build" -j "$jobs"

build="$(cd "$build" && pwd)"
export WINEPREFIX="$build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: console programs need neither, and their installers would ask or download.
export WINEDLLOVERRIDES="mscoree=;mshtml="
# One Wine session for the whole run: without a lasting server every test program would start
# Wine's services afresh, seconds each. The server lasts until the script ends.
# The session (and the prefix, the first time) is started here with its output going nowhere:
# started by CTest's first test program instead, Wine's services would inherit that program's
# output pipe and keep CTest waiting on it as long as the session lasts.
wineserver -p </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Przygotowanie środowiska Wine w $WINEPREFIX"
fi
wineboot -i </dev/null >/dev/null 2>&1 || true

status=0
# The unit tests (core, appraisal) side by side; the multi-process tests one at a time,
# as they time kills.
# A test program that Wine itself fails to run ("wine client error") is given one more try; a
# test that fails on its own merits fails both tries.
retry=(--repeat until-pass:2)
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300 -LE process "${retry[@]}" || status=1
ctest --test-dir "$build" --output-on-failure -L process "${retry[@]}" || status=1
exit "$status"
