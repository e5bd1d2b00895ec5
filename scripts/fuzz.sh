#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60).
#   scripts/fuzz.sh [SECONDS] [TARGET...]
# Targets are named after their folder under fuzz/corpus/ (all by default).
# What a run finds stays in build-sanitize/fuzz-work/<target>/ (the grown
# corpus, kept for the next run) and, for a crash, in a file beside it whose
# name starts with the target's; the seeds in fuzz/corpus/ are never changed.
# K7_FUZZ_FLAGS adds libFuzzer options to every run (e.g. "-entropic=0").
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
scripts/setup.sh
scripts/configure_sanitize.sh
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for corpus in fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
fi
cmake --build build-sanitize -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

failed=0
for target in "${targets[@]}"; do
    work=build-sanitize/fuzz-work/$target
    mkdir -p "$work"
    echo "== $target: ${seconds}s"
    # Past half the RSS limit libFuzzer hands the allocator's memory back to
    # the system every second, and each input then faults it in anew: a
    # long run's corpus and quarantine pass 512 MB, so the limit is 2 GB.
    if ! build-sanitize/bin/fuzz_"$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work-" \
        ${K7_FUZZ_FLAGS:-} "$work" "fuzz/corpus/$target" 2>"$work.log"; then
        failed=1
        echo "   FOUND A FAULT: see $work.log"
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE' "$work.log" | tail -1 || tail -5 "$work.log"
    grep -E 'stat::number_of_executed_units' "$work.log" || true
    echo "   corpus: $(find "$work" -type f | wc -l) files, $(du -sk "$work" | cut -f1) KB"
done
exit "$failed"
