#!/usr/bin/env bash
# Sets up, builds and runs every test: first the core libraries and their
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# whole program (desktop tests under Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=$(nproc)

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DK7_SANITIZE=ON \
      -DK7_BUILD_APP=OFF -DK7_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"
