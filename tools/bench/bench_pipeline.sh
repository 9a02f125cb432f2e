#!/usr/bin/env bash
# Times the console pipeline with environment on the CA points of the sample proteins: orvane (radius
# 6.5, C_SUPER 0.8, thickness 3.5), relaxation (RLX 8: nine passes) and brindel on the relaxed points with
# the default weights. Prints, per protein, the protein points, the environment points and the seconds of
# each program. Usage: tools/bench/bench_pipeline.sh [protein.pdb ...]   (default: 1A8O 2XHE 7DDO 4JSV)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
app="$root/build/app"
inputs="$root/build/tools/inputs/mirelda-inputs"
samples="${MIRELDA_SAMPLES_DIR:-$root/.cache/samples}"
for program in orvane relaxation brindel; do
  [ -x "$app/$program" ] || { echo "build the programs first (tools/build.sh)"; exit 1; }
done
if [ "$#" -eq 0 ]; then
  set -- "$samples/1A8O.pdb" "$samples/2XHE.pdb" "$samples/7DDO.pdb" "$samples/4JSV.pdb"
fi

# Runs a program of the application folder in the working folder; prints its seconds, fails without marker.
timed() {
  local program="$1" marker="$2" start end
  rm -f "$run/$marker"
  start="$(date +%s.%N)"
  (cd "$run" && "$app/$program" 2> "$program.log") || { echo "$program failed: $(tail -n 1 "$run/$program.log")" >&2; return 1; }
  end="$(date +%s.%N)"
  [ -f "$run/$marker" ] || { echo "$program left no marker" >&2; return 1; }
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}

printf '%-8s %8s %12s %9s %12s %9s %10s\n' protein points environment orvane relaxation brindel cells/s
for pdb in "$@"; do
  name="$(basename "$pdb" .pdb | tr 'A-Z' 'a-z' | cut -c1-4)"
  if [ ! -f "$pdb" ]; then printf '%-8s absent (%s)\n' "$name" "$pdb"; continue; fi
  run="$root/build/bench/pipeline-$name"
  rm -rf "$run" && mkdir -p "$run/$name"
  cp "$app/spherepack_1.txt" "$run/"
  "$inputs" points "$pdb" > "$run/file_00"
  "$inputs" relaxation-options "$name" 8 > "$run/option.txt"
  "$inputs" tessellation-options "$name" default > "$run/option_bis.txt"
  points="$(grep -c '^ATOM' "$run/file_00")"
  orvane="$(timed orvane test_environnement)"
  environment="$(( $(grep -c '^ATOM' "$run/file_01") - points ))"
  relaxation="$(timed relaxation test_relaxation)"
  brindel="$(timed brindel test_tessellation)"
  all="$(grep -c '^ATOM' "$run/file_02")"
  printf '%-8s %8d %12d %9s %12s %9s %10.1f\n' "$name" "$points" "$environment" "$orvane" "$relaxation" \
         "$brindel" "$(awk -v n="$all" -v t="$brindel" 'BEGIN { print (t > 0 ? n / t : 0) }')"
done
