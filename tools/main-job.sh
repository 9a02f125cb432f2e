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

# CA points, first model only, one per residue (alternate locations other than A dropped).
awk 'BEGIN { n = 0 }
     /^ENDMDL/ { exit }
     /^ATOM/ && substr($0, 13, 4) == " CA " && (substr($0, 17, 1) == " " || substr($0, 17, 1) == "A") {
       n++
       printf "ATOM   %4d  C   %3s %s%4d     %7.3f %7.3f %7.3f\r\n", n, substr($0, 18, 3), substr($0, 22, 1),
              substr($0, 23, 4) + 0, substr($0, 31, 8) + 0, substr($0, 39, 8) + 0, substr($0, 47, 8) + 0
     }' "$samples/1A8O.pdb" > "$run/file_02"

# The tessellation options with the default weights of the amino-acid table.
{
  printf 'NOM_PROT:%s\r\nDCUT:16\r\nRCUT:10\r\n' "$name"
  for w in A:91.5 C:114.4 D:135.2 E:154.6 F:198.8 G:67.5 H:162.3 I:162.6 K:162.5 L:163.4 M:165.9 \
           N:138.3 P:123.4 Q:156.4 R:196.1 S:102.0 T:126.0 U:143.8 V:138.4 W:237.2 Y:209.8; do
    printf '>%s\r\n' "$w"
  done
} > "$run/option_bis.txt"

(cd "$run" && "$app/brindel" 2> brindel.log) || { cat "$run/brindel.log"; exit 1; }
[ -f "$run/test_tessellation" ] || { echo "brindel ended without its marker:"; cat "$run/brindel.log"; exit 1; }

cells="$run/$name/C$name"
echo "Results of $name: $run/$name"
awk '{ n++; if ($(NF-1) == "V") closed++; volume += $4; area += $5 }
     END { printf "%d cells, %d closed, %d open (not in the bulk); mean volume %.1f, mean area %.1f\n",
                  n, closed, n - closed, volume / n, area / n }' "$cells"
