#!/usr/bin/env bash
# Renders the main window and every dialog to PNG files without a screen.
#   scripts/screenshots.sh [output-folder]     (default: build/screenshots)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
out="${1:-$build/screenshots}"
"$root/scripts/install-debian-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target taviro_screenshots
QT_QPA_PLATFORM=offscreen "$build/tests/ui/screenshots/taviro_screenshots" "$out"
