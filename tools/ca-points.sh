#!/usr/bin/env bash
# Writes the point file of the CA atoms of a protein coordinate file: first model only, one point per
# residue (alternate locations other than A dropped), "\r\n" line ends as the front-end writes them.
# Usage: tools/ca-points.sh protein.pdb > file_02
set -euo pipefail
awk 'BEGIN { n = 0 }
     /^ENDMDL/ { exit }
     /^ATOM/ && substr($0, 13, 4) == " CA " && (substr($0, 17, 1) == " " || substr($0, 17, 1) == "A") {
       n++
       printf "ATOM   %4d  C   %3s %s%4d     %7.3f %7.3f %7.3f\r\n", n % 10000, substr($0, 18, 3), substr($0, 22, 1),
              substr($0, 23, 4) + 0, substr($0, 31, 8) + 0, substr($0, 39, 8) + 0, substr($0, 47, 8) + 0
     }' "$1"
