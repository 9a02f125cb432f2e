#!/usr/bin/env bash
# Holds this build's brindel and relaxation against another build's on the inputs of bench_tessellation.sh
# (run it once first to make them): every file, message and exit status must be the same byte for byte,
# and the times of the two builds, taken in turn run after run (best of N, so that a busy machine stretches
# both alike), give the speed-up of this build.
#
# Usage: tools/bench/compare_tessellation.sh --against DIR [--app DIR] [--repeats N] [CASE...]
#   --against DIR   the application folder of the other build (say, a clone at an earlier commit)
#   --app DIR       this build's programs (default build/app)
#   --repeats N     runs of each program per case (default 5)
#   CASE            case folders under build/bench/tessellation/ (default: all of them up to 20 000 points)
# Exit status: 0 when every output is the same, 1 when one differs (the case is named), 2 on bad usage.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${MIRELDA_BUILD_DIR:-$root/build}" && pwd)"
app="$build/app"
against=""
repeats=5
cases=()
while [ "$#" -gt 0 ]; do
  case "$1" in
    --against) against="$2"; shift 2 ;;
    --app) app="$2"; shift 2 ;;
    --repeats) repeats="$2"; shift 2 ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) cases+=("$1"); shift ;;
  esac
done
[ -n "$against" ] || { echo "usage: $0 --against DIR [--app DIR] [--repeats N] [CASE...]" >&2; exit 2; }
writer="$build/tools/inputs/mirelda-inputs"
inputs="$build/bench/tessellation"
for program in "$writer" "$app/brindel" "$app/relaxation" "$against/brindel" "$against/relaxation"; do
  [ -x "$program" ] || { echo "missing: $program" >&2; exit 2; }
done
if [ "${#cases[@]}" -eq 0 ]; then
  for dir in "$inputs"/*/; do
    [ -s "$dir/file_02" ] || continue
    [ "$(grep -c '^ATOM' "$dir/file_02")" -le 20000 ] && cases+=("$(basename "$dir")")
  done
fi
[ "${#cases[@]}" -gt 0 ] || { echo "no cases: run tools/bench/bench_tessellation.sh first" >&2; exit 2; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Runs one program of one build in a fresh folder; prints its wall seconds.
run() {  # run PROGRAM_DIR KIND CASE_DIR FOLDER THREADS
  local programs="$1" kind="$2" dir="$3" folder="$4" threads="$5"
  rm -rf "$folder" && mkdir -p "$folder/tess"
  if [ "$kind" = brindel ]; then
    cp "$dir/file_02" "$folder/"
    "$writer" tessellation-options tess default > "$folder/option_bis.txt"
  else
    cp "$dir/file_01.orvane" "$folder/file_01" && cp "$dir/option.txt" "$folder/"
  fi
  local TIMEFORMAT='%R'
  { time (cd "$folder" && MIRELDA_THREADS="$threads" "$programs/$kind" > stdout.txt 2> stderr.txt
          echo "exit $?" >> stdout.txt); } 2>&1
}

printf '%-14s %-10s %7s %9s %9s %8s %s\n' case program threads against this speed-up outputs
status=0
for name in "${cases[@]}"; do
  dir="$inputs/$name"
  [ -s "$dir/file_02" ] || { echo "no case $name" >&2; exit 2; }
  for kind in brindel relaxation; do
    [ "$kind" = brindel ] || [ -f "$dir/file_01.orvane" ] || continue
    for threads in 1 2; do
      best_old="" best_new="" same=same
      for ((r = 0; r < repeats; ++r)); do
        old="$(run "$against" "$kind" "$dir" "$scratch/old" "$threads")"
        new="$(run "$app" "$kind" "$dir" "$scratch/new" "$threads")"
        best_old="$(awk -v a="$old" -v b="$best_old" 'BEGIN { print (b == "" || a < b) ? a : b }')"
        best_new="$(awk -v a="$new" -v b="$best_new" 'BEGIN { print (b == "" || a < b) ? a : b }')"
        if [ "$r" -eq 0 ] && ! diff -r -q "$scratch/old" "$scratch/new" > /dev/null; then
          same=DIFFERENT
          status=1
        fi
      done
      awk -v n="$name" -v k="$kind" -v t="$threads" -v o="$best_old" -v w="$best_new" -v s="$same" 'BEGIN {
        printf "%-14s %-10s %7d %9.3f %9.3f %8.2f %s\n", n, k, t, o, w, o / w, s }'
    done
  done
done
exit "$status"
