#!/usr/bin/env bash
# The main job: tessellates the CA points of the real protein 1A8O (shipped by Debian's
# python-biopython-doc) in a fresh working folder and prints where the results are and a summary.
# Usage: tools/main-job.sh      (after tools/setup.sh and tools/build.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
app="$root/build/app"
samples="$("$root/tools/fetch-samples.sh")"
name=1a8o
run="$root/build/runs/$name"
rm -rf "$run" && mkdir -p "$run/$name"

"$root/tools/ca-points.sh" "$samples/1A8O.pdb" > "$run/file_02"
"$root/tools/default-weights.sh" "$name" > "$run/option_bis.txt"

status=0
(cd "$run" && "$app/brindel" 2> brindel.log) || status=$?
if [ "$status" -ne 0 ] || [ ! -f "$run/test_tessellation" ]; then
  echo "brindel failed (exit status $status, no marker):"
  cat "$run/brindel.log"
  exit 1
fi

results="$run/$name"
echo "Results of $name: $results"
awk '{ n++; if ($(NF-1) == "V") { closed++; volume += $4; area += $5 } faces += $(NF-2) }
     END { printf "%d cells: %d closed, %d open (not in the bulk); %d faces\n", n, closed, n - closed, faces
           if (closed > 0) printf "closed cells: mean volume %.1f, mean area %.1f\n", volume / closed, area / closed }' \
    "$results/C$name"
awk '{ for (i = 1; i <= length($0); i++) { c = substr($0, i, 1); if (c == "1") ones++; else if (c == "2") twos++ } }
     END { printf "contacts: %d faces between residues, %d large faces close in sequence\n", ones + twos, twos }' \
    "$results/${name}_contact"
echo "scene blocks (closed cells): $(grep -c '^#AADEB' "$results/$name.wrl")"
