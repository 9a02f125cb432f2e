#!/usr/bin/env bash
# Proteins per minute of mirelda-batch --out with one protein at a time and with two side by side, on the
# same real structures one after the other, and their ratio. The structures are the first COUNT files
# that the folder's MANIFEST.tsv lists (its first column; every file of the folder when it has none).
# Usage: tools/bench/bench_batch.sh STRUCTURES_DIR [COUNT]   (COUNT: 100 by default)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
batch="$root/build/app/mirelda-batch"
[ -x "$batch" ] || { echo "build the programs first (tools/build.sh)"; exit 1; }
[ "$#" -ge 1 ] && [ -d "$1" ] || { echo "usage: $0 STRUCTURES_DIR [COUNT]"; exit 1; }
folder="$(cd "$1" && pwd)"
count="${2:-100}"

files=()
if [ -f "$folder/MANIFEST.tsv" ]; then
  while IFS=$'\t' read -r file _; do
    [ -f "$folder/$file" ] && files+=("$folder/$file")
  done < <(tail -n +2 "$folder/MANIFEST.tsv" | head -n "$count")
else
  while IFS= read -r file; do files+=("$file"); done \
    < <(find "$folder" -maxdepth 1 -type f \( -name '*.pdb*' -o -name '*.ent*' -o -name '*.cif*' \) | sort | head -n "$count")
fi
[ "${#files[@]}" -gt 0 ] || { echo "no structure in $folder"; exit 1; }

out="$root/build/bench/batch"
rm -rf "$out"
declare -A rate
printf '%-6s %9s %9s %8s %8s %16s\n' jobs proteins done failed seconds proteins/minute
for jobs in 1 2; do
  start="$(date +%s.%N)"
  "$batch" --quiet -j "$jobs" --out "$out/j$jobs" "${files[@]}" 2> "$out-j$jobs.log" || true
  end="$(date +%s.%N)"
  summary="$out/j$jobs/summary.tsv"
  done_count="$(awk -F'\t' 'NR > 1 && $7 == "done"' "$summary" | wc -l)"
  failed_count="$(awk -F'\t' 'NR > 1 && $7 == "failed"' "$summary" | wc -l)"
  seconds="$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.1f", e - s }')"
  rate[$jobs]="$(awk -v n="${#files[@]}" -v t="$seconds" 'BEGIN { printf "%.1f", (t > 0 ? 60 * n / t : 0) }')"
  printf '%-6s %9d %9d %8d %8s %16s\n' "-j $jobs" "${#files[@]}" "$done_count" "$failed_count" "$seconds" \
         "${rate[$jobs]}"
done
awk -v a="${rate[1]}" -v b="${rate[2]}" -v cores="$(nproc)" \
  'BEGIN { printf "ratio -j 2 / -j 1: %.2f (cores here: %d)\n", (a > 0 ? b / a : 0), cores }'
