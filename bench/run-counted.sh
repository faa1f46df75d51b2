#!/usr/bin/env bash
# Runs a benchmark with its file-system calls counted (and, with --latency-us N, each of them
# delayed by N microseconds, as on a network share where every call is a round trip):
#   bench/run-counted.sh [--latency-us N] BUILD/bench/taviro_program_bench [ARGUMENTS]
# The build must have been configured with -DTAVIRO_BUILD_BENCH=ON.
set -euo pipefail
delay=0
if [ "${1:-}" = "--latency-us" ]; then
    delay="$2"
    shift 2
fi
program="$1"
shift
counter="$(dirname "$program")/libtaviro_call_counter.so"
[ -f "$counter" ] || { echo "no $counter: build the target taviro_call_counter" >&2; exit 2; }
TAVIRO_CALL_DELAY_US="$delay" LD_PRELOAD="$(cd "$(dirname "$counter")" && pwd)/$(basename "$counter")" \
    exec "$program" "$@"
