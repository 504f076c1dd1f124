#!/usr/bin/env bash
# Checked builds: every unit test in an AddressSanitizer +
# UndefinedBehaviorSanitizer build; the tests of the audio subsystem (the device hand-over,
# the loader thread, shutdown while loading) in a ThreadSanitizer build. Any report stops the
# test that made it and fails the run.
#
#     tests/check-sanitizers.sh [FOLDER]
#
# The build trees go to FOLDER/build-asan and FOLDER/build-tsan (FOLDER defaults to the
# repository), each with its configure log inside. Needs what `tools/install-packages.sh test` installs; installs nothing itself.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$root}
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
suppressions=$root/tests/sanitizer-suppressions
started=$SECONDS

stage="starting"
trap 'echo "check-sanitizers: FAILED in $stage after $((SECONDS - started)) s" >&2' ERR

# Stop at the first report, with a stack. Leak suppressions cover system libraries only.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$suppressions/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:abort_on_error=1:second_deadlock_stack=1

# configure SANITIZERS TREE: a build tree whose every object is built with SANITIZERS.
configure() {
    cmake -S "$root" -B "$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTINYARCADE_SANITIZE="$1" \
        -DTINYARCADE_TESTS=ON >"$2/configure.log" 2>&1 || {
        cat "$2/configure.log" >&2
        return 1
    }
}

stage="the address and undefined-behaviour build"
asan=$folder/build-asan
mkdir -p "$asan"
configure address,undefined "$asan"
cmake --build "$asan" -j2
stage="the unit tests under the address and undefined-behaviour checks"
ctest --test-dir "$asan" -L unit --no-tests=error --output-on-failure -j2
asanUnit=$(ctest --test-dir "$asan" -L unit -N | sed -n 's/^Total Tests: //p')

# Only the audio tests use more than one thread; the rest would only repeat the run above.
stage="the thread build"
tsan=$folder/build-tsan
mkdir -p "$tsan"
configure thread "$tsan"
cmake --build "$tsan" -j2 --target audio_tests
suites=$("$tsan/tests/audio_tests" --gtest_list_tests | grep -E '^[A-Za-z0-9_]+\.$' |
    sed 's/\.$/\\./' | paste -sd'|' -)
stage="the audio tests under the thread checks"
ctest --test-dir "$tsan" -L unit -R "^($suites)" --no-tests=error --output-on-failure -j2
tsanUnit=$(ctest --test-dir "$tsan" -L unit -R "^($suites)" -N | sed -n 's/^Total Tests: //p')

echo "check-sanitizers: passed: $asanUnit unit tests under address+undefined," \
    "$tsanUnit audio tests under thread ($((SECONDS - started)) s)"
