#!/usr/bin/env bash
# The default run of one chain in a fresh working folder, as a user gets it: CA points of the front-end's
# reading, file_00 with radius 6.5 and thickness 3.5, orvane, file_01 copied to file_02 (or relaxed with
# RLX when given), option_bis.txt with weights off (or the default weights), brindel, and, when asked,
# attribution with the tables of the application folder. Results in FOLDER/prot.
# Usage: tessellate-chain.sh FOLDER PROTEIN.pdb CHAIN zero|default [attribution] [RLX]
set -euo pipefail
folder="$1" protein="$2" chain="$3" weights="$4" classes="${5:-}" rlx="${6:-}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
app="$root/build/app"
trainer="$root/build/tools/trainer/train_attribution"

# Runs a program of the application folder in the working folder; fails without its marker.
run() {
  rm -f "$folder/$2"
  (cd "$folder" && "$app/$1" 2> "$1.log" > /dev/null) || { echo "$folder: $1 failed" >&2; return 1; }
  [ -f "$folder/$2" ] || { echo "$folder: $1 left no marker" >&2; return 1; }
}

rm -rf "$folder" && mkdir -p "$folder/prot"
cp "$app/spherepack_1.txt" "$folder/"
"$trainer" points "$protein" "$chain" "$folder"
run orvane test_environnement
cp "$folder/file_01" "$folder/file_02"
if [ -n "$rlx" ]; then
  "$root/build/tools/inputs/mirelda-inputs" relaxation-options prot "$rlx" > "$folder/option.txt"
  run relaxation test_relaxation
fi
"$trainer" options prot "$weights" "$folder"
run brindel test_tessellation
if [ "$classes" = attribution ]; then
  cp "$app/Tab_cen_2" "$app/Tab_ext_2" "$folder/"
  run attribution test_attribution
  rm -f "$folder/Tab_cen_2" "$folder/Tab_ext_2"
fi
# Only the C, F, contact, error and class files are read afterwards.
rm -f "$folder/spherepack_1.txt" "$folder/prot/prot.wrl" "$folder/prot/premier.wrl" "$folder/environment.wrl"
