#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-test/ and runs every test through ctest; then the
# web engine's tests in a plain build (build-test-web/).
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps

cmake -S . -B build-test -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYRABELL_SANITIZE=ON -DLYRABELL_BENCH=OFF
cmake --build build-test

# The media tests play and record for real through a PulseAudio null sink and source.
sound_dir=$(mktemp -d)
sound_pid=$(scripts/null-sound-server "$sound_dir")
trap 'kill "$sound_pid" 2>/dev/null || true; rm -rf "$sound_dir"' EXIT
export PULSE_SERVER=unix:$sound_dir/native

export QT_QPA_PLATFORM=offscreen
# intercept_tls_get_addr=0: the C library's dynamic thread-local blocks are no longer of the
# layout GCC 12's runtime assumes, so by chance its leak checker reads a block as a wrong
# address range and crashes before it reports anything.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1:intercept_tls_get_addr=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-test --output-on-failure -j "$(nproc)" "$@"

# Qt WebEngine cannot run under the sanitizers: its tests (label "web") run in a plain build
# in build-test-web/, which builds only what they need. Without arguments, finding no web
# test is an error, so they are never skipped unnoticed.
cmake -S . -B build-test-web -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYRABELL_WEBENGINE=ON -DLYRABELL_BENCH=OFF
cmake --build build-test-web --target platform_web_tests player_web_tests
no_tests=()
[ $# -eq 0 ] && no_tests=(--no-tests=error)
# Without a GPU the engine's own GPU process only gets in the way.
QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
  ctest --test-dir build-test-web -L web --output-on-failure -j "$(nproc)" "${no_tests[@]}" "$@"
