#!/usr/bin/env bash
# Writes option_bis.txt for a protein name with the default weights of the amino-acid table, as the
# front-end writes it. Usage: tools/default-weights.sh 1a8o > option_bis.txt
set -euo pipefail
printf 'NOM_PROT:%s\r\nDCUT:16\r\nRCUT:10\r\n' "$1"
for w in A:91.5 C:114.4 D:135.2 E:154.6 F:198.8 G:67.5 H:162.3 I:162.6 K:162.5 L:163.4 M:165.9 \
         N:138.3 P:123.4 Q:156.4 R:196.1 S:102.0 T:126.0 U:143.8 V:138.4 W:237.2 Y:209.8; do
  printf '>%s\r\n' "$w"
done
