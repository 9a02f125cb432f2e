#!/usr/bin/env bash
# The main job: tessellates the CA points of the real protein 1A8O (shipped by Debian's
# python-biopython-doc) in a fresh working folder and prints where the results are and a summary, then
# runs it again with environment and prints the class of every residue next to its letter.
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

# Classes of 1A8O: the default run with environment (CA points, radius 6.5, thickness 3.5, weights off, as
# the pattern tables were trained) in a second working folder, then attribution when every residue lies
# in the bulk, as the front-end offers the assignment only then.
classes="$root/build/runs/${name}-classes"
rm -rf "$classes" && mkdir -p "$classes/$name"
cp "$app/spherepack_1.txt" "$app/Tab_cen_2" "$app/Tab_ext_2" "$classes/"
{ printf 'DEF RSPHERE 6.5\r\nDEF C_SUPER 0.8\r\nDEF C_SUPPR 3.5\r\n'
  "$root/tools/ca-points.sh" "$samples/1A8O.pdb"; } > "$classes/file_00"
printf 'NOM_PROT:%s\r\nDCUT:16\r\nRCUT:10\r\n' "$name" > "$classes/option_bis.txt"
for letter in A C D E F G H I K L M N P Q R S T U V W Y; do
  printf '>%s:0\r\n' "$letter"
done >> "$classes/option_bis.txt"
for step in orvane:test_environnement copy brindel:test_tessellation attribution:test_attribution; do
  if [ "$step" = copy ]; then cp "$classes/file_01" "$classes/file_02"; continue; fi
  program="${step%%:*}" marker="${step#*:}"
  if [ "$program" = attribution ] && [ -s "$classes/$name/${name}_error2" ]; then
    echo "attribution not offered: $(wc -l < "$classes/$name/${name}_error2") residues are not in the bulk"
    exit 0
  fi
  (cd "$classes" && "$app/$program" 2> "$program.log" > /dev/null) && [ -f "$classes/$marker" ] ||
    { echo "$program failed:"; cat "$classes/$program.log"; exit 1; }
done
echo "classes of $name (a helix, b strand, c other; $(grep -c . "$classes/$name/${name}_resu") residues):"
echo "  sequence $(awk '{ printf "%s", $1 }' "$classes/$name/C$name")"
echo "  classes  $(tr -d '\n' < "$classes/$name/${name}_resu")"
