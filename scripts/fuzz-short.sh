#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and runs
# each for a short while from its seeds (two at a time where there are two cores). A crash, a
# sanitizer report, a leak, a hang or a broken property fails the run; what made it fail is kept in
# the build folder's fuzz-artifacts.
#   scripts/fuzz-short.sh [build-folder] [seconds-per-target]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-fuzz-short}"
seconds="${2:-45}"

"$root/scripts/install-debian-packages.sh" clang libclang-rt-14-dev

# The fuzz targets belong to the build with Qt (the RTF reader's target needs Qt's text document),
# so the build is configured whole and only the fuzz targets are built.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTAVIRO_BUILD_FUZZ=ON -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_BENCH=OFF
# target, its seeds (relative to the repository; the RTF reader starts from the help texts),
# dictionary in fuzz, extra options
targets=(
    "taviro_record_text_fuzz fuzz/corpus/record_text/* record.dict"
    "taviro_pair_codec_fuzz fuzz/corpus/pair_codec/* pair.dict"
    "taviro_appraisal_record_fuzz fuzz/corpus/appraisal_record/* appraisal.dict"
    "taviro_import_fuzz fuzz/corpus/import/* import.dict"
    "taviro_rtf_reader_fuzz data/*.hlp rtf.dict -max_len=65536"
)
names=()
for entry in "${targets[@]}"; do
    read -r name _ <<<"$entry"
    names+=("$name")
done
cmake --build "$build" -j "$(nproc)" --target "${names[@]}"

# The corpus grows while a target runs: it is copied, so the seeds in the repository stay as they
# are. The targets that write data files do it under TMPDIR, in memory where /dev/shm is there.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    work="$(mktemp -d -p /dev/shm taviro-fuzz.XXXXXX)"
else
    work="$(mktemp -d)"
fi
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-artifacts"
rm -rf "$artifacts"
mkdir -p "$artifacts"

run_target() {
    local name="$1" seeds="$2" dictionary="$3"
    shift 3
    local corpus="$work/$name/corpus"
    mkdir -p "$corpus" "$work/$name/files"
    # shellcheck disable=SC2086 # the seeds are a pattern
    cp "$root"/$seeds "$corpus/"
    local leaks=1
    # fontconfig keeps its font caches to the end of the process, which LeakSanitizer reports.
    [ "$name" = taviro_rtf_reader_fuzz ] && leaks=0
    (cd "$work/$name" && TMPDIR="$work/$name/files" ASAN_OPTIONS="detect_leaks=$leaks" \
        UBSAN_OPTIONS=print_stacktrace=1 "$build/fuzz/$name" -max_total_time="$seconds" -timeout=25 \
        -print_final_stats=1 -dict="$root/fuzz/$dictionary" -artifact_prefix="$artifacts/$name-" "$@" "$corpus")
}

if [ "$(nproc)" -ge 2 ]; then parallel=2; else parallel=1; fi
running=()
failed=()
finish_oldest() {
    local oldest="${running[0]}"
    running=("${running[@]:1}")
    local pid="${oldest%% *}" name="${oldest#* }"
    if wait "$pid"; then
        echo "$name: $(grep -E '^Done [0-9]+ runs' "$work/$name.log" || echo 'zakończono')"
    else
        failed+=("$name")
        echo "$name: BŁĄD"
        tail -n 60 "$work/$name.log"
    fi
}
for entry in "${targets[@]}"; do
    read -r name seeds dictionary options <<<"$entry"
    # shellcheck disable=SC2086 # the extra options are separate words
    run_target "$name" "$seeds" "$dictionary" $options >"$work/$name.log" 2>&1 &
    running+=("$! $name")
    if [ "${#running[@]}" -ge "$parallel" ]; then
        finish_oldest
    fi
done
while [ "${#running[@]}" -gt 0 ]; do
    finish_oldest
done

if [ "${#failed[@]}" -gt 0 ]; then
    echo "Cele fuzzingu z błędem: ${failed[*]}; dane wejściowe w $artifacts" >&2
    exit 1
fi
