#!/usr/bin/env bash
# Configures build-sanitize/: the core libraries, their tests and the fuzz
# targets, built by clang with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
# ccache does not read the coverage ignore list the flags name: it is told to
# hash it, or a changed list would leave objects built with the old one.
command -v ccache >/dev/null &&
    launcher=("-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_EXTRAFILES=$PWD/fuzz/coverage_ignore.txt;ccache")
CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug \
      "-DCMAKE_CXX_FLAGS_DEBUG=-g -O1" -DK7_SANITIZE=ON -DK7_FUZZ=ON \
      -DK7_BUILD_APP=OFF -DK7_BUILD_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
