#!/usr/bin/env bash
# Times brindel on the CA points of the sample proteins with the default weights and prints, for each,
# the number of points, the seconds of one run and the cells built per second.
# Usage: tools/bench/bench_brindel.sh [protein.pdb ...]   (default: 1A8O 2XHE 7DDO 4JSV of the samples)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
app="$root/build/app"
samples="${MIRELDA_SAMPLES_DIR:-$root/.cache/samples}"
inputs="$root/build/tools/inputs/mirelda-inputs"
[ -x "$app/brindel" ] && [ -x "$inputs" ] || { echo "build first (tools/build.sh)"; exit 1; }
if [ "$#" -eq 0 ]; then
  set -- "$samples/1A8O.pdb" "$samples/2XHE.pdb" "$samples/7DDO.pdb" "$samples/4JSV.pdb"
fi

printf '%-8s %8s %10s %12s  %s\n' protein points seconds cells/s status
for pdb in "$@"; do
  name="$(basename "$pdb" .pdb | tr 'A-Z' 'a-z' | cut -c1-4)"
  if [ ! -f "$pdb" ]; then printf '%-8s absent (%s)\n' "$name" "$pdb"; continue; fi
  run="$root/build/bench/$name"
  rm -rf "$run" && mkdir -p "$run/$name"
  "$inputs" points "$pdb" > "$run/file_02"
  "$inputs" tessellation-options "$name" default > "$run/option_bis.txt"
  points="$(grep -c '^ATOM' "$run/file_02")"
  start="$(date +%s.%N)"
  status=0
  (cd "$run" && "$app/brindel" 2> brindel.log) || status=$?
  end="$(date +%s.%N)"
  outcome="ok"
  [ "$status" -eq 0 ] || outcome="exit $status: $(tail -n 1 "$run/brindel.log")"
  awk -v n="$name" -v p="$points" -v s="$start" -v e="$end" -v o="$outcome" \
      'BEGIN { t = e - s; printf "%-8s %8d %10.3f %12.1f  %s\n", n, p, t, (t > 0 ? p / t : 0), o }'
done
