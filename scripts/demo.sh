#!/usr/bin/env bash
# Sets up, builds and runs the main job on the bundled example project.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
k7c=(build/bin/k7c --settings "$work/K7Setup.ini" --system build/bin/K7System/)
echo "== k7c check examples/pumpstation.tvr"
"${k7c[@]}" check examples/pumpstation.tvr
