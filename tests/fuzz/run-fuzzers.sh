#!/usr/bin/env bash
# Fuzzes the readers of the game's input files with libFuzzer, each for a bounded time: any
# bytes as the title picture file, as a sample file, and as a replay file. Each fuzzer first runs every
# seed in tests/fuzz/corpus/<target>/, then mutates them. A crash, a leak, a hang or any
# sanitizer report fails the run; the input that did it is kept in FOLDER/fuzz-artifacts.
#
#     tests/fuzz/run-fuzzers.sh [SECONDS_EACH] [FOLDER]
#
# SECONDS_EACH defaults to 60; the clang build tree goes to FOLDER/build-fuzz, its configure log
# inside (FOLDER defaults to the repository). Needs clang and its fuzzer runtime (packages clang, libclang-rt-14-dev);
# installs nothing itself.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
folder=${2:-$root}
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
build=$folder/build-fuzz
kept=$folder/fuzz-artifacts
started=$SECONDS
targets="title_picture_fuzz sample_fuzz replay_fuzz"

stage="the fuzzer build"
trap 'echo "run-fuzzers: FAILED in $stage after $((SECONDS - started)) s" >&2' ERR

# Warnings are the gcc build's to enforce; clang's extra ones must not stop the fuzzing.
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTINYARCADE_FUZZ=ON -DTINYARCADE_TESTS=OFF -DTINYARCADE_WERROR=OFF >"$build/configure.log" 2>&1 || {
    cat "$build/configure.log" >&2
    false
}
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$root/tests/sanitizer-suppressions/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1

summary=
for target in $targets; do
    stage=$target
    mkdir -p "$work/$target/new" "$work/$target/artifacts" "$work/$target/tmp"
    log=$work/$target/log
    echo "run-fuzzers: $target for $seconds s"
    # New inputs go to a scratch folder (the first one named), never into the repository's
    # seeds. The fuzzer's own temporary folders land in the scratch space too.
    if ! TMPDIR=$work/$target/tmp "$build/tests/fuzz/$target" -max_total_time="$seconds" \
        -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/$target/artifacts/" \
        "$work/$target/new" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        mkdir -p "$kept"
        cp "$work/$target/artifacts/"* "$kept/" 2>/dev/null || true
        echo "run-fuzzers: $target failed; the input is kept in $kept" >&2
        false
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "run-fuzzers: $target: $runs inputs, no failure"
    summary="$summary $target: $runs inputs;"
done

echo "run-fuzzers: passed:$summary ${seconds} s each ($((SECONDS - started)) s in all)"
