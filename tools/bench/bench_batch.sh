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
# The wall time gives the proteins per minute; the processor time (user and system, of every process of
# the run) shows how much of the machine the run had, as the cores may be shared with other work.
printf '%-6s %9s %6s %7s %9s %13s %16s\n' jobs proteins done failed seconds "cpu seconds" proteins/minute
for jobs in 1 2; do
  timing="$( { TIMEFORMAT='%R %U %S'; time "$batch" --quiet -j "$jobs" --out "$out/j$jobs" "${files[@]}" \
             > /dev/null 2> "$out-j$jobs.log"; } 2>&1 || true)"
  summary="$out/j$jobs/summary.tsv"
  done_count="$(awk -F'\t' 'NR > 1 && $7 == "done"' "$summary" | wc -l)"
  failed_count="$(awk -F'\t' 'NR > 1 && $7 == "failed"' "$summary" | wc -l)"
  read -r seconds user system <<< "$timing"
  cpu="$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.1f", u + s }')"
  rate[$jobs]="$(awk -v n="${#files[@]}" -v t="$seconds" 'BEGIN { printf "%.1f", (t > 0 ? 60 * n / t : 0) }')"
  printf '%-6s %9d %6d %7d %9s %13s %16s\n' "-j $jobs" "${#files[@]}" "$done_count" "$failed_count" "$seconds" \
         "$cpu" "${rate[$jobs]}"
done
awk -v a="${rate[1]}" -v b="${rate[2]}" -v cores="$(nproc)" \
  'BEGIN { printf "ratio -j 2 / -j 1: %.2f (cores here: %d)\n", (a > 0 ? b / a : 0), cores }'
