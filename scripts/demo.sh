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
