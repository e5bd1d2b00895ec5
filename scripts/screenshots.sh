#!/usr/bin/env bash
# Renders the desktop program's windows with the bundled example open to
# docs/screens/*.png, on the offscreen platform (no display needed).
# Builds into build/ (or $BUILD_DIR) first.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j2 --target k7studio_screens k7c k7sim
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The example's BASIC module is compiled first, so its compile is clean.
mkdir -p "$work/system" "$work/K7Basic"
cp data/* "$work/system/"
cp examples/K7Basic/PUMPEFF.BAS "$work/K7Basic/"
"$build/bin/k7c" --settings "$work/K7Setup.ini" --system "$work/system/" --basic "$work/K7Basic/" \
    basic "$work/K7Basic/PUMPEFF.BAS" >/dev/null
mkdir -p docs/screens
QT_QPA_PLATFORM=offscreen "$build/bin/k7studio_screens" docs/screens "$work/system" \
    "$work/K7Basic" examples/pumpstation.tvr 2> >(grep -v "This plugin does not support" >&2)
