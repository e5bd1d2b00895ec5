#!/usr/bin/env bash
# Sets up, builds and runs every test: first the core libraries, their
# tests and the fuzz targets, built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (each fuzz target replays its seeds and runs a
# few seconds), then the whole program with g++ (desktop tests under Qt's
# offscreen platform). The end-to-end tests against k7sim, slow under the
# sanitizers, run in the second build only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)
simulator_tests='^sim\.'

scripts/configure_sanitize.sh
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -E "$simulator_tests"

scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
