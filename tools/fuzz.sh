#!/usr/bin/env bash
# Builds the libFuzzer targets of the readers with clang (build-fuzz/, ASan + UBSan) and fuzzes each for
# SECONDS (default 60), one after the other; prints executions, coverage and findings per target.
# Usage: tools/fuzz.sh [SECONDS] [TARGET ...]
# FUZZ_TIMEOUT (seconds, default 10) is how long one input may take before it counts as a hang: raise it
# on a loaded machine, where a starved run otherwise stops at a false "timeout". The table gives the time
# each target really ran (libFuzzer stops at its first finding).
# The seeds are tests/fuzz/corpus/<target>/ (read only); what the fuzzer adds goes to
# build-fuzz/corpus/<target>/, findings to build-fuzz/findings/<target>/ - copy a finding, once mended, to
# tests/fuzz/findings/<target>/ so that the test suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIRELDA_FUZZ=ON \
  -DBUILD_TESTING=OFF -DMIRELDA_BUILD_FRONTEND=OFF > "$build.log" 2>&1 || { cat "$build.log"; exit 1; }
rm -f "$build.log"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for d in tests/fuzz/corpus/*/; do targets+=("$(basename "$d")"); done
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

status=0
printf '%-18s %8s %12s %8s %8s  %s\n' target ran_s executions cov features findings
for t in "${targets[@]}"; do
  work="$build/corpus/$t" findings="$build/findings/$t" log="$build/fuzz_$t.log"
  mkdir -p "$work" "$findings"
  started=$(date +%s)
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-10}" -report_slow_units="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$t" > "$log" 2>&1 || status=1
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  found=$(find "$findings" -type f | wc -l)
  ran=$(( $(date +%s) - started ))
  printf '%-18s %8s %12s %8s %8s  %s\n' "$t" "$ran" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$found"
  [ "$found" -eq 0 ] || { status=1; find "$findings" -type f | sed 's/^/    /'; { grep -m3 -E 'ERROR|SUMMARY|property broken' "$log" || true; } | sed 's/^/    /'; }
done
exit "$status"
