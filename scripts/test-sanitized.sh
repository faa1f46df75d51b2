#!/usr/bin/env bash
# Builds the core, the appraisal library, the admin tool and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs them, the multi-process tests included.
#   scripts/test-sanitized.sh [build-folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-sanitized}"

"$root/scripts/install-debian-packages.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIRO_CORE_ONLY=ON \
    -DTAVIRO_BUILD_TESTS=ON -DTAVIRO_SANITIZE=ON
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
