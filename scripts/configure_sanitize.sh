#!/usr/bin/env bash
# Configures build-sanitize/: the core libraries, their tests and the fuzz
# targets, built by clang with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
      "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DK7_SANITIZE=ON -DK7_FUZZ=ON \
      -DK7_BUILD_APP=OFF -DK7_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
