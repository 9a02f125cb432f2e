#!/usr/bin/env bash
# Times orvane on the CA points of the sample proteins (R 6.5, C_SUPER 0.8, C_SUPPR 3.5) and prints, per
# protein, its points, the environment points installed and the seconds taken.
# Usage: tools/bench/bench_orvane.sh [build folder] [samples folder]   (after tools/build.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
samples="${2:-.cache/samples}"
app="$(realpath "$build/app")"
[ -x "$app/orvane" ] && [ -f "$app/spherepack_1.txt" ] || { echo "build orvane first ($app)" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$app/spherepack_1.txt" "$work/"

# file_00 from a protein file: first model, ATOM records, atom " CA " with alternate location ' ' or 'A',
# one point per residue, after the three parameter lines.
make_file_00() {
  awk 'BEGIN { print "DEF RSPHERE 6.5"; print "DEF C_SUPER 0.8"; print "DEF C_SUPPR 3.5" }
       /^ENDMDL/ { exit }
       /^ATOM/ && substr($0, 13, 4) == " CA " && (substr($0, 17, 1) == " " || substr($0, 17, 1) == "A") {
         residue = substr($0, 22, 6)
         if (n > 0 && residue == last) next
         last = residue; n++
         printf "ATOM   %4d  C   %3s %c%4d     %7.3f %7.3f %7.3f\n", n % 10000, substr($0, 18, 3),
                substr($0, 22, 1), substr($0, 23, 4) + 0, substr($0, 31, 8) + 0, substr($0, 39, 8) + 0,
                substr($0, 47, 8) + 0 }' "$1"
}

printf "%-8s %8s %12s %9s\n" protein points environment seconds
for name in 1A8O 2XHE 7DDO 4JSV; do
  pdb="$samples/$name.pdb"
  [ -f "$pdb" ] || { printf "%-8s (absent)\n" "$name"; continue; }
  make_file_00 "$pdb" > "$work/file_00"
  rm -f "$work/test_environnement"
  start=$(date +%s.%N)
  (cd "$work" && "$app/orvane" 2> "$work/console")
  end=$(date +%s.%N)
  points=$(grep -c '^ATOM' "$work/file_00")
  environment=$(sed -n 's/^Nb of environment points : *//p' "$work/console")
  printf "%-8s %8d %12d %9.3f\n" "$name" "$points" "$environment" "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')"
done
