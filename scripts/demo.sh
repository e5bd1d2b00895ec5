#!/usr/bin/env bash
# Sets up, builds and runs the main job on the bundled example project.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/K7Basic"
cp examples/K7Basic/PUMPEFF.BAS "$work/K7Basic/"
k7c=(build/bin/k7c --settings "$work/K7Setup.ini" --system build/bin/K7System/ --basic "$work/K7Basic/")
echo "== k7c basic PUMPEFF.BAS (the example's BASIC module)"
"${k7c[@]}" basic "$work/K7Basic/PUMPEFF.BAS"
echo "== k7c check examples/pumpstation.tvr"
"${k7c[@]}" check examples/pumpstation.tvr
echo "== k7c compile examples/pumpstation.tvr"
"${k7c[@]}" compile examples/pumpstation.tvr --out "$work/pumpstation.obj"
echo "== k7c doc examples/pumpstation.tvr"
"${k7c[@]}" doc examples/pumpstation.tvr --out "$work/pumpstation.Txt"
echo "== k7sim, a simulated unit; k7c send examples/pumpstation.tvr to it"
build/bin/k7sim --state "$work/unit.state" > "$work/k7sim.out" &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/k7sim.out" ] && break; sleep 0.1; done
"${k7c[@]}" send examples/pumpstation.tvr --port "$(head -n 1 "$work/k7sim.out")"
echo "== what the unit holds: program lines, security, restarts"
grep -c '^line|' "$work/unit.state"
grep -E '^(security|restarts)\|' "$work/unit.state"
kill "$sim" && wait "$sim" || true
