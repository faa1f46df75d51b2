#!/usr/bin/env bash
# Renders the main window and every dialog to PNG files without a screen, with the program icon in
# every size (00-program-icon.png).
#   scripts/screenshots.sh [output-folder]     (default: screenshots in the build folder)
# TAVIRO_BUILD_DIR chooses the build folder (default: build in the repository); an existing build
# folder keeps its own settings.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TAVIRO_BUILD_DIR:-$root/build}"
out="${1:-$build/screenshots}"
"$root/scripts/install-debian-packages.sh"
if [ -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja >/dev/null
else
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target taviro_screenshots
QT_QPA_PLATFORM=offscreen "$build/tests/ui/screenshots/taviro_screenshots" "$out"
