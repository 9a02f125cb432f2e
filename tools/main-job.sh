#!/usr/bin/env bash
# The main job: the real protein 1A8O (shipped by Debian's python-biopython-doc) through the console
# pipeline with the front-end's defaults: CA points, an environment shell (radius 6.5, thickness 3.5),
# nine relaxations and the tessellation with the default weights, in a fresh working folder. Prints where
# the results are and a summary.
# Usage: tools/main-job.sh      (after tools/setup.sh and tools/build.sh)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
app="$root/build/app"
samples="$("$root/tools/fetch-samples.sh")"
name=1a8o
run="$root/build/runs/$name"
rm -rf "$run" && mkdir -p "$run/$name"
cp "$app/spherepack_1.txt" "$run/"

# Runs a console program of the application folder in the working folder, as the front-end does: the
# run succeeded when the program ended well and left its marker.
step() {
  local program="$1" marker="$2" status=0
  rm -f "$run/$marker"
  (cd "$run" && "$app/$program" 2> "$program.log") || status=$?
  if [ "$status" -ne 0 ] || [ ! -f "$run/$marker" ]; then
    echo "$program failed (exit status $status, no marker):"
    cat "$run/$program.log"
    exit 1
  fi
}

{ printf 'DEF RSPHERE 6.5\r\nDEF C_SUPER 0.8\r\nDEF C_SUPPR 3.5\r\n'; "$root/tools/ca-points.sh" "$samples/1A8O.pdb"; } \
  > "$run/file_00"
step orvane test_environnement
printf 'NOM_PROT:%s\r\nRLX:8\r\nDCUT:16\r\nRCUT:10\r\n' "$name" > "$run/option.txt"
step relaxation test_relaxation
"$root/tools/default-weights.sh" "$name" > "$run/option_bis.txt"
step brindel test_tessellation

results="$run/$name"
protein=$(grep -c '^ATOM' "$run/file_00")
echo "Results of $name: $results"
echo "$protein residues (CA points), $(( $(grep -c '^ATOM' "$run/file_01") - protein )) environment points, 9 relaxations"
awk '{ n++; if ($(NF-1) == "V") { closed++; volume += $4; area += $5 } faces += $(NF-2); if ($NF == 0) buried++ }
     END { printf "%d cells: %d closed, %d not in the bulk; %d faces; %d buried (no face on the environment)\n",
                  n, closed, n - closed, faces, buried
           if (closed > 0) printf "closed cells: mean volume %.1f, mean area %.1f\n", volume / closed, area / closed }' \
    "$results/C$name"
awk '{ for (i = 1; i <= length($0); i++) { c = substr($0, i, 1); if (c == "1") ones++; else if (c == "2") twos++ } }
     END { printf "contacts: %d faces between residues, %d large faces close in sequence\n", ones + twos, twos }' \
    "$results/${name}_contact"
echo "scene blocks (closed cells): $(grep -c '^#AADEB' "$results/$name.wrl"); first layer: $(grep -c '^#AADEB' "$results/premier.wrl")"
