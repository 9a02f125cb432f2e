#!/usr/bin/env bash
# Unpacks the sample proteins that ship inside Debian packages into .cache/samples/ (no package is
# installed): 1A8O, 2XHE and 7DDO from python-biopython-doc, 4JSV from python3-pdbfixer's test data.
# Prints the folder. Usage: tools/fetch-samples.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
samples="${MIRELDA_SAMPLES_DIR:-$root/.cache/samples}"
wanted=(1A8O.pdb 2XHE.pdb 7DDO.pdb 4JSV.pdb)
have_all=1
for f in "${wanted[@]}"; do [ -s "$samples/$f" ] || have_all=0; done
if [ "$have_all" = 0 ]; then
  work="$(mktemp -d)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$samples"
  (cd "$work" && apt-get download python-biopython-doc python3-pdbfixer >/dev/null 2>&1) || {
    apt-get update -qq && (cd "$work" && apt-get download python-biopython-doc python3-pdbfixer >/dev/null 2>&1)
  }
  for deb in "$work"/*.deb; do dpkg -x "$deb" "$work/unpacked"; done
  pdb="$work/unpacked/usr/share/doc/python-biopython-doc/Tests/PDB"
  for id in 1A8O 2XHE 7DDO; do gzip -dc "$pdb/$id.pdb.gz" > "$samples/$id.pdb"; done
  cp "$(find "$work/unpacked" -name 4JSV.pdb | head -n 1)" "$samples/4JSV.pdb"
fi
echo "$samples"
